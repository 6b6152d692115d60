// Castling: each condition under which the movement rule refuses it, and the trial step over
// the crossed square, which must leave no trace.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using Castling = EngineTest;

struct Refusal {
    const char* name;
    std::string_view setup;
    bool kingSide;
    bool queenSide;
};

TEST_F(Castling, IsRefusedByTheRuleInEachOfItsConditions) {
    const Refusal cases[] = {
        {"king has moved", "r3k2r/8/8/8/8/8/8/R3K2R w e1e2 a8b8 e2e1 b8a8", false, false},
        {"queen's rook has moved", "r3k2r/8/8/8/8/8/8/R3K2R w a1b1 a8b8 b1a1 b8a8", true, false},
        {"king's rook has moved", "r3k2r/8/8/8/8/8/8/R3K2R w h1h2 a8b8 h2h1 b8a8", false, true},
        {"king in check", "4k3/8/8/8/4r3/8/8/R3K2R w", false, false},
        {"crossed f1 attacked", "4k3/8/8/8/5r2/8/8/R3K2R w", false, true},
        {"crossed d1 attacked", "4k3/8/8/8/3r4/8/8/R3K2R w", true, false},
        {"b1 occupied", "4k3/8/8/8/8/8/8/RN2K2R w", true, false},
        {"c1 and g1 occupied", "4k3/8/8/8/8/8/8/R1B1K1NR w", false, false},
        {"no rooks of the king's colour", "4k3/8/8/8/8/8/8/r3K2B w", false, false},
        {"an attacked b1 does not matter", "1r2k3/8/8/8/8/8/8/R3K2R w", true, true},
        {"nor an attacked destination", "4k3/8/8/8/8/8/7b/R3K2R w", true, true},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        const EngineState before = state();
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("g1"), true), c.kingSide);
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("c1"), true), c.queenSide);
        // The king's trial step over the crossed square is invisible.
        EXPECT_TRUE(SameState(before, state(), true)) << Describe(state());
        EXPECT_EQ(journal.entries, std::vector<std::string>{});
    }
    // The move command refuses the castling into check that the rule allowed.
    EXPECT_FALSE(Move("e1g1"));
    SetUpBoard("r3k2r/8/8/8/8/8/8/3RK3 b");
    EXPECT_FALSE(engine.CheckMoveRule(Sq("e8"), Sq("c8"), true));
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e8"), Sq("g8"), true));
    // Only a king on e1 or e8 castles, whatever stands where a rook would.
    for (const auto& [setup, move] : {std::pair{"4k3/8/8/8/8/8/8/1R3K2 w", "f1c1"},
                                      {"4k3/8/8/8/8/8/8/2K2R2 w", "c1g1"},
                                      {"8/r3k3/8/8/8/8/8/4K3 b", "e7c8"}}) {
        SetUpBoard(setup);
        EXPECT_FALSE(Move(move)) << setup << " " << move;
    }
}

} // namespace
} // namespace quorrin::testing
