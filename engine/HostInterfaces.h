// The two interfaces through which the engine reaches the outside world: the host that
// hears about moves, and the surface that draws squares.
#pragma once

#include "Outcome.h"
#include "Pieces.h"
#include "Squares.h"

#include <string>

namespace quorrin {

// What the host hears about the game. Events are raised synchronously, the six first in this
// order of declaration and Draw after those of its move, while the engine is inside MovePiece or
// UndoLastMove; every side flag is true for White. The engine refuses re-entrant calls while a
// handler runs: MovePiece and UndoLastMove return false and NewGame does nothing (see ChessEngine).
class BoardEvents {
public:
    virtual ~BoardEvents() = default;

    // A move was made by the side bWhite, from sFrom to sTo (lowercase square names).
    virtual void PieceMovement([[maybe_unused]] bool bWhite,
                               [[maybe_unused]] const std::string& sFrom,
                               [[maybe_unused]] const std::string& sTo) {}
    // The move took ePiece from its destination square (not raised for en passant).
    virtual void PieceCapture([[maybe_unused]] PieceType ePiece) {}
    // The king of colour bWhite is in check after the move; bCheckmate when it is mate.
    virtual void KingInCheck([[maybe_unused]] bool bWhite, [[maybe_unused]] bool bCheckmate) {}
    // A pawn of colour bWhite reached the last row. Write the wanted piece into eChoice;
    // any value that is not a queen, rook, knight or bishop of that colour gives a queen.
    virtual void PawnPromotion([[maybe_unused]] bool bWhite, [[maybe_unused]] PieceType& eChoice) {}
    // The side to move next is not in check and has no legal move.
    virtual void Stalemate() {}
    // A move of the side bWhite was taken back.
    virtual void MoveUndo([[maybe_unused]] bool bWhite) {}
    // The move just made drew the game by rule: insufficient material, a fivefold repetition
    // or the seventy-five-move rule. Raised after the events of the move, only when the move
    // neither mates nor stalemates, and only on the move that makes the rule hold.
    virtual void Draw([[maybe_unused]] DrawReason eReason) {}

    // Asked after PawnPromotion, before the move is made: false abandons the move, which then
    // changes nothing (MovePiece returns false). For a host whose game ended while the player
    // chose the piece, a clock's flag falling; the default lets every move go on.
    virtual bool MoveStillWanted() { return true; }
};

// The drawing surface. The engine asks for a square to be redrawn whenever it changes it;
// showHighlight allows the last-move frame on that square. Square 0 means no square.
class SquareDrawer {
public:
    virtual ~SquareDrawer() = default;
    virtual void DrawSquare(SquareIndex square, bool showHighlight) = 0;
};

// A surface that draws nothing, for headless use.
class NullSquareDrawer final : public SquareDrawer {
public:
    void DrawSquare(SquareIndex, bool) override {}
};

} // namespace quorrin
