// Making and taking back moves allocates nothing once the history has its room: not the move
// command, not the attack test, not the checkmate and stalemate tests run after every move.
#include "engine/ChessEngine.h"
#include "tools/support/AllocationCounter.h"
#include "tools/support/PerftWalker.h"
#include "tools/support/StandardPositions.h"

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
        {"start", 3}, {"kiwipete", 2}, {"promotions", 3}, {"rook-endgame", 3}};
    for (const auto& [name, depth] : positions) {
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*ReadFen(*support::StandardFen(name))));
        support::PerftWalker walker(engine);
        walker.Run(1); // the first run may touch lazily created library state
        const auto before = support::AllocationCount();
        const auto counts = walker.Run(depth);
        EXPECT_GT(counts.nodes, 0u);
        EXPECT_EQ(support::AllocationCount() - before, 0u)
            << name << ", " << counts.nodes << " lines";
    }
}

} // namespace
