// Requests and layouts the host should never send: bad square names, moves out of turn,
// calls from inside event handlers, and badly set-up layouts.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using BadInput = EngineTest;

TEST_F(BadInput, AnyStringThatIsNoSquareNameIsRefusedWithoutTrace) {
    const std::string longName(100000, 'e');
    const std::string_view bad[] = {"",
                                    "e",
                                    "e22",
                                    "E2",
                                    "e0",
                                    "e9",
                                    "i2",
                                    " e2",
                                    longName,
                                    std::string_view("e\0", 2),
                                    std::string_view("\0\0", 2),
                                    "\xC3\xA9",
                                    "\xFF"
                                    "2"};
    Play({"e2e4"});
    const EngineState before = state();
    for (const std::string_view name : bad) {
        SCOPED_TRACE(::testing::PrintToString(std::string(name.substr(0, 8))));
        EXPECT_FALSE(engine.MovePiece(name, "e5"));
        EXPECT_FALSE(engine.MovePiece("e7", name));
        EXPECT_FALSE(engine.MovePiece(name, name));
    }
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
}

TEST_F(BadInput, RequestsOutOfTurnOrAgainstTheRulesChangeNothing) {
    const char* refused[] = {
        "e7e5", // the other side's piece
        "e3e4", // empty square
        "e2e2", // no move at all
        "e2e5", // too far
        "b1b3", // not a knight's jump
        "a1a3", // through its own pawn
        "e1e2", // onto its own piece
    };
    const EngineState before = state();
    for (const char* move : refused) {
        EXPECT_FALSE(Move(move)) << move;
    }
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
}

// Plays two short games that raise every event, optionally calling back into the engine
// from every handler, and returns the state after each.
std::vector<EngineState> PlayEventfulGames(bool reenter, std::vector<std::string>* reentryLog) {
    Journal journal;
    TestEngine engine(&journal, &journal);
    if (reenter) {
        journal.onEvent = [&] {
            reentryLog->push_back(std::string(engine.IsBusy() ? "busy" : "idle") +
                                  (engine.MovePiece("a2", "a3") ? " moved" : "") +
                                  (engine.MovePiece("a7", "a6") ? " moved" : "") +
                                  (engine.UndoLastMove() ? " undid" : "") +
                                  (engine.NewGame() ? " restarted" : ""));
        };
    }
    auto play = [&](std::string_view diagram, std::vector<std::string_view> moves) {
        engine.NewGame(Layout(diagram));
        for (const std::string_view move : moves) {
            EXPECT_TRUE(engine.MovePiece(move.substr(0, 2), move.substr(2, 2))) << move;
        }
        EXPECT_TRUE(engine.UndoLastMove());
        return engine.State();
    };
    std::vector<EngineState> states;
    states.push_back(play("r3k3/1P4pp/8/8/8/8/P6P/4K2R", {"b7a8", "e8e7", "e1g1", "g7g5", "f1e1"}));
    states.push_back(play("5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8", {"d7e6"}));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PawnPromotion W 0", "PieceMovement W b7 a8",
                                        "PieceCapture 2", "KingInCheck B", "PieceMovement B e8 e7",
                                        "PieceMovement W e1 g1", "PieceMovement B g7 g5",
                                        "PieceMovement W f1 e1", "KingInCheck B", "MoveUndo W",
                                        "PieceMovement W d7 e6", "Stalemate", "MoveUndo W"}));
    return states;
}

TEST_F(BadInput, CallsFromInsideEventHandlersAreRefusedAndChangeNothing) {
    std::vector<std::string> reentries;
    const std::vector<EngineState> undisturbed = PlayEventfulGames(false, nullptr);
    const std::vector<EngineState> disturbed = PlayEventfulGames(true, &reentries);
    ASSERT_EQ(disturbed.size(), undisturbed.size());
    for (std::size_t i = 0; i < disturbed.size(); ++i) {
        EXPECT_EQ(StateDifferences(undisturbed[i], disturbed[i]), "") << "game " << i;
    }
    EXPECT_EQ(reentries, std::vector<std::string>(13, "busy"));
    EXPECT_FALSE(engine.IsBusy());
}

