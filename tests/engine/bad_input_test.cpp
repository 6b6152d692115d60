// Requests and layouts the host should never send: bad square names, calls from inside
// event handlers, and layouts with unknown cells, no king or several kings.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using BadInput = EngineTest;

TEST_F(BadInput, AnyStringThatIsNoSquareNameIsRefusedWithoutTrace) {
    std::vector<std::string> bad = {"",   "e",  "e22", "E2",       "e0",
                                    "e9", "i2", " e2", "\xC3\xA9", "\xFF\x32"};
    bad.push_back(std::string(100000, 'e'));
    bad.push_back(std::string("e\0", 2));
    SetUpBoard("start w e2e4");
    const EngineState before = state();
    for (const std::string& name : bad) {
        EXPECT_FALSE(engine.MovePiece(name, "e5"));
        EXPECT_FALSE(engine.MovePiece("e7", name));
        EXPECT_FALSE(engine.MovePiece(name, name));
    }
    EXPECT_PRED_FORMAT2(SameStates, before, state());
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
}

TEST_F(BadInput, CallsFromInsideEventHandlersAreRefusedAndChangeNothing) {
    // Two games that raise every event; each handler tries to move, undo and start anew.
    const char* games[] = {"r3k3/1P4pp/8/8/8/8/P6P/4K2R w b7a8 e8e7 e1g1 g7g5 f1e1 undo",
                           "5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w d7e6 undo"};
    EngineState undisturbed[2];
    for (int i = 0; i < 2; ++i) {
        SetUpBoard(games[i]);
        undisturbed[i] = state();
    }
    std::string seen;
    journal.onEvent = [&] {
        const bool refused = engine.IsBusy() && !engine.MovePiece("a2", "a3") &&
                             !engine.MovePiece("a7", "a6") && !engine.UndoLastMove() &&
                             !engine.NewGame();
        seen += journal.entries.back() + (refused ? ", " : " (not refused), ");
    };
    for (int i = 0; i < 2; ++i) {
        SetUpBoard(games[i]);
        EXPECT_PRED_FORMAT2(SameStates, undisturbed[i], state());
    }
    EXPECT_EQ(seen, "PawnPromotion W 0, PieceMovement W b7 a8, PieceCapture 2, KingInCheck B, "
                    "PieceMovement B e8 e7, PieceMovement W e1 g1, PieceMovement B g7 g5, "
                    "PieceMovement W f1 e1, KingInCheck B, MoveUndo W, PieceMovement W d7 e6, "
                    "Stalemate, MoveUndo W, ");
    EXPECT_FALSE(engine.IsBusy());
}

TEST_F(BadInput, UnknownMissingAndExtraLayoutCellsAreEmptySquares) {
    ASSERT_TRUE(engine.NewGame(std::string(StartLayout) + "WQWQ junk"));
    EXPECT_EQ(Board(state()), StartLayout);
    // "wk", "ZZ" and a NUL cell are unknown; the last cell lacks its second character.
    ASSERT_TRUE(engine.NewGame("BKwkZZ" + std::string("\0Q", 2) + "WKW"));
    EXPECT_EQ(Board(state()), Layout("k3K3/8/8/8/8/8/8/8"));
    EXPECT_EQ(KingSquareProblems(state()), "");
    ASSERT_TRUE(engine.NewGame(""));
    EXPECT_EQ(Board(state()), Layout("8/8/8/8/8/8/8/8"));
    EXPECT_EQ(KingSquareProblems(state()), "");
    EXPECT_FALSE(Move("e2e4"));
}

TEST_F(BadInput, KinglessAndSeveralKingLayoutsKeepTheirKingSquaresRight) {
    // After each move the kings squares must name the last king of each colour, and undo
    // must bring back a taken king.
    const MoveCase cases[] = {
        {"take from a kingless side", "rn6/8/8/8/8/8/8/R3K3 w", "a1a8",
         "PieceMovement W a1 a8, PieceCapture 2"},
        {"the kingless side moves", "rn6/8/8/8/8/8/8/R3K3 w a1a8", "b8c6", "PieceMovement B b8 c6"},
        {"no king to expose", "4k3/8/8/8/8/8/4R3/4r3 w", "e2a2", "PieceMovement W e2 a2"},
        {"rook takes king", "4k3/8/8/8/8/8/8/4R1K1 w", "e1e8",
         "PieceMovement W e1 e8, PieceCapture 0, Stalemate"},
        {"king takes king", "8/8/8/8/8/8/5k2/6K1 w", "g1f2",
         "PieceMovement W g1 f2, PieceCapture 0, Stalemate"},
        {"one of several kings", "k6k/8/8/8/8/8/8/K6K w", "a1a2", "PieceMovement W a1 a2"},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        EXPECT_EQ(KingSquareProblems(state()), "");
        const EngineState before = state();
        EXPECT_EQ(Outcome(c), c.events);
        EXPECT_EQ(KingSquareProblems(state()), "");
        ASSERT_TRUE(engine.UndoLastMove());
        EXPECT_PRED_FORMAT2(SameStates, before, state());
    }
}

} // namespace
} // namespace quorrin::testing
