// Checkmate and stalemate: a side in check with no legal move is mated, a side not in check
// with no legal move is stalemated; every answer counts, en passant included, and no move
// of a pinned piece does. The moves tried on the board leave no trace and draw nothing.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using GameEnd = EngineTest;

struct Verdict {
    const char* name;
    std::string_view setup; // the side to move after it is the side asked about
    bool mated;
    bool stalemated;
};

TEST_F(GameEnd, MateAndStalemateAreJudgedOnEveryLegalAnswer) {
    const Verdict cases[] = {
        {"start position", "start b", false, false},
        {"back-rank mate", "4R1k1/5ppp/8/8/8/8/8/6K1 b", true, false},
        {"back-rank check, rook takes", "r3R1k1/5ppp/8/8/8/8/8/6K1 b", false, false},
        {"back-rank check, knight blocks", "4R1k1/3n1ppp/8/8/8/8/8/6K1 b", false, false},
        {"king takes the unprotected checker", "6k1/6Q1/8/8/8/8/8/K7 b", false, false},
        {"smothered mate", "6rk/5Npp/8/8/8/8/8/K7 b", true, false},
        {"smothering knight can be taken", "4b1rk/5Npp/8/8/8/8/8/K7 b", false, false},
        {"double check, one capture is no answer", "4R2k/5Npp/8/8/8/K7/8/5r2 b", true, false},
        {"the only blocker is pinned", "R6k/7p/4N3/8/8/2r5/8/B3K3 b", true, false},
        {"pinned blocker, but the king can flee", "R6k/8/4N3/8/8/2r5/8/B3K3 b", false, false},
        {"white stalemated in the corner", "8/8/8/8/8/8/5q2/5k1K w", false, true},
        {"white mated by two rooks", "k7/8/8/8/8/8/r7/1r5K w", true, false},
        {"lone king boxed in, not in check", "k7/2Q5/8/8/8/8/8/7K b", false, true},
        {"boxed king with a free pawn", "k7/2Q5/8/7p/8/8/8/7K b", false, false},
        {"boxed king with a blocked pawn", "k7/2Q5/8/7p/7P/8/8/7K b", false, true},
        {"the only other piece is pinned", "kn5R/7R/8/8/8/8/8/7K b", false, true},
        {"the pinned piece may move along the pin", "kr5R/7R/8/8/8/8/8/7K b", false, false},
        {"kings side by side", "k7/1Q6/2K5/8/8/8/8/8 b", true, false},
        {"en passant is the only move", "k7/2K5/2N5/8/3p4/3P4/4P2P/8 w e2e4", false, false},
        {"no en passant, no move", "k7/2K5/2N5/8/3p4/3P4/4P2P/8 w h2h3", false, true},
        {"en passant answers a double step's check", "8/3B4/pp6/k7/2p5/P7/1P6/7K w b2b4", false,
         false},
        {"a single step's check has no answer", "8/3B4/pp6/k7/2p5/PP6/8/7K w b3b4", true, false},
        {"a promotion is a move", "k7/2K5/2N5/8/8/8/4p3/8 w c7b6", false, false},
    };
    for (const Verdict& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        const bool side = state().WhitesTurn;
        const SquareIndex king = side ? state().WhiteKingSquare : state().BlackKingSquare;
        const EngineState before = state();
        EXPECT_EQ(engine.IsCheckmate(side, king), c.mated);
        EXPECT_EQ(engine.IsStalemate(side, king), c.stalemated);
        EXPECT_TRUE(SameState(before, state(), true)) << Describe(state());
        EXPECT_EQ(journal.entries, std::vector<std::string>{});
    }
}

} // namespace
} // namespace quorrin::testing
