// Shared helpers for the engine tests: the engine with its protected operations opened up,
// one journal that records events and redraw requests in call order, readable board
// diagrams, a whole-state comparison and a fixture that ties them together.
#pragma once

#include "engine/ChessEngine.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::testing {

// The engine with the operations the referee uses internally made callable from tests.
class TestEngine : public ChessEngine {
public:
    using ChessEngine::CheckMoveRule;
    using ChessEngine::ChessEngine;
    using ChessEngine::IsCheckmate;
    using ChessEngine::IsStalemate;
    using ChessEngine::MoveCastlingRook;
    using ChessEngine::ShiftPiece;
    using ChessEngine::TakeBackLastMove;
};

// The index of a square name; fails the test when the name is no square.
SquareIndex Sq(std::string_view name);

// The layout for a board diagram ("r3k2r/8/..."); fails the test when the diagram is bad.
std::string Layout(std::string_view diagram);

// The board as a diagram, ranks 8 to 1, upper case White, digits for empty runs.
std::string Diagram(const EngineState& state);

// The piece code on a square ("WP", "BK") or "XX" when it is empty.
std::string CodeAt(const EngineState& state, std::string_view square);

// Every difference between two engine states, one per line; empty when they are the same.
// A square's piece is compared only while the square is occupied, and the en passant file
// only while en passant is open, because stale values there mean nothing.
std::string StateDifferences(const EngineState& expected, const EngineState& actual);

// A white or black king square that does not name that king, or a king on the board that
// no king square names; empty when the king squares match the board. With several kings
// of a colour, the last one in board order is the one named.
std::string KingSquareProblems(const EngineState& state);

// Records, in call order, every event the engine raises and every square it asks to have
// redrawn. Entries read "draw e4 frame" (frame allowed), "draw e4 noframe", and
// "PieceMovement W e2 e4", "PieceCapture 5", "KingInCheck B", "KingInCheck B mate",
// "PawnPromotion W", "Stalemate", "MoveUndo W". Square 0 draws nothing and is not recorded.
class Journal : public BoardEvents, public SquareDrawer {
public:
    std::vector<std::string> entries;
    PieceType promotionAnswer = 0; // written into eChoice by PawnPromotion
    std::function<void()> onEvent; // runs inside every event handler, after recording

    void DrawSquare(SquareIndex square, bool showHighlight) override;
    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override;
    void PieceCapture(PieceType ePiece) override;
    void KingInCheck(bool bWhite, bool bCheckmate) override;
    void PawnPromotion(bool bWhite, PieceType& eChoice) override;
    void Stalemate() override;
    void MoveUndo(bool bWhite) override;

    std::vector<std::string> Events() const; // the entries that are not redraws
    void Clear() { entries.clear(); }

private:
    void AddEvent(std::string entry);
};

// A fresh engine wired to a journal.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() { journal.Clear(); } // forget the engine's first drawing of the board

    Journal journal;
    TestEngine engine{&journal, &journal};

    const EngineState& state() const { return engine.State(); }

    // Sets up a diagram with the given side to move and forgets what was recorded so far.
    void SetUpBoard(std::string_view diagram, bool whiteToMove = true);

    // Plays "e2e4"; true when the engine made the move.
    bool Move(std::string_view move);

    // Plays moves that must all be made, then forgets what was recorded.
    void Play(const std::vector<std::string_view>& moves);

    // The piece code on a square of the current position.
    std::string At(std::string_view square) const { return CodeAt(state(), square); }

    // The squares the piece on from may move to by its movement rule (test-only calls),
    // in board order from a8 to h1, separated by blanks.
    std::string Targets(std::string_view from);
};

} // namespace quorrin::testing
