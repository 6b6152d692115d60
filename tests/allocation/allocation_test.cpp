// Making and taking back moves allocates nothing once the history has its room: not the move
// command, not the attack test, not the checkmate and stalemate tests run after every move.
#include "engine/ChessEngine.h"
#include "engine/LayoutText.h"
#include "tools/AllocationCounter.h"
#include "tools/PerftWalker.h"

#include <gtest/gtest.h>

using namespace quorrin;

namespace {

struct Position {
    const char* name;
    const char* diagram;
    bool whiteToMove;
    int depth;
};

class NoAllocation : public ::testing::TestWithParam<Position> {};

TEST(AllocationCounter, SeesAnAllocation) {
    const auto before = tools::AllocationCount();
    int* volatile probe = new int(7); // volatile: the allocation cannot be folded away
    delete probe;
    EXPECT_EQ(tools::AllocationCount() - before, 1u);
}

TEST_P(NoAllocation, WalkingEveryLineAllocatesNothing) {
    const Position& p = GetParam();
    ChessEngine engine;
    ASSERT_TRUE(engine.NewGame(*LayoutFromDiagram(p.diagram), p.whiteToMove));
    tools::PerftWalker walker(engine);
    walker.Run(1); // the first run may touch lazily created library state

    const auto before = tools::AllocationCount();
    const auto counts = walker.Run(p.depth);
    const auto after = tools::AllocationCount();

    EXPECT_GT(counts.nodes, 0u);
    EXPECT_EQ(after - before, 0u) << "allocations while walking " << counts.nodes << " lines";
}

INSTANTIATE_TEST_SUITE_P(
    Positions, NoAllocation,
    ::testing::Values(
        Position{"Start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, 3},
        // Castling both ways, en passant, promotions, checks and a mate within three plies.
        Position{"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, 2},
        Position{"Promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", true, 3},
        // Many stalemate tests that have to look at every piece.
        Position{"Endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", true, 3}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
