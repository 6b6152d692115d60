// Setting up a game: the start position, layouts, the side to move and what a new game
// forgets.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using NewGame = EngineTest;

constexpr std::string_view StartDiagram = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

TEST_F(NewGame, ANewEngineHoldsTheStartPositionWithWhiteToMove) {
    EXPECT_EQ(Diagram(state()), StartDiagram);
    EXPECT_EQ(engine.SideTurn(), 0);
    EXPECT_EQ(state().WhiteKingSquare, Sq("e1"));
    EXPECT_EQ(state().BlackKingSquare, Sq("e8"));
    EXPECT_TRUE(engine.HistoryIsEmpty());
    EXPECT_EQ(state().LastMoveFrom, 0);
    EXPECT_EQ(state().LastMoveTo, 0);
    EXPECT_FALSE(state().EnPassantOpen);
    EXPECT_FALSE(state().PromotionPending);
    EXPECT_FALSE(state().Squares[0].Occupied);
    for (int k = 1; k <= 64; ++k) {
        EXPECT_FALSE(state().Squares[k].Piece.HasMoved) << SquareIndexToName(k);
    }
}

TEST_F(NewGame, PieceCodesFollowTheirTable) {
    SetUpBoard("kqrnbp2/8/8/8/8/8/8/KQRNBP2");
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(state().Squares[1 + k].Piece.Kind, k);
        EXPECT_FALSE(state().Squares[1 + k].Piece.IsWhite);
        EXPECT_EQ(state().Squares[57 + k].Piece.Kind, k + 6);
        EXPECT_TRUE(state().Squares[57 + k].Piece.IsWhite);
    }
}

TEST_F(NewGame, SquareColoursAlternateWithA8Light) {
    EXPECT_FALSE(state().Squares[Sq("a8")].IsDark);
    EXPECT_FALSE(state().Squares[Sq("h1")].IsDark);
    EXPECT_TRUE(state().Squares[Sq("b8")].IsDark);
    EXPECT_TRUE(state().Squares[Sq("a1")].IsDark);
    EXPECT_TRUE(state().Squares[Sq("h8")].IsDark);
    EXPECT_EQ(state().Squares[Sq("e4")].File, 5);
    EXPECT_EQ(state().Squares[Sq("e4")].Row, 5);
}

TEST_F(NewGame, BlackCanBeGivenTheFirstMove) {
    ASSERT_TRUE(engine.NewGame(Layout("4k3/4p3/8/8/8/8/4P3/4K3"), false));
    EXPECT_EQ(engine.SideTurn(), 1);
    EXPECT_FALSE(Move("e2e4"));
    EXPECT_TRUE(Move("e7e5"));
    EXPECT_EQ(engine.SideTurn(), 0);
}

TEST_F(NewGame, ForgetsHistoryFrameAndEnPassantOfThePreviousGame) {
    Play({"e2e4", "g8f6", "e4e5", "d7d5"});
    ASSERT_TRUE(state().EnPassantOpen);
    ASSERT_TRUE(engine.NewGame());
    EXPECT_EQ(Diagram(state()), StartDiagram);
    EXPECT_EQ(engine.SideTurn(), 0);
    EXPECT_TRUE(engine.HistoryIsEmpty());
    EXPECT_FALSE(state().EnPassantOpen);
    EXPECT_EQ(state().LastMoveFrom, 0);
    EXPECT_EQ(state().LastMoveTo, 0);
    EXPECT_FALSE(engine.UndoLastMove());
}

TEST_F(NewGame, RestoresTheRightToCastleAfterKingsAndRooksHaveMoved) {
    constexpr std::string_view castles = "r3k2r/8/8/8/8/8/8/R3K2R";
    SetUpBoard(castles);
    Play({"e1e2", "e8e7", "e2e1", "e7e8", "a1b1", "h8g8", "b1a1", "g8h8"});
    EXPECT_EQ(Targets("e1"), "d2 e2 f2 d1 f1");
    ASSERT_TRUE(engine.NewGame(Layout(castles)));
    EXPECT_EQ(Targets("e1"), "d2 e2 f2 c1 d1 f1 g1");
    EXPECT_EQ(Targets("e8"), "c8 d8 f8 g8 d7 e7 f7");
}

} // namespace
} // namespace quorrin::testing
