// The move command and undo: the events each kind of move raises and their order, the requests
// refused, the host's choice of a promoted piece, and the squares redrawn with or without the
// last-move frame ("e4*" allows it) in their order among the events. The moves that the mate
// and stalemate tests and the castling rule try on the board ask for no redraw.
#include "EngineTestSupport.h"

#include <climits>

namespace quorrin::testing {
namespace {

using MovePipeline = EngineTest;

TEST_F(MovePipeline, EachKindOfMoveRaisesItsEventsInOrder) {
    const MoveCase cases[] = {
        {"plain move", "start w", "e2e4", "PieceMovement W e2 e4"},
        {"white takes", "start w e2e4 d7d5", "e4d5", "PieceMovement W e4 d5, PieceCapture 5"},
        {"black takes", "start w e2e4 d7d5 g1f3", "d5e4", "PieceMovement B d5 e4, PieceCapture 11"},
        {"check", "start w e2e4 d7d5", "f1b5", "PieceMovement W f1 b5, KingInCheck B"},
        {"black checks", "start w f2f3 e7e5 a2a3", "d8h4", "PieceMovement B d8 h4, KingInCheck W"},
        {"capture with mate", "start w e2e4 e7e5 f1c4 b8c6 d1h5 g8f6", "h5f7",
         "PieceMovement W h5 f7, PieceCapture 5, KingInCheck B mate"},
        {"stalemate", "5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w", "d7e6",
         "PieceMovement W d7 e6, Stalemate"},
        {"castling", "r3k2r/8/8/8/8/8/8/R3K2R w", "e1g1", "PieceMovement W e1 g1"},
        {"castling with check", "5k2/8/8/8/8/8/8/R3K2R w", "e1g1",
         "PieceMovement W e1 g1, KingInCheck B"},
        {"en passant is no capture", "4k3/8/8/8/3p4/8/4P3/4K3 w e2e4", "d4e3",
         "PieceMovement B d4 e3"},
        {"promotion", "8/4P3/8/8/8/8/8/k6K w", "e7e8", "PawnPromotion W 0, PieceMovement W e7 e8"},
        {"promotion with capture", "3r3k/4P3/8/8/8/8/8/K7 w", "e7d8",
         "PawnPromotion W 0, PieceMovement W e7 d8, PieceCapture 2", WhiteKnight},
        {"promotion with mate", "7k/4P3/6K1/8/8/8/8/8 w", "e7e8",
         "PawnPromotion W 0, PieceMovement W e7 e8, KingInCheck B mate"},
        {"black promotion", "k6K/8/8/8/8/8/4p3/8 b", "e2e1",
         "PawnPromotion B 0, PieceMovement B e2 e1"},
        // A promotion that leaves the own king attacked is refused before the host is asked.
        {"pinned pawn promotes", "4k3/K2P3r/8/8/8/8/8/8 w", "d7d8", "refused", WhiteRook},
        {"promotion leaves the king in check", "4k3/3P4/8/8/8/8/8/K3r3 w", "d7d8", "refused"},
        {"pinned rook leaves its file", "4r1k1/8/8/8/8/8/4R3/4K3 w", "e2d2", "refused"},
        {"king steps into check", "4k3/8/8/8/8/8/r7/4K3 w", "e1e2", "refused"},
        {"wrong colour", "start w", "e7e5", "refused"},
        {"empty square", "start w", "e3e4", "refused"},
        {"no move at all", "start w", "e2e2", "refused"},
        {"upper case", "start w", "E2E4", "refused"},
        {"no such rank", "start w", "e2e9", "refused"},
        // Layouts the host should not send: a king taken, a side without one, two of them.
        {"rook takes king", "4k3/8/8/8/8/8/8/4R1K1 w", "e1e8",
         "PieceMovement W e1 e8, PieceCapture 0, Stalemate"},
        {"no king to expose", "4k3/8/8/8/8/8/4R3/4r3 w", "e2a2", "PieceMovement W e2 a2"},
        {"one of several kings", "k6k/8/8/8/8/8/8/K6K w", "a1a2", "PieceMovement W a1 a2"},
    };
    for (const MoveCase& c : cases) {
        EXPECT_EQ(Outcome(c), c.events) << c.name;
    }
}

TEST_F(MovePipeline, APromotedPawnBecomesTheChosenPieceOrElseAQueen) {
    // The host's answer and the piece it gives (queen to bishop: 1 to 4 Black, 7 to 10 White).
    const std::pair<PieceType, PieceType> white[] = {{0, 7},   {1, 7},  {6, 7},       {7, 7},
                                                     {10, 10}, {11, 7}, {INT_MIN, 7}, {9, 9}};
    const std::pair<PieceType, PieceType> black[] = {{0, 1}, {1, 1}, {4, 4}, {5, 1}, {7, 1}};
    for (const auto& [answer, becomes] : white) {
        journal.promotionAnswer = answer;
        SetUpBoard("8/4P3/8/8/8/8/8/k6K w e7e8");
        EXPECT_EQ(state().Squares[Sq("e8")].Piece, (PieceState{becomes, true, true})) << answer;
    }
    for (const auto& [answer, becomes] : black) {
        journal.promotionAnswer = answer;
        SetUpBoard("k6K/8/8/8/8/8/4p3/8 b e2e1");
        EXPECT_EQ(state().Squares[Sq("e1")].Piece, (PieceState{becomes, false, true})) << answer;
    }
}

using Redraw = EngineTest;

TEST_F(Redraw, ANewGameDrawsAllSquaresInOrderWithTheFrameAllowed) {
    SetUpBoard("start w e2e4");
    ASSERT_TRUE(engine.NewGame());
    std::string all;
    for (int k = 1; k <= 64; ++k) {
        all += (k > 1 ? ", " : "") + SquareIndexToName(k) + "*";
    }
    EXPECT_EQ(journal.Joined(), all);
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
        EXPECT_EQ(journal.Joined(), c.events) << c.name;
    }
}

} // namespace
} // namespace quorrin::testing
