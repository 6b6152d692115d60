// How each piece moves by its own rule (test-only calls of the movement rule), regardless
// of its own king's safety.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using PieceRules = EngineTest;

TEST_F(PieceRules, RookSlidesAlongFileAndRankUntilBlockedAndCapturesTheFirstEnemy) {
    SetUpBoard("4k3/8/8/1p1R2P1/8/8/8/4K3");
    EXPECT_EQ(Targets("d5"), "d8 d7 d6 b5 c5 e5 f5 d4 d3 d2 d1");
}

TEST_F(PieceRules, BishopSlidesAlongDiagonalsUntilBlockedAndCapturesTheFirstEnemy) {
    SetUpBoard("4k3/8/1P6/8/3B4/8/5p2/4K3");
    EXPECT_EQ(Targets("d4"), "h8 g7 f6 c5 e5 c3 e3 b2 f2 a1");
}

TEST_F(PieceRules, QueenMovesAsRookAndBishopTogether) {
    SetUpBoard("4k3/6p1/1P6/3p4/1p1R2P1/2P5/5p2/4K3");
    const std::string rook = Targets("d4");
    SetUpBoard("4k3/6p1/1P6/3p4/1p1B2P1/2P5/5p2/4K3");
    const std::string bishop = Targets("d4");
    SetUpBoard("4k3/6p1/1P6/3p4/1p1Q2P1/2P5/5p2/4K3");
    std::string both;
    for (SquareIndex k = 1; k <= 64; ++k) {
        const std::string name = SquareIndexToName(k);
        if (rook.find(name) != std::string::npos || bishop.find(name) != std::string::npos) {
            both += (both.empty() ? "" : " ") + name;
        }
    }
    EXPECT_EQ(Targets("d4"), both);
    EXPECT_EQ(Targets("d4"), "g7 f6 c5 d5 e5 b4 c4 e4 f4 d3 e3 d2 f2 d1");
}

TEST_F(PieceRules, KnightJumpsOverASurroundingRingButNotOntoItsOwnPieces) {
    SetUpBoard("4k3/8/2P5/2ppp3/2pNp3/2ppPn2/8/4K3");
    EXPECT_EQ(Targets("d4"), "e6 b5 f5 b3 f3 c2 e2");
    SetUpBoard("N3k3/8/8/8/8/8/8/4K2n");
    EXPECT_EQ(Targets("a8"), "c7 b6");
    EXPECT_EQ(Targets("h1"), "g3 f2");
}

TEST_F(PieceRules, KingStepsOneSquareAndNeverTwoAwayFromItsHomeSquare) {
    SetUpBoard("4k3/8/8/8/3K4/8/8/8");
    EXPECT_EQ(Targets("d4"), "c5 d5 e5 c4 e4 c3 d3 e3");
    SetUpBoard("4k3/8/8/8/8/8/8/RK5R");
    EXPECT_EQ(Targets("b1"), "a2 b2 c2 c1");
    EXPECT_FALSE(engine.CheckMoveRule(Sq("b1"), Sq("d1"), true));
    EXPECT_FALSE(engine.CheckMoveRule(Sq("e8"), Sq("e6"), true));
    EXPECT_FALSE(engine.CheckMoveRule(Sq("e8"), Sq("b8"), true));
}

TEST_F(PieceRules, PawnStepsForwardOnceOrTwiceFromItsStartRowOnly) {
    SetUpBoard("4k3/3p4/8/8/8/6P1/4P3/4K3");
    EXPECT_EQ(Targets("e2"), "e4 e3");
    EXPECT_EQ(Targets("g3"), "g4");
    EXPECT_EQ(Targets("d7"), "d6 d5");

    // A pawn set up on a row it could never reach unmoved still has no double step.
    SetUpBoard("4k3/8/3p4/8/8/4P3/8/4K3");
    EXPECT_EQ(Targets("e3"), "e4");
    EXPECT_EQ(Targets("d6"), "d5");
}

TEST_F(PieceRules, PawnDoubleStepNeedsBothSquaresAheadEmpty) {
    SetUpBoard("4k3/8/8/8/8/4n3/4P3/4K3");
    EXPECT_EQ(Targets("e2"), "");
    SetUpBoard("4k3/8/8/8/4n3/8/4P3/4K3");
    EXPECT_EQ(Targets("e2"), "e3");
    SetUpBoard("4k3/3p4/3N4/8/8/8/8/4K3");
    EXPECT_EQ(Targets("d7"), "");
}

TEST_F(PieceRules, PawnCapturesDiagonallyForwardOnlyAndNeverStraightAhead) {
    SetUpBoard("4k3/8/8/3pnP2/4P3/8/8/4K3");
    EXPECT_EQ(Targets("e4"), "d5");
    SetUpBoard("4k3/8/8/8/8/1p6/P7/4K3");
    EXPECT_EQ(Targets("a2"), "a4 a3 b3");
    SetUpBoard("4k3/8/8/4p3/3PQN2/8/8/4K3", false);
    EXPECT_EQ(Targets("e5"), "d4 f4");
    // No pawn moves backwards or sideways.
    SetUpBoard("4k3/8/8/3ppp2/3pPp2/3ppp2/8/4K3");
    EXPECT_EQ(Targets("e4"), "d5 f5");
}

TEST_F(PieceRules, NoPieceMovesFromAnEmptySquareToItsOwnSquareOrOntoItsOwnColour) {
    SetUpBoard("4k3/8/8/8/8/8/8/QRBNKBNP");
    for (SquareIndex from = Sq("a1"); from <= Sq("h1"); ++from) {
        EXPECT_FALSE(engine.CheckMoveRule(from, from, true)) << SquareIndexToName(from);
        for (SquareIndex own = Sq("a1"); own <= Sq("h1"); ++own) {
            EXPECT_FALSE(engine.CheckMoveRule(from, own, true));
        }
    }
    for (SquareIndex to = 1; to <= 64; ++to) {
        EXPECT_FALSE(engine.CheckMoveRule(Sq("d4"), to, true));
    }
    for (const SquareIndex outside : {0, -1, 65, 200}) {
        EXPECT_FALSE(engine.CheckMoveRule(Sq("a1"), outside, true));
        EXPECT_FALSE(engine.CheckMoveRule(outside, Sq("a2"), true));
    }
}

TEST_F(PieceRules, AskingTheRuleChangesNothing) {
    SetUpBoard("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R");
    Play({"a2a4"}); // opens en passant for b4xa3
    const EngineState before = state();
    for (SquareIndex from = 1; from <= 64; ++from) {
        for (SquareIndex to = 1; to <= 64; ++to) {
            engine.CheckMoveRule(from, to, true);
        }
    }
    EXPECT_EQ(StateDifferences(before, state()), "");
}

} // namespace
} // namespace quorrin::testing
