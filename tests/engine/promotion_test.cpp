// Promotion: the host's choice of piece, promotion by capture and a refused promotion.
#include "EngineTestSupport.h"

#include <climits>

namespace quorrin::testing {
namespace {

using Promotion = EngineTest;

struct ChoiceCase {
    PieceType answer;
    PieceType becomes;
};

TEST_F(Promotion, AnythingButAQueenRookKnightOrBishopOfThePawnsColourGivesAQueen) {
    const ChoiceCase white[] = {
        {0, WhiteQueen},           {-1, WhiteQueen},           {BlackQueen, WhiteQueen},
        {BlackKnight, WhiteQueen}, {WhiteKing, WhiteQueen},    {WhitePawn, WhiteQueen},
        {12, WhiteQueen},          {INT_MIN, WhiteQueen},      {WhiteQueen, WhiteQueen},
        {WhiteRook, WhiteRook},    {WhiteKnight, WhiteKnight}, {WhiteBishop, WhiteBishop}};
    for (const ChoiceCase& c : white) {
        SCOPED_TRACE(c.answer);
        SetUpBoard("8/4P3/8/8/8/8/8/k6K");
        journal.promotionAnswer = c.answer;
        ASSERT_TRUE(Move("e7e8"));
        EXPECT_EQ(journal.Events(),
                  (std::vector<std::string>{"PawnPromotion W 0", "PieceMovement W e7 e8"}));
        EXPECT_EQ(state().Squares[Sq("e8")].Piece, (PieceState{c.becomes, true, true}));
    }
    const ChoiceCase black[] = {
        {0, BlackQueen},           {-1, BlackQueen},           {WhiteQueen, BlackQueen},
        {WhiteKnight, BlackQueen}, {BlackKing, BlackQueen},    {BlackPawn, BlackQueen},
        {BlackRook, BlackRook},    {BlackKnight, BlackKnight}, {BlackBishop, BlackBishop}};
    for (const ChoiceCase& c : black) {
        SCOPED_TRACE(c.answer);
        SetUpBoard("k6K/8/8/8/8/8/4p3/8", false);
        journal.promotionAnswer = c.answer;
        ASSERT_TRUE(Move("e2e1"));
        EXPECT_EQ(journal.Events(),
                  (std::vector<std::string>{"PawnPromotion B 0", "PieceMovement B e2 e1"}));
        EXPECT_EQ(state().Squares[Sq("e1")].Piece, (PieceState{c.becomes, false, true}));
    }
}

TEST_F(Promotion, ByCaptureReportsTheCaptureOfThePieceOnTheLastRow) {
    SetUpBoard("3r3k/4P3/8/8/8/8/8/K7");
    journal.promotionAnswer = WhiteKnight;
    ASSERT_TRUE(Move("e7d8"));
    EXPECT_EQ(
        journal.Events(),
        (std::vector<std::string>{"PawnPromotion W 0", "PieceMovement W e7 d8", "PieceCapture 2"}));
    EXPECT_EQ(Diagram(state()), "3N3k/8/8/8/8/8/8/K7");
    EXPECT_EQ(state().MoveHistory.back().Kind, MoveKind::PromotionMove);
}

TEST_F(Promotion, TheNewPieceCanGiveCheckAndMate) {
    SetUpBoard("7k/4P3/6K1/8/8/8/8/8");
    ASSERT_TRUE(Move("e7e8"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PawnPromotion W 0", "PieceMovement W e7 e8",
                                        "KingInCheck B mate"}));
}

TEST_F(Promotion, APinnedPawnIsAskedForItsPieceAndThenRefused) {
    SetUpBoard("4k3/K2P3r/8/8/8/8/8/8");
    const EngineState before = state();
    journal.promotionAnswer = WhiteRook;
    EXPECT_FALSE(Move("d7d8"));
    EXPECT_EQ(journal.Events(), std::vector<std::string>{"PawnPromotion W 0"});
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_EQ(At("d7"), "WP");
    EXPECT_EQ(At("d8"), "XX");
}

TEST_F(Promotion, OnlyAnExecutedPawnMoveRaisesTheRequest) {
    SetUpBoard("8/4P3/8/8/8/8/8/k6K");
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e7"), Sq("e8"), true));
    EXPECT_FALSE(state().PromotionPending);
    EXPECT_TRUE(engine.HistoryIsEmpty());

    EXPECT_TRUE(engine.CheckMoveRule(Sq("e7"), Sq("e8"), false));
    EXPECT_TRUE(state().PromotionPending);
    EXPECT_TRUE(state().PromotionIsWhite);
    EXPECT_EQ(state().PromotionSquare, Sq("e8"));
    EXPECT_EQ(state().MoveHistory.back().Kind, MoveKind::PromotionMove);
    EXPECT_EQ(At("e7"), "WP"); // the caller moves the pawn
}

} // namespace
} // namespace quorrin::testing
