// Which squares a side attacks: could one of its pieces capture there?
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

class AttackTest : public EngineTest {
protected:
    // Every square attacked by the given colour, in board order.
    std::string AttackedBy(bool white) const {
        std::string squares;
        for (SquareIndex k = 1; k <= 64; ++k) {
            if (engine.IsSquareAttacked(!white, k)) {
                squares += (squares.empty() ? "" : " ") + SquareIndexToName(k);
            }
        }
        return squares;
    }
};

TEST_F(AttackTest, PawnsAttackOnlyDiagonallyForward) {
    SetUpBoard("8/8/8/8/4P3/8/8/8");
    EXPECT_EQ(AttackedBy(true), "d5 f5");
    SetUpBoard("8/8/8/4p3/8/8/8/8");
    EXPECT_EQ(AttackedBy(false), "d4 f4");
    SetUpBoard("8/8/8/8/8/8/8/P6p");
    EXPECT_EQ(AttackedBy(true), "b2");
    EXPECT_EQ(AttackedBy(false), "");
}

TEST_F(AttackTest, KingAndKnightReachTheirSquaresAndNoFurther) {
    SetUpBoard("8/8/8/8/3K4/8/8/8");
    EXPECT_EQ(AttackedBy(true), "c5 d5 e5 c4 e4 c3 d3 e3");
    SetUpBoard("n7/8/8/8/8/8/8/7k");
    EXPECT_EQ(AttackedBy(false), "c7 b6 g2 h2 g1");
}

TEST_F(AttackTest, SlidersStopAtTheFirstPieceWhateverItsColourOrKind) {
    // The rook's file is cut by its own pawn and its rank by an enemy pawn it can take.
    SetUpBoard("8/8/8/8/R2p4/P7/8/8");
    EXPECT_EQ(AttackedBy(true), "a8 a7 a6 a5 b4 c4 d4 a3");
    // A bishop stopped at once by its own pawn; a queen whose rank ends at an enemy knight.
    SetUpBoard("8/8/8/8/8/8/1P6/B2nQ3");
    EXPECT_EQ(AttackedBy(true), "e8 e7 e6 a5 e5 b4 e4 h4 a3 c3 e3 g3 b2 d2 e2 f2 d1 f1 g1 h1");
}

TEST_F(AttackTest, IgnoresWhatStandsOnTheSquareAndEnPassant) {
    SetUpBoard("4k3/8/8/5n2/3p4/8/4P3/4K3");
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_TRUE(state().EnPassantOpen);
    EXPECT_FALSE(engine.IsSquareAttacked(true, Sq("e4")));
    EXPECT_TRUE(engine.IsSquareAttacked(true, Sq("e3")));
    EXPECT_TRUE(engine.IsSquareAttacked(false, Sq("d5"))); // empty
    EXPECT_TRUE(engine.IsSquareAttacked(false, Sq("f5"))); // holds a black knight
    for (const SquareIndex outside : {0, -1, 65}) {
        EXPECT_FALSE(engine.IsSquareAttacked(true, outside));
        EXPECT_FALSE(engine.IsSquareAttacked(false, outside));
    }
}

} // namespace
} // namespace quorrin::testing
