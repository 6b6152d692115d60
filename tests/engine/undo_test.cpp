// Taking moves back, one by one to the start of the game.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using Undo = EngineTest;

TEST_F(Undo, AGameIsTakenBackMoveByMoveToTheExactStateBeforeEachMove) {
    // Double steps, en passant, captures and both castlings.
    const std::vector<std::string_view> game = {"e2e4", "d7d5", "e4e5", "f7f5", "e5f6",
                                                "g7f6", "g1f3", "c8g4", "f1e2", "b8c6",
                                                "e1g1", "d8d7", "d2d4", "e8c8"};
    std::vector<EngineState> before;
    for (const std::string_view move : game) {
        before.push_back(state());
        ASSERT_TRUE(Move(move)) << move;
    }
    EXPECT_EQ(Board(state()), Layout("2kr1bnr/pppqp2p/2n2p2/3p4/3P2b1/5N2/PPP1BPPP/RNBQ1RK1"));
    journal.entries.clear();
    for (std::size_t n = game.size(); n > 0; --n) {
        ASSERT_TRUE(engine.UndoLastMove());
        EXPECT_PRED_FORMAT2(SameStates, before[n - 1], state());
    }
    EXPECT_EQ(journal.Events(), "MoveUndo B, MoveUndo W, MoveUndo B, MoveUndo W, MoveUndo B, "
                                "MoveUndo W, MoveUndo B, MoveUndo W, MoveUndo B, MoveUndo W, "
                                "MoveUndo B, MoveUndo W, MoveUndo B, MoveUndo W");
    journal.entries.clear();
    EXPECT_FALSE(engine.UndoLastMove());
    EXPECT_FALSE(engine.TakeBackLastMove());
    EXPECT_EQ(journal.entries, std::vector<std::string>{});
    EXPECT_PRED_FORMAT2(SameStates, before[0], state());
}

} // namespace
} // namespace quorrin::testing
