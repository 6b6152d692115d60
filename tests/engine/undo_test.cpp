// Taking moves back: every kind of move is undone exactly, one by one back to the start.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using Undo = EngineTest;

constexpr std::string_view Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

struct UndoCase {
    const char* name;
    std::string_view diagram;
    bool whiteToMove;
    std::vector<std::string_view> before;
    const char* move;
    PieceType promotionAnswer;
};

TEST_F(Undo, EveryKindOfMoveIsTakenBackExactly) {
    const UndoCase cases[] = {
        {"double step", Start, true, {}, "e2e4", 0},
        {"double step after a double step", Start, true, {"e2e4"}, "d7d5", 0},
        {"capture after a double step", Start, true, {"e2e4", "d7d5"}, "e4d5", 0},
        {"white en passant", Start, true, {"e2e4", "a7a6", "e4e5", "d7d5"}, "e5d6", 0},
        {"black en passant", "4k3/8/8/8/3p4/8/4P3/4K3", true, {"e2e4"}, "d4e3", 0},
        {"king move", Start, true, {"e2e4", "e7e5"}, "e1e2", 0},
        {"white king-side castling", "r3k2r/8/8/8/8/8/8/R3K2R", true, {}, "e1g1", 0},
        {"white queen-side castling", "r3k2r/8/8/8/8/8/8/R3K2R", true, {}, "e1c1", 0},
        {"black king-side castling", "r3k2r/8/8/8/8/8/8/R3K2R", false, {}, "e8g8", 0},
        {"black queen-side castling", "r3k2r/8/8/8/8/8/8/R3K2R", false, {}, "e8c8", 0},
        {"promotion", "8/4P3/8/8/8/8/8/k6K", true, {}, "e7e8", WhiteKnight},
        {"promotion with capture", "3r3k/4P3/8/8/8/8/8/K7", true, {}, "e7d8", 0},
        {"black promotion with capture", "k7/8/8/8/8/8/4p3/3R3K", false, {}, "e2d1", 0},
        {"mate", Start, true, {"f2f3", "e7e5", "g2g4"}, "d8h4", 0},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.diagram, c.whiteToMove);
        Play(c.before);
        const EngineState before = state();
        journal.promotionAnswer = c.promotionAnswer;
        ASSERT_TRUE(Move(c.move));
        journal.Clear();
        ASSERT_TRUE(engine.UndoLastMove());
        EXPECT_EQ(StateDifferences(before, state()), "");
        const std::string mover = before.WhitesTurn ? "W" : "B";
        EXPECT_EQ(journal.Events(), std::vector<std::string>{"MoveUndo " + mover});
    }
}

TEST_F(Undo, AGameIsTakenBackMoveByMoveToTheStart) {
    const EngineState start = state();
    const std::vector<std::string_view> game = {"e2e4", "d7d5", "e4e5", "f7f5", "e5f6",
                                                "g7f6", "g1f3", "c8g4", "f1e2", "b8c6",
                                                "e1g1", "d8d7", "d2d4", "e8c8"};
    std::vector<EngineState> snapshots;
    for (const std::string_view move : game) {
        snapshots.push_back(state());
        ASSERT_TRUE(Move(move)) << move;
    }
    EXPECT_EQ(Diagram(state()), "2kr1bnr/pppqp2p/2n2p2/3p4/3P2b1/5N2/PPP1BPPP/RNBQ1RK1");
    while (!snapshots.empty()) {
        SCOPED_TRACE(snapshots.size());
        ASSERT_TRUE(engine.UndoLastMove());
        EXPECT_EQ(StateDifferences(snapshots.back(), state()), "");
        snapshots.pop_back();
    }
    EXPECT_EQ(StateDifferences(start, state()), "");
    journal.Clear();
    EXPECT_FALSE(engine.UndoLastMove());
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
    EXPECT_EQ(StateDifferences(start, state()), "");
}

TEST_F(Undo, ANewGameHasNothingToTakeBack) {
    EXPECT_FALSE(engine.UndoLastMove());
    EXPECT_FALSE(engine.TakeBackLastMove());
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
    EXPECT_EQ(engine.SideTurn(), 0);
}

TEST_F(Undo, TakingBackInternallyNeitherPassesTheTurnNorRaisesAnEvent) {
    Play({"e2e4"});
    ASSERT_TRUE(engine.TakeBackLastMove());
    EXPECT_EQ(engine.SideTurn(), 1);
    EXPECT_EQ(journal.Events(), std::vector<std::string>{});
    EXPECT_EQ(At("e2"), "WP");
}

TEST_F(Undo, UndoingADoubleStepRestoresTheWindowOfTheMoveBefore) {
    Play({"e2e4", "d7d5"});
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_TRUE(state().EnPassantOpen);
    EXPECT_EQ(state().EnPassantFile, 5);
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_FALSE(state().EnPassantOpen);
}

} // namespace
} // namespace quorrin::testing
