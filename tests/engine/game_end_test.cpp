// Checkmate and stalemate: a side in check with no legal move is mated, a side not in check
// with no legal move is stalemated, and asking changes nothing.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using GameEnd = EngineTest;

struct Verdict {
    const char* name;
    std::string_view diagram;
    bool sideIsWhite; // the side that is asked about
    bool mated;
    bool stalemated;
};

TEST_F(GameEnd, MateAndStalemateAreJudgedOnEveryLegalAnswer) {
    const Verdict cases[] = {
        {"start position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", false, false, false},
        {"back-rank mate", "4R1k1/5ppp/8/8/8/8/8/6K1", false, true, false},
        {"back-rank check, rook takes", "r3R1k1/5ppp/8/8/8/8/8/6K1", false, false, false},
        {"back-rank check, knight blocks", "4R1k1/3n1ppp/8/8/8/8/8/6K1", false, false, false},
        {"king takes the unprotected checker", "6k1/6Q1/8/8/8/8/8/K7", false, false, false},
        {"smothered mate", "6rk/5Npp/8/8/8/8/8/K7", false, true, false},
        {"smothering knight can be taken", "4b1rk/5Npp/8/8/8/8/8/K7", false, false, false},
        {"double check, capture of one checker is no answer", "4R2k/5Npp/8/8/8/K7/8/5r2", false,
         true, false},
        {"the only blocker is pinned", "R6k/7p/4N3/8/8/2r5/8/B3K3", false, true, false},
        {"the blocker is pinned but the king can flee", "R6k/8/4N3/8/8/2r5/8/B3K3", false, false,
         false},
        {"white stalemated in the corner", "8/8/8/8/8/8/5q2/5k1K", true, false, true},
        {"white mated by two rooks", "k7/8/8/8/8/8/r7/1r5K", true, true, false},
        {"lone king boxed in, not in check", "k7/2Q5/8/8/8/8/8/7K", false, false, true},
        {"boxed king with a free pawn", "k7/2Q5/8/7p/8/8/8/7K", false, false, false},
        {"boxed king with a blocked pawn", "k7/2Q5/8/7p/7P/8/8/7K", false, false, true},
        {"the only other piece is pinned", "kn5R/7R/8/8/8/8/8/7K", false, false, true},
        {"the pinned piece may move along the pin", "kr5R/7R/8/8/8/8/8/7K", false, false, false},
        {"boxed king in check without moves", "k7/1Q6/2K5/8/8/8/8/8", false, true, false},
    };
    for (const Verdict& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.diagram, c.sideIsWhite);
        const SquareIndex king = c.sideIsWhite ? state().WhiteKingSquare : state().BlackKingSquare;
        const EngineState before = state();
        EXPECT_EQ(engine.IsCheckmate(c.sideIsWhite, king), c.mated);
        EXPECT_EQ(engine.IsStalemate(c.sideIsWhite, king), c.stalemated);
        EXPECT_EQ(StateDifferences(before, state()), "");
        EXPECT_EQ(journal.Events(), std::vector<std::string>{});
    }
}

TEST_F(GameEnd, MateByAPinnedBlockersAbsenceIsReportedAsMate) {
    SetUpBoard("7k/7p/4N3/8/8/2r5/R7/B3K3");
    ASSERT_TRUE(Move("a2a8"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PieceMovement W a2 a8", "KingInCheck B mate"}));
    EXPECT_FALSE(Move("c3c8"));
}

TEST_F(GameEnd, EnPassantAnswersACheckGivenByADoubleStep) {
    constexpr std::string_view boxedKing = "8/3B4/pp6/k7/2p5/P7/1P6/7K";
    SetUpBoard(boxedKing);
    ASSERT_TRUE(Move("b2b4"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PieceMovement W b2 b4", "KingInCheck B"}));
    EXPECT_EQ(Diagram(state()), "8/3B4/pp6/k7/1Pp5/P7/8/7K");
    EXPECT_TRUE(Move("c4b3"));

    // The same check given by a single step leaves no answer.
    SetUpBoard("8/3B4/pp6/k7/2p5/PP6/8/7K");
    ASSERT_TRUE(Move("b3b4"));
    EXPECT_EQ(journal.Events(),
              (std::vector<std::string>{"PieceMovement W b3 b4", "KingInCheck B mate"}));
}

TEST_F(GameEnd, AnEnPassantCaptureCountsAsAMoveAgainstStalemate) {
    constexpr std::string_view boxedKing = "k7/2K5/2N5/8/3p4/3P4/4P2P/8";
    SetUpBoard(boxedKing);
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_EQ(journal.Events(), std::vector<std::string>{"PieceMovement W e2 e4"});
    EXPECT_EQ(Diagram(state()), "k7/2K5/2N5/8/3pP3/3P4/7P/8");
    EXPECT_TRUE(Move("d4e3"));

    SetUpBoard(boxedKing);
    ASSERT_TRUE(Move("h2h3"));
    EXPECT_EQ(journal.Events(), (std::vector<std::string>{"PieceMovement W h2 h3", "Stalemate"}));
    EXPECT_EQ(engine.SideTurn(), 1);
}

TEST_F(GameEnd, APinnedPieceGivesNoEscapeFromStalemate) {
    SetUpBoard("kn5R/8/8/8/8/8/7R/6K1");
    ASSERT_TRUE(Move("h2h7"));
    EXPECT_EQ(journal.Events(), (std::vector<std::string>{"PieceMovement W h2 h7", "Stalemate"}));
}

TEST_F(GameEnd, TrialPromotionsLeaveNoRequestBehind) {
    SetUpBoard("k7/2K5/2N5/8/8/8/4p3/8", false);
    const EngineState before = state();
    EXPECT_FALSE(engine.IsStalemate(false, state().BlackKingSquare));
    EXPECT_FALSE(state().PromotionPending);
    EXPECT_EQ(StateDifferences(before, state()), "");

    SetUpBoard("k7/2K5/2N5/8/8/8/4p3/8", true);
    ASSERT_TRUE(Move("c7b6"));
    EXPECT_EQ(journal.Events(), std::vector<std::string>{"PieceMovement W c7 b6"});
    EXPECT_FALSE(state().PromotionPending);
    journal.promotionAnswer = BlackKnight;
    ASSERT_TRUE(Move("e2e1"));
    EXPECT_EQ(At("e1"), "BN");
}

} // namespace
} // namespace quorrin::testing
