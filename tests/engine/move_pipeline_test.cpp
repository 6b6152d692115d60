// The move command and undo: the events each kind of move raises and their order, the requests
// refused (castling in each of its conditions among them), the host's choice of a promoted
// piece, and the squares redrawn with or without the last-move frame ("e4*" allows it) in
// their order among the events (the random games check that every square shows what it holds
// by the time the events are raised).
#include "EngineTestSupport.h"

#include <climits>

namespace quorrin::testing {
namespace {

// A request in a set-up position and the journal it must leave, joined by ", ", with
// "refused" first when the engine must refuse it.
struct MoveCase {
    const char* name;
    std::string_view setup; // as EngineTest::SetUpBoard reads it
    std::string_view move;  // "e2e4", or "undo"
    std::string events;
    PieceType promotionAnswer = 0;
};

class MovePipeline : public EngineTest {
protected:
    // Plays the case and returns its events; checks that a made move is undone exactly (the
    // random games check the rest of the state after every move), that a refused one changed
    // nothing, and that the same move given to MakeMove as a value raises the same events
    // but for PawnPromotion.
    std::string Outcome(const MoveCase& c) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        const EngineState before = state();
        journal.promotionAnswer = c.promotionAnswer;
        const bool made = Move(c.move);
        const std::string events = journal.Joined(false);
        if (made) {
            const quorrin::Move value = engine.MoveAt(state().MoveHistory.size() - 1);
            EXPECT_TRUE(engine.UndoLastMove());
            journal.entries.clear();
            EXPECT_TRUE(engine.MakeMove(value));
            const std::string asked = events.substr(0, events.find("PieceMovement"));
            EXPECT_EQ(asked + journal.Joined(false), events) << "MakeMove " << value.Coordinates();
            EXPECT_TRUE(engine.UndoLastMove());
        }
        EXPECT_TRUE(SameState(before, state(), !made)) << Describe(state());
        return made ? events : events.empty() ? "refused" : "refused, " + events;
    }
};

// Each kind of move and each refusal (castling in each of its conditions among them), with the
// events it raises, from data/move_events.txt.
TEST_F(MovePipeline, EachKindOfMoveRaisesItsEventsInOrder) {
    for (const auto& row : Vectors("move_events.txt")) {
        const PieceType answer = row.size() > 4 ? std::stoi(row[4]) : 0;
        EXPECT_EQ(Outcome({row.at(0).c_str(), row.at(1), row.at(2), row.at(3), answer}), row[3])
            << row[0];
    }
}

TEST_F(MovePipeline, APromotedPawnBecomesTheChosenPieceOrElseAQueen) {
    // The host's answer, the side, and the piece it gives (queen to bishop: 1 to 4 Black, 7 to
    // 10 White).
    const std::tuple<PieceType, bool, PieceType> cases[] = {
        {0, true, 7},  {1, true, 7},       {6, true, 7}, {7, true, 7},  {10, true, 10},
        {11, true, 7}, {INT_MIN, true, 7}, {9, true, 9}, {0, false, 1}, {1, false, 1},
        {4, false, 4}, {5, false, 1},      {7, false, 1}};
    for (const auto& [answer, white, becomes] : cases) {
        journal.promotionAnswer = answer;
        SetUpBoard(white ? "8/4P3/8/8/8/8/8/k6K w e7e8" : "k6K/8/8/8/8/8/4p3/8 b e2e1");
        EXPECT_EQ(state().Squares[SquareNameToIndex(white ? "e8" : "e1")].Piece,
                  (PieceState{becomes, white, true}))
            << answer;
    }
}

using Redraw = EngineTest;

TEST_F(Redraw, EachRequestRedrawsItsSquaresInOrderBeforeItsEvents) {
    std::string every;
    for (int k = 1; k <= 64; ++k) {
        every += (k > 1 ? ", " : "") + SquareIndexToName(k) + "*";
    }
    for (const auto& row : Vectors("redraws.txt")) {
        SetUpBoard(row.at(1));
        Move(row.at(2));
        EXPECT_EQ(journal.Joined(), row.at(3) == "every square" ? every : row[3]) << row[0];
    }
}

// Checkmate and stalemate: a side in check with no legal move is mated, a side not in check
// with no legal move is stalemated; every answer counts, en passant included, and no move
// of a pinned piece does.
using GameEnd = EngineTest;

TEST_F(GameEnd, MateAndStalemateAreJudgedOnEveryLegalAnswer) {
    for (const auto& row : Vectors("game_ends.txt")) {
        SCOPED_TRACE(row.at(0));
        SetUpBoard(row.at(1));
        const bool side = row.size() > 3 ? row.at(3) == "w" : state().WhitesTurn;
        const SquareIndex king = side ? state().WhiteKingSquare : state().BlackKingSquare;
        EXPECT_EQ(engine.IsCheckmate(side, king), row.at(2) == "mated");
        EXPECT_EQ(engine.IsStalemate(side, king), row.at(2) == "stalemated");
    }
}

} // namespace
} // namespace quorrin::testing
