// Helpers for the engine's unit tests: the engine with its protected operations opened up,
// board diagrams, state comparison for GoogleTest, and a journal of events and redraws.
#pragma once

#include "engine/ChessEngine.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"
#include "tests/support/EngineChecks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::testing {

class TestEngine : public ChessEngine {
public:
    using ChessEngine::CheckMoveRule;
    using ChessEngine::ChessEngine;
    using ChessEngine::IsCheckmate;
    using ChessEngine::IsStalemate;
};

inline constexpr std::string_view StartDiagram = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

// The index of a square name; fails the test when the name is no square.
inline SquareIndex Sq(std::string_view name) {
    EXPECT_GE(SquareNameToIndex(name), 1) << "'" << name << "' is no square";
    return SquareNameToIndex(name);
}

// The layout for a board diagram ("r3k2r/8/..."); fails the test when the diagram is bad.
inline std::string Layout(std::string_view diagram) {
    const auto layout = LayoutFromDiagram(diagram);
    EXPECT_TRUE(layout.has_value()) << "bad diagram " << diagram;
    return layout.value_or(std::string());
}

// For EXPECT_PRED_FORMAT2: the states are the same (SameState), or a failure showing both.
inline ::testing::AssertionResult SameStates(const char* expectedText, const char* actualText,
                                             const EngineState& expected,
                                             const EngineState& actual) {
    if (SameState(expected, actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actualText << " differs from " << expectedText << "\nexpected:\n"
           << Describe(expected) << "\nactual:\n"
           << Describe(actual);
}

// Records events and redraw requests in call order: "e4*" is a redraw with the frame allowed,
// "e4" one without; events read "PieceMovement W e2 e4", "PieceCapture 5", "KingInCheck B
// mate", "PawnPromotion W 0", "Stalemate", "MoveUndo W". Square 0 is not recorded.
class Journal : public BoardEvents, public SquareDrawer {
public:
    std::vector<std::string> entries;
    PieceType promotionAnswer = 0; // written into eChoice by PawnPromotion

    // The entries joined by ", ": all of them, or the events only.
    std::string Joined(bool withRedraws = true) const {
        std::string joined;
        for (const std::string& entry : entries) {
            if (withRedraws || entry.size() > 3) {
                joined += (joined.empty() ? "" : ", ") + entry;
            }
        }
        return joined;
    }

    void DrawSquare(SquareIndex square, bool showHighlight) override {
        if (square != 0) {
            entries.push_back(SquareIndexToName(square) + (showHighlight ? "*" : ""));
        }
    }
    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override {
        entries.push_back("PieceMovement " + Side(bWhite) + " " + sFrom + " " + sTo);
    }
    void PieceCapture(PieceType ePiece) override {
        entries.push_back("PieceCapture " + std::to_string(ePiece));
    }
    void KingInCheck(bool bWhite, bool bCheckmate) override {
        entries.push_back("KingInCheck " + Side(bWhite) + (bCheckmate ? " mate" : ""));
    }
    void PawnPromotion(bool bWhite, PieceType& eChoice) override {
        entries.push_back("PawnPromotion " + Side(bWhite) + " " + std::to_string(eChoice));
        eChoice = promotionAnswer;
    }
    void Stalemate() override { entries.push_back("Stalemate"); }
    void MoveUndo(bool bWhite) override { entries.push_back("MoveUndo " + Side(bWhite)); }

private:
    static std::string Side(bool white) { return white ? "W" : "B"; }
};

// A request in a set-up position and the events it must raise, joined by ", ", with
// "refused" first when the engine must refuse it.
struct MoveCase {
    const char* name;
    std::string_view setup; // as EngineTest::SetUpBoard reads it
    std::string_view move;  // "e2e4", or "undo"
    std::string events;
    PieceType promotionAnswer = 0;
};

// A fresh engine wired to a journal.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() { journal.entries.clear(); } // forget the first drawing of the board

    Journal journal;
    TestEngine engine{&journal, &journal};

    const EngineState& state() const { return engine.State(); }

    // Sets up "DIAGRAM SIDE MOVE...": a diagram or "start", "w" or "b" for the side to move,
    // then moves that must all be made; forgets what was recorded.
    void SetUpBoard(std::string_view setup) {
        std::istringstream words{std::string(setup)};
        std::string diagram, side, move;
        words >> diagram >> side;
        ASSERT_TRUE(side == "w" || side == "b") << setup;
        ASSERT_TRUE(
            engine.NewGame(Layout(diagram == "start" ? StartDiagram : diagram), side == "w"));
        while (words >> move) {
            ASSERT_TRUE(Move(move)) << "refused " << move << " in " << setup;
        }
        journal.entries.clear();
    }

    // Plays "e2e4" (or "undo"); true when the engine did it.
    bool Move(std::string_view move) {
        EXPECT_TRUE(move.size() == 4 || move == "undo") << move;
        return move == "undo" ? engine.UndoLastMove()
                              : engine.MovePiece(move.substr(0, 2), move.substr(2, 2));
    }

    // Plays the case and returns what it raised, as MoveCase::events reads; checks that a
    // made move framed its squares, passed the turn and is undone exactly, and that a refused
    // one changed nothing.
    std::string Outcome(const MoveCase& c) {
        SCOPED_TRACE(c.name);
        SetUpBoard(c.setup);
        const EngineState before = state();
        journal.promotionAnswer = c.promotionAnswer;
        const bool made = Move(c.move);
        const std::string events = journal.Joined(false);
        if (made) {
            EXPECT_EQ(state().WhitesTurn, !before.WhitesTurn);
            EXPECT_EQ(state().LastMoveFrom, Sq(c.move.substr(0, 2)));
            EXPECT_EQ(state().LastMoveTo, Sq(c.move.substr(2, 2)));
            EXPECT_EQ(StateProblems(state()), "");
            EXPECT_TRUE(engine.UndoLastMove());
        }
        EXPECT_PRED_FORMAT2(SameStates, before, state());
        return made ? events : events.empty() ? "refused" : "refused, " + events;
    }
};

} // namespace quorrin::testing
