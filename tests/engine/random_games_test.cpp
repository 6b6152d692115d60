// Seeded random games through the shared exercise: legal and illegal requests, undos, new
// games, odd promotion answers and mate questions, with every invariant checked after every
// call (the fuzz target runs the same exercise on its own inputs).
#include "tests/support/EngineExercise.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quorrin::testing {
namespace {

TEST(RandomGames, EveryCallKeepsTheInvariantsAndUndoRestoresTheExactState) {
    std::mt19937 random(20240611);
    std::vector<std::uint8_t> data(200000);
    for (std::uint8_t& byte : data) {
        byte = static_cast<std::uint8_t>(random());
    }
    ByteSource bytes(data.data(), data.size());
    ExerciseCounts counts;
    ASSERT_EQ(Exercise(bytes, counts), "");
    // The mix must really exercise every kind of call and every event.
    EXPECT_GT(counts.made, 10000u);
    EXPECT_GT(counts.refused, 5000u);
    EXPECT_GT(counts.undone, 3000u);
    for (const std::size_t raised : counts.events) {
        EXPECT_GT(raised, 0u);
    }
}

} // namespace
} // namespace quorrin::testing
