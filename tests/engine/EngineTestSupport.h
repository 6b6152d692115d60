// Shared helpers for the engine tests: the engine with its protected operations opened up,
// board diagrams, a readable dump of the whole state, and a journal of events and redraws.
#pragma once

#include "engine/ChessEngine.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"

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
// The board as the layout string NewGame reads; "?" in place of a colour letter that does not
// match the piece's colour.
std::string Board(const EngineState& state);
// Whether two states agree in everything a move or its take-back may change. A square's
// piece counts only while it is occupied, an en passant file only while en passant is open,
// a record's captured piece only when the move took one: unused fields keep stale values.
bool SameState(const EngineState& a, const EngineState& b);
// The same as text, for failure messages and readable comparisons.
std::string Describe(const EngineState& state);
// For EXPECT_PRED_FORMAT2: the states are the same, or a failure that shows both.
::testing::AssertionResult SameStates(const char* expectedText, const char* actualText,
                                      const EngineState& expected, const EngineState& actual);
// King squares that do not name the last king of their colour on the board (0 for none).
std::string KingSquareProblems(const EngineState& state);

// Records events and redraw requests in call order: "e4*" is a redraw with the frame allowed,
// "e4" one without; events read "PieceMovement W e2 e4", "PieceCapture 5", "KingInCheck B
// mate", "PawnPromotion W 0", "Stalemate", "MoveUndo W". Square 0 is not recorded.
class Journal : public BoardEvents, public SquareDrawer {
public:
    std::vector<std::string> entries;
    PieceType promotionAnswer = 0; // written into eChoice by PawnPromotion
    std::function<void()> onEvent; // runs inside every event handler

    std::string Events() const; // the events, joined by ", "
    // Everything up to and including the first PieceMovement (all of it when there is none):
    // the part of a move whose order does not depend on the game-end tests.
    std::string Head() const;

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
    // made move framed its squares and passed the turn, and that a refused one changed nothing.
    std::string Outcome(const MoveCase& c);
    // The piece code on a square ("WP") or "XX".
    std::string At(std::string_view square) const;
};

} // namespace quorrin::testing
