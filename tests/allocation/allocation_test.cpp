// Making and taking back moves allocates nothing once the history has its room: not the move
// command, not the attack test, not the checkmate and stalemate tests run after every move.
#include "engine/ChessEngine.h"
#include "engine/Layout.h"
#include "tools/support/AllocationCounter.h"
#include "tools/support/PerftWalker.h"

#include <gtest/gtest.h>

using namespace quorrin;

namespace {

TEST(NoAllocation, WalkingEveryLineAllocatesNothing) {
    // The counter sees an allocation (volatile: it cannot be folded away).
    const auto start = support::AllocationCount();
    int* volatile probe = new int(7);
    delete probe;
    ASSERT_EQ(support::AllocationCount() - start, 1u);
    // Castling both ways, en passant, promotions, checks, mates and many stalemate tests.
    const std::pair<const char*, int> positions[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 3},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", 2},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", 3},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", 3},
    };
    for (const auto& [diagram, depth] : positions) {
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*LayoutFromDiagram(diagram)));
        support::PerftWalker walker(engine);
        walker.Run(1); // the first run may touch lazily created library state
        const auto before = support::AllocationCount();
        const auto counts = walker.Run(depth);
        EXPECT_GT(counts.nodes, 0u);
        EXPECT_EQ(support::AllocationCount() - before, 0u)
            << diagram << ", " << counts.nodes << " lines";
    }
}

} // namespace
