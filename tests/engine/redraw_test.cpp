// Redraw requests: which squares the engine asks to have redrawn, with or without the
// last-move frame ("e4*" allows it), and in what order relative to its events. The moves that
// the mate and stalemate tests and the castling rule try on the board ask for none.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using Redraw = EngineTest;

TEST_F(Redraw, ANewGameDrawsAllSquaresInOrderWithTheFrameAllowed) {
    SetUpBoard("start w e2e4");
    ASSERT_TRUE(engine.NewGame());
    std::string all;
    for (int k = 1; k <= 64; ++k) {
        all += (k > 1 ? ", " : "") + SquareIndexToName(k) + "*";
    }
    EXPECT_EQ(journal.All(), all);
}

TEST_F(Redraw, EachRequestRedrawsItsSquaresInOrderBeforeItsEvents) {
    // MoveCase::events holds the whole journal of the request.
    const MoveCase cases[] = {
        {"first move", "start w", "e2e4", "e2*, e4*, PieceMovement W e2 e4"},
        {"the previous frame goes first", "start w e2e4", "d7d5",
         "e2, e4, d7*, d5*, PieceMovement B d7 d5"},
        {"capture", "start w e2e4 d7d5", "e4d5",
         "d7, d5, e4*, d5*, PieceMovement W e4 d5, PieceCapture 5"},
        {"castling: the rook, the king", "r3k2r/8/8/8/8/8/8/R3K2R w", "e1g1",
         "h1*, f1*, e1*, g1*, PieceMovement W e1 g1"},
        {"castling after a move", "r3k2r/8/8/8/8/8/8/R3K2R w e1g1", "e8c8",
         "a8*, d8*, e1, g1, e8*, c8*, PieceMovement B e8 c8"},
        {"en passant: the taken pawn first", "4k3/8/8/8/3p4/8/4P3/4K3 w e2e4", "d4e3",
         "e4*, e2, e4, d4*, e3*, PieceMovement B d4 e3"},
        {"promotion: the new piece first", "8/4P3/8/8/8/8/8/k6K w", "e7e8",
         "PawnPromotion W 0, e8*, e7*, e8*, PieceMovement W e7 e8"},
        {"refused move: its squares and the frame as they were", "4r1k1/8/8/8/8/8/4R3/4K3 b g8h8",
         "e2d2", "e2*, d2*, g8, h8, g8*, h8*, e2*, d2*"},
        {"stalemate: nothing tried is drawn", "5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w", "d7e6",
         "d7*, e6*, PieceMovement W d7 e6, Stalemate"},
        {"mate: nothing tried is drawn", "start w f2f3 e7e5 g2g4", "d8h4",
         "g2, g4, d8*, h4*, PieceMovement B d8 h4, KingInCheck W mate"},
        {"undo with nothing to take back", "start w", "undo", ""},
        {"undo of en passant", "4k3/8/8/8/3p4/8/4P3/4K3 w e2e4 d4e3", "undo",
         "e3*, d4*, e4*, d4, e3, e2*, e4*, MoveUndo B"},
        {"undo of king-side castling", "r3k2r/8/8/8/8/8/8/R3K2R w e1g1", "undo",
         "e1*, f1*, g1*, h1*, e1, g1, MoveUndo W"},
        {"undo of queen-side castling", "r3k2r/8/8/8/8/8/8/R3K2R w e1c1", "undo",
         "e1*, d1*, c1*, a1*, e1, c1, MoveUndo W"},
    };
    for (const MoveCase& c : cases) {
        SetUpBoard(c.setup);
        Move(c.move);
        EXPECT_EQ(journal.All(), c.events) << c.name;
    }
}

} // namespace
} // namespace quorrin::testing