TEST_F(BadInput, UnknownMissingAndExtraLayoutCellsAreEmptySquares) {
    const std::string full(StartLayout);
    ASSERT_TRUE(engine.NewGame(full + "WQWQ junk"));
    EXPECT_EQ(Diagram(state()), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");

    // "wk", "ZZ" and a NUL cell are unknown; the last cell lacks its second character.
    ASSERT_TRUE(engine.NewGame("BKwkZZ" + std::string("\0Q", 2) + "WKW"));
    EXPECT_EQ(Diagram(state()), "k3K3/8/8/8/8/8/8/8");
    EXPECT_EQ(state().BlackKingSquare, Sq("a8"));
    EXPECT_EQ(state().WhiteKingSquare, Sq("e8"));

    ASSERT_TRUE(engine.NewGame(""));
    EXPECT_EQ(Diagram(state()), "8/8/8/8/8/8/8/8");
    EXPECT_EQ(KingSquareProblems(state()), "");
    EXPECT_FALSE(Move("e2e4"));
    EXPECT_FALSE(engine.UndoLastMove());
}

TEST_F(BadInput, ASideWithoutAKingIsNeverInCheckAndMovesFreely) {
    SetUpBoard("rn6/8/8/8/8/8/8/R3K3");
    EXPECT_EQ(state().BlackKingSquare, 0);
    EXPECT_FALSE(engine.IsCheckmate(false, 0));
    ASSERT_TRUE(Move("a1a8"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PieceMovement W a1 a8", "PieceCapture 2"}));
    journal.Clear();
    ASSERT_TRUE(Move("b8c6"));
    ASSERT_TRUE(Move("a8a7"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PieceMovement B b8 c6", "PieceMovement W a8 a7"}));
    EXPECT_EQ(KingSquareProblems(state()), "");

    // Without a white king, White's moves are never refused for exposing it.
    SetUpBoard("4k3/8/8/8/8/8/4R3/4r3");
    EXPECT_TRUE(Move("e2a2"));
    EXPECT_TRUE(Move("e1e2"));
    EXPECT_EQ(KingSquareProblems(state()), "");
}

TEST_F(BadInput, ATakenKingLeavesNoKingSquareAndComesBackOnUndo) {
    SetUpBoard("4k3/8/8/8/8/8/8/4R1K1");
    const EngineState before = state();
    ASSERT_TRUE(Move("e1e8"));
    EXPECT_EQ(state().BlackKingSquare, 0);
    EXPECT_EQ(journal.Events()[1], "PieceCapture 0");
    EXPECT_EQ(KingSquareProblems(state()), "");
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(StateDifferences(before, state()), "");

    // A king taking the other king.
    SetUpBoard("8/8/8/8/8/8/5k2/6K1");
    ASSERT_TRUE(Move("g1f2"));
    EXPECT_EQ(state().WhiteKingSquare, Sq("f2"));
    EXPECT_EQ(state().BlackKingSquare, 0);
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(state().WhiteKingSquare, Sq("g1"));
    EXPECT_EQ(state().BlackKingSquare, Sq("f2"));
}

TEST_F(BadInput, WithSeveralKingsTheLastInBoardOrderCounts) {
    SetUpBoard("k6k/8/8/8/8/8/8/K6K");
    EXPECT_EQ(state().WhiteKingSquare, Sq("h1"));
    EXPECT_EQ(state().BlackKingSquare, Sq("h8"));
    const EngineState before = state();
    ASSERT_TRUE(Move("a1a2"));
    EXPECT_EQ(KingSquareProblems(state()), "");
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(StateDifferences(before, state()), "");
}

} // namespace
} // namespace quorrin::testing
