// Seeded random games through the shared exercise: legal and illegal requests, undos, new
// games, odd promotion answers and mate questions, with every invariant checked after every
// call (the fuzz target runs the same exercise on its own inputs).
#include "tests/support/EngineExercise.h"

#include <gtest/gtest.h>

#include <random>

namespace quorrin::testing {
namespace {

class RandomBytes : public ByteSource {
public:
    explicit RandomBytes(std::size_t count) : left_(count) {}
    bool Empty() const override { return left_ == 0; }
    std::uint8_t Next() override {
        left_ -= left_ > 0;
        return static_cast<std::uint8_t>(rng_());
    }

private:
    std::mt19937 rng_{20240611};
    std::size_t left_;
};

TEST(RandomGames, EveryCallKeepsTheInvariantsAndUndoRestoresTheExactState) {
    RandomBytes bytes(200000);
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
