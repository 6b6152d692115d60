// En passant: the one-move window after a double step, the capture itself and its limits.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using EnPassant = EngineTest;

TEST_F(EnPassant, ADoubleStepOpensTheWindowForExactlyOneReply) {
    SetUpBoard("4k3/8/8/8/3p4/8/4P3/4K3");
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_TRUE(state().EnPassantOpen);
    EXPECT_EQ(state().EnPassantFile, 5);
    EXPECT_EQ(Targets("d4"), "d3 e3");

    Play({"e8e7", "e1e2"});
    EXPECT_FALSE(state().EnPassantOpen);
    EXPECT_EQ(Targets("d4"), "d3");
    EXPECT_FALSE(Move("d4e3"));
}

TEST_F(EnPassant, SingleStepsOpenNoWindow) {
    SetUpBoard("4k3/8/8/8/3p4/4P3/8/4K3");
    ASSERT_TRUE(Move("e3e4"));
    EXPECT_FALSE(state().EnPassantOpen);
    EXPECT_EQ(Targets("d4"), "d3");
}

struct CaptureCase {
    const char* diagram;
    bool whiteToMove;
    const char* doubleStep;
    const char* capture;
    const char* after;
    const char* takenSquare;
    const char* events;
};

TEST_F(EnPassant, TheCaptureRemovesThePawnBesideAndIsNotReportedAsACapture) {
    const CaptureCase cases[] = {
        {"4k3/8/8/8/3p4/8/4P3/4K3", true, "e2e4", "d4e3", "4k3/8/8/8/8/4p3/8/4K3", "e4",
         "PieceMovement B d4 e3"},
        {"4k3/3p4/8/4P3/8/8/8/4K3", false, "d7d5", "e5d6", "4k3/8/3P4/8/8/8/8/4K3", "d5",
         "PieceMovement W e5 d6"},
        {"4k3/8/8/8/6p1/8/7P/4K3", true, "h2h4", "g4h3", "4k3/8/8/8/8/7p/8/4K3", "h4",
         "PieceMovement B g4 h3"},
    };
    for (const CaptureCase& c : cases) {
        SCOPED_TRACE(c.capture);
        SetUpBoard(c.diagram, c.whiteToMove);
        Play({c.doubleStep});
        const PieceState taken = state().Squares[Sq(c.takenSquare)].Piece;
        ASSERT_TRUE(Move(c.capture));
        EXPECT_EQ(Diagram(state()), c.after);
        EXPECT_EQ(journal.Events(), std::vector<std::string>{c.events});
        EXPECT_FALSE(state().EnPassantOpen);
        const MoveRecord& record = state().MoveHistory.back();
        EXPECT_EQ(record.Kind, MoveKind::EnPassantMove);
        EXPECT_EQ(record.FromSquare, Sq(std::string_view(c.capture, 2)));
        EXPECT_EQ(record.ToSquare, Sq(c.takenSquare));
        EXPECT_TRUE(record.ToOccupied);
        EXPECT_EQ(record.CapturedPiece, taken);
        EXPECT_EQ(record.WhiteMoved, !c.whiteToMove);
    }
}

TEST_F(EnPassant, OnlyAPawnBesideTheDoubleStepMayTakeIt) {
    // A white pawn on e6 sees d7 empty after d7d5, but it is not beside the pawn.
    SetUpBoard("4k3/3p4/4P3/8/8/8/8/4K3", false);
    Play({"d7d5"});
    EXPECT_EQ(Targets("e6"), "e7");
    // Nor can a pawn two files away, whose diagonal is not the opened file.
    SetUpBoard("4k3/3p4/8/1P6/8/8/8/4K3", false);
    Play({"d7d5"});
    EXPECT_EQ(Targets("b5"), "b6");
}

TEST_F(EnPassant, ACaptureThatExposesTheKingAlongTheRankIsRefused) {
    SetUpBoard("4k3/2p5/8/KP5r/8/8/8/8", false);
    Play({"c7c5"});
    const EngineState before = state();
    EXPECT_TRUE(engine.CheckMoveRule(Sq("b5"), Sq("c6"), true));
    EXPECT_FALSE(Move("b5c6"));
    EXPECT_EQ(StateDifferences(before, state()), "");
    EXPECT_EQ(At("c5"), "BP");
    EXPECT_EQ(journal.Events(), std::vector<std::string>{});
}

} // namespace
} // namespace quorrin::testing
