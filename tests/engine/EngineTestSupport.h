// Helpers for the engine's unit tests: the engine with its protected operations opened up,
// board diagrams, state comparisons for GoogleTest, and a journal of events and redraws.
#pragma once

#include "engine/ChessEngine.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"
#include "tests/support/EngineChecks.h"

#include <gtest/gtest.h>

#include <functional>
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
    using ChessEngine::TakeBackLastMove;
};

inline constexpr std::string_view StartDiagram = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

// The index of a square name; fails the test when the name is no square.
SquareIndex Sq(std::string_view name);
// The layout for a board diagram ("r3k2r/8/..."); fails the test when the diagram is bad.
std::string Layout(std::string_view diagram);
// For EXPECT_PRED_FORMAT2: the states are the same, or a failure that shows both.
::testing::AssertionResult SameStates(const char* expectedText, const char* actualText,
                                      const EngineState& expected, const EngineState& actual);
// Records events and redraw requests in call order: "e4*" is a redraw with the frame allowed,
// "e4" one without; events read "PieceMovement W e2 e4", "PieceCapture 5", "KingInCheck B
// mate", "PawnPromotion W 0", "Stalemate", "MoveUndo W". Square 0 is not recorded.
class Journal : public BoardEvents, public SquareDrawer {
public:
    std::vector<std::string> entries;
    PieceType promotionAnswer = 0; // written into eChoice by PawnPromotion
    std::function<void()> onEvent; // runs inside every event handler

    std::string Events() const; // the events, joined by ", "
    std::string All() const;    // events and redraws, joined by ", "

    void DrawSquare(SquareIndex square, bool showHighlight) override;
    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override {
        Add("PieceMovement " + Side(bWhite) + " " + sFrom + " " + sTo);
    }
    void PieceCapture(PieceType ePiece) override { Add("PieceCapture " + std::to_string(ePiece)); }
    void KingInCheck(bool bWhite, bool bCheckmate) override {
        Add("KingInCheck " + Side(bWhite) + (bCheckmate ? " mate" : ""));
    }
    void PawnPromotion(bool bWhite, PieceType& eChoice) override {
        Add("PawnPromotion " + Side(bWhite) + " " + std::to_string(eChoice));
        eChoice = promotionAnswer;
    }
    void Stalemate() override { Add("Stalemate"); }
    void MoveUndo(bool bWhite) override { Add("MoveUndo " + Side(bWhite)); }

private:
    static std::string Side(bool white) { return white ? "W" : "B"; }
    void Add(std::string entry);
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
    void SetUpBoard(std::string_view setup);
    // Plays "e2e4" (or "undo"); true when the engine did it.
    bool Move(std::string_view move);
    // Plays the case and returns what it raised, as MoveCase::events reads; checks that a
    // made move framed its squares, passed the turn and is undone exactly, and that a refused
    // one changed nothing.
    std::string Outcome(const MoveCase& c);
    // The piece code on a square ("WP") or "XX".
    std::string At(std::string_view square) const;
};

} // namespace quorrin::testing
