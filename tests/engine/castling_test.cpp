// Castling: each condition under which the movement rule refuses it.
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
        {"no rooks on the rook squares", "4k3/8/8/8/8/8/8/Q3K2B w", false, false},
        {"an attacked b1 does not matter", "1r2k3/8/8/8/8/8/8/R3K2R w", true, true},
        {"nor an attacked destination", "4k3/8/8/8/8/8/7b/R3K2R w", true, true},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        const EngineState before = state();
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("g1"), true), c.kingSide);
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("c1"), true), c.queenSide);
        EXPECT_PRED_FORMAT2(SameStates, before, state());
    }
    // The move command refuses the castling into check that the rule allowed.
    EXPECT_FALSE(Move("e1g1"));
    SetUpBoard("r3k2r/8/8/8/8/8/8/3RK3 b");
    EXPECT_FALSE(engine.CheckMoveRule(Sq("e8"), Sq("c8"), true));
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e8"), Sq("g8"), true));
}

} // namespace
} // namespace quorrin::testing
