// The board as assistive technology sees it: an accessible table of its 64 squares in the
// board's view, each named by its square and what stands there, with the rows and columns
// headed by ranks and files; the keyboard cursor is the accessible focus, and what happens
// in the game is announced in words through the board's accessible description.
#pragma once

#include "engine/ChessEngine.h"

#include <QString>

namespace quorrin {

// Gives every board and its squares their accessible interfaces; installed once a process.
void InstallBoardAccessibility();

// "e4, white pawn" or "e4, empty", then ", last move" on either square of the last move and
// ", selected" on the square selected (0: none).
QString SquareSpokenName(const EngineState& state, SquareIndex square, SquareIndex selected);

// The last move of the history in words, with its consequence: "White: pawn e2 to e4",
// "Black: knight takes pawn on d5, check", "White: castles king side", "White: pawn e5 takes
// pawn en passant on d6", "White: pawn e7 to e8, becomes queen", "..., checkmate". Empty when
// no move has been made.
QString MoveAnnouncement(const EngineState& state);
// "White's move taken back".
QString UndoAnnouncement(bool bWhite);
// "New game, White to move".
QString NewGameAnnouncement(bool bWhitesTurn);
// "e2 to e5 is not a legal move".
QString RefusalAnnouncement(SquareIndex from, SquareIndex to);

} // namespace quorrin
