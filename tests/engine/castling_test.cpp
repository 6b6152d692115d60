// Castling: when the king may castle, what moves, and each way it is refused.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using Castling = EngineTest;

constexpr std::string_view BothSidesFree = "r3k2r/8/8/8/8/8/8/R3K2R";

TEST_F(Castling, KingMayCastleOnBothSidesWhenNothingStandsInTheWay) {
    SetUpBoard(BothSidesFree);
    EXPECT_EQ(Targets("e1"), "d2 e2 f2 c1 d1 f1 g1");
    EXPECT_EQ(Targets("e8"), "c8 d8 f8 g8 d7 e7 f7");
}

struct CastlingCase {
    const char* move;
    const char* after;
    MoveKind kind;
};

TEST_F(Castling, MovesTheRookToTheSquareTheKingCrossed) {
    const CastlingCase cases[] = {
        {"e1g1", "r3k2r/8/8/8/8/8/8/R4RK1", MoveKind::CastleKingSide},
        {"e1c1", "r3k2r/8/8/8/8/8/8/2KR3R", MoveKind::CastleQueenSide},
        {"e8g8", "r4rk1/8/8/8/8/8/8/R3K2R", MoveKind::CastleKingSide},
        {"e8c8", "2kr3r/8/8/8/8/8/8/R3K2R", MoveKind::CastleQueenSide},
    };
    for (const CastlingCase& c : cases) {
        SCOPED_TRACE(c.move);
        const bool white = c.move[1] == '1';
        SetUpBoard(BothSidesFree, white);
        ASSERT_TRUE(Move(c.move));
        EXPECT_EQ(Diagram(state()), c.after);
        ASSERT_EQ(state().MoveHistory.size(), 1u);
        EXPECT_EQ(state().MoveHistory.back().Kind, c.kind);
        EXPECT_FALSE(state().MoveHistory.back().ToOccupied);
        const std::string rookSquare = c.kind == MoveKind::CastleKingSide
                                           ? std::string("f") + c.move[1]
                                           : std::string("d") + c.move[1];
        EXPECT_TRUE(state().Squares[Sq(rookSquare)].Piece.HasMoved);
        EXPECT_EQ(white ? state().WhiteKingSquare : state().BlackKingSquare,
                  Sq(std::string_view(c.move + 2, 2)));
    }
}

struct RefusalCase {
    const char* name;
    std::string_view diagram;
    std::vector<std::string_view> before; // moves played first
    bool kingSideAllowed;
    bool queenSideAllowed;
};

TEST_F(Castling, IsRefusedByTheRuleInEachOfItsConditions) {
    const RefusalCase cases[] = {
        {"king has moved", BothSidesFree, {"e1e2", "a8b8", "e2e1", "b8a8"}, false, false},
        {"queen's rook has moved", BothSidesFree, {"a1b1", "a8b8", "b1a1", "b8a8"}, true, false},
        {"king's rook has moved", BothSidesFree, {"h1h2", "a8b8", "h2h1", "b8a8"}, false, true},
        {"king in check", "4k3/8/8/8/4r3/8/8/R3K2R", {}, false, false},
        {"crossed f1 attacked", "4k3/8/8/8/5r2/8/8/R3K2R", {}, false, true},
        {"crossed d1 attacked", "4k3/8/8/8/3r4/8/8/R3K2R", {}, true, false},
        {"b1 occupied", "4k3/8/8/8/8/8/8/RN2K2R", {}, true, false},
        {"c1 and g1 occupied", "4k3/8/8/8/8/8/8/R1B1K1NR", {}, false, false},
        {"no rook on the rook squares", "4k3/8/8/8/8/8/8/Q3K2B", {}, false, false},
        {"attacked b1 does not matter", "1r2k3/8/8/8/8/8/8/R3K2R", {}, true, true},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.diagram);
        Play(c.before);
        const EngineState before = state();
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("g1"), true), c.kingSideAllowed);
        EXPECT_EQ(engine.CheckMoveRule(Sq("e1"), Sq("c1"), true), c.queenSideAllowed);
        EXPECT_EQ(StateDifferences(before, state()), "");
    }
}

TEST_F(Castling, BlackIsRefusedAcrossAnAttackedSquareToo) {
    SetUpBoard("r3k2r/8/8/8/8/8/8/3RK3", false);
    EXPECT_FALSE(engine.CheckMoveRule(Sq("e8"), Sq("c8"), true));
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e8"), Sq("g8"), true));
}

TEST_F(Castling, IntoAnAttackedSquareIsAllowedByTheRuleButRefusedAsAMove) {
    SetUpBoard("4k3/8/8/8/8/8/7b/R3K2R");
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e1"), Sq("g1"), true));
    const EngineState before = state();
    EXPECT_FALSE(Move("e1g1"));
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_EQ(journal.Events(), std::vector<std::string>{});
    EXPECT_TRUE(Move("e1c1"));
}

TEST_F(Castling, ProbingKeepsEnPassantAndTheLastMoveFrame) {
    SetUpBoard("r3k2r/p7/8/8/8/8/1P6/R3K2R");
    Play({"b2b4"});
    const EngineState before = state();
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e8"), Sq("g8"), true));
    EXPECT_TRUE(engine.CheckMoveRule(Sq("e8"), Sq("c8"), true));
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_TRUE(state().EnPassantOpen);
    EXPECT_EQ(state().LastMoveFrom, Sq("b2"));
}

} // namespace
} // namespace quorrin::testing
