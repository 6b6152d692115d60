// The move command: which events a move raises and in what order, when the turn passes,
// and how a move that leaves the mover's king attacked is refused.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using MovePipeline = EngineTest;

constexpr std::string_view Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

struct EventCase {
    const char* name;
    std::string_view diagram;
    bool whiteToMove;
    std::vector<std::string_view> before;
    const char* move;
    std::vector<std::string> events;
};

TEST_F(MovePipeline, EachKindOfMoveRaisesItsEventsInOrder) {
    const EventCase cases[] = {
        {"plain move", Start, true, {}, "e2e4", {"PieceMovement W e2 e4"}},
        {"capture of a pawn",
         Start,
         true,
         {"e2e4", "d7d5"},
         "e4d5",
         {"PieceMovement W e4 d5", "PieceCapture 5"}},
        {"black captures a white pawn",
         Start,
         true,
         {"e2e4", "d7d5", "g1f3"},
         "d5e4",
         {"PieceMovement B d5 e4", "PieceCapture 11"}},
        {"check",
         Start,
         true,
         {"e2e4", "d7d5"},
         "f1b5",
         {"PieceMovement W f1 b5", "KingInCheck B"}},
        {"black gives check",
         Start,
         true,
         {"f2f3", "e7e5", "a2a3"},
         "d8h4",
         {"PieceMovement B d8 h4", "KingInCheck W"}},
        {"capture with mate",
         Start,
         true,
         {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6"},
         "h5f7",
         {"PieceMovement W h5 f7", "PieceCapture 5", "KingInCheck B mate"}},
        {"stalemate",
         "5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8",
         true,
         {},
         "d7e6",
         {"PieceMovement W d7 e6", "Stalemate"}},
        {"castling", "r3k2r/8/8/8/8/8/8/R3K2R", true, {}, "e1g1", {"PieceMovement W e1 g1"}},
        {"castling with check",
         "5k2/8/8/8/8/8/8/R3K2R",
         true,
         {},
         "e1g1",
         {"PieceMovement W e1 g1", "KingInCheck B"}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.diagram, c.whiteToMove);
        Play(c.before);
        ASSERT_TRUE(Move(c.move));
        EXPECT_EQ(journal.Events(), c.events);
    }
}

TEST_F(MovePipeline, AMadeMoveIsFramedRecordedAndPassesTheTurn) {
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_EQ(engine.SideTurn(), 1);
    EXPECT_EQ(state().LastMoveFrom, Sq("e2"));
    EXPECT_EQ(state().LastMoveTo, Sq("e4"));
    EXPECT_EQ(state().MoveHistory.size(), 1u);
    EXPECT_TRUE(state().Squares[Sq("e4")].Piece.HasMoved);
    ASSERT_TRUE(Move("g8f6"));
    EXPECT_EQ(engine.SideTurn(), 0);
    EXPECT_EQ(state().LastMoveFrom, Sq("g8"));
    EXPECT_FALSE(state().MoveHistory.back().WhiteMoved);
}

TEST_F(MovePipeline, HandlersSeeTheMoveOnTheBoardWithTheMoverStillToMove) {
    std::vector<std::string> seen;
    journal.onEvent = [&] {
        seen.push_back(std::to_string(engine.SideTurn()) + " " + At("e2") + " " + At("e4") +
                       (engine.IsBusy() ? " busy" : ""));
    };
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_EQ(seen, std::vector<std::string>{"0 XX WP busy"});
    EXPECT_FALSE(engine.IsBusy());
}

TEST_F(MovePipeline, AMoveThatLeavesTheOwnKingAttackedIsRefusedWithEverythingRestored) {
    struct RefusalCase {
        const char* name;
        std::string_view diagram;
        const char* move;
    };
    const RefusalCase cases[] = {
        {"pinned rook leaves its file", "4r1k1/8/8/8/8/8/4R3/4K3", "e2d2"},
        {"pinned knight captures", "4r1k1/8/8/8/8/6p1/4N3/4K3", "e2g3"},
        {"king steps into a pawn's attack", "6k1/8/8/8/8/3p4/8/4K3", "e1e2"},
        {"king captures a protected piece", "6k1/8/8/8/8/2b5/3n4/4K3", "e1d2"},
        {"king stays on the checking line", "4r1k1/8/8/8/8/8/8/4K3", "e1e2"},
        {"move ignores a check", "4r1k1/8/8/8/8/8/P7/4K3", "a2a3"},
        {"block of one of two checks", "4r1k1/8/8/8/7b/8/3P3B/4K3", "h2e5"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.diagram);
        const EngineState before = state();
        EXPECT_TRUE(engine.CheckMoveRule(Sq(std::string_view(c.move, 2)),
                                         Sq(std::string_view(c.move + 2, 2)), true));
        EXPECT_FALSE(Move(c.move));
        EXPECT_EQ(StateDifferences(before, state()), "");
        EXPECT_EQ(journal.Events(), std::vector<std::string>{});
    }
}

TEST_F(MovePipeline, ARefusalKeepsTheFrameHistoryAndEnPassantOfThePreviousMove) {
    SetUpBoard("4r1k1/3p4/8/2P5/8/8/4R3/4K3", false);
    Play({"d7d5"});
    const EngineState before = state();
    EXPECT_FALSE(Move("e2d2"));
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_TRUE(state().EnPassantOpen);
    EXPECT_EQ(state().LastMoveTo, Sq("d5"));
    EXPECT_TRUE(Move("c5d6"));
}

TEST_F(MovePipeline, TheRecordNamesTheColourOfTheMovingPiece) {
    // Trials of the other side's moves (as the game-end tests make) record that side.
    ASSERT_TRUE(engine.CheckMoveRule(Sq("e7"), Sq("e5"), false));
    EXPECT_FALSE(state().MoveHistory.back().WhiteMoved);
    EXPECT_TRUE(engine.TakeBackLastMove());
    ASSERT_TRUE(engine.CheckMoveRule(Sq("e2"), Sq("e4"), false));
    EXPECT_TRUE(state().MoveHistory.back().WhiteMoved);
}

TEST_F(MovePipeline, AGameThatHasEndedStillJudgesLaterRequestsNormally) {
    Play({"f2f3", "e7e5", "g2g4", "d8h4"});
    EXPECT_FALSE(Move("a2a3"));
    EXPECT_EQ(engine.SideTurn(), 0);
    EXPECT_TRUE(engine.UndoLastMove());
    EXPECT_TRUE(Move("d8g5"));
}

} // namespace
} // namespace quorrin::testing
