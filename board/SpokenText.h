// The board in words, as a screen reader speaks it: a square with what stands on it, and what
// has just happened in the game.
#pragma once

#include "engine/ChessEngine.h"

#include <QString>

namespace quorrin {

// "e4, white pawn" or "e4, empty", then ", last move" on either square of the last move and
// ", selected" on the square selected (0: none).
QString SquareSpokenName(const EngineState& state, SquareIndex square, SquareIndex selected);

// The last move of the game in words, with its consequence: "White: pawn e2 to e4",
// "Black: knight takes pawn on d5, check", "White: castles king side", "White: pawn e5 takes
// pawn en passant on d6", "White: pawn e7 to e8, becomes queen", "..., checkmate", "White:
// king takes pawn on d2. Draw by insufficient material". Empty when no move has been made.
QString MoveAnnouncement(const ChessEngine& engine);
// A piece in words, the colour's word agreeing with it: "white pawn", "black queen".
QString PieceName(bool white, Shape shape);
// A draw by rule in words, the one wording of each: "Draw by insufficient material".
QString DrawText(DrawReason reason);
// "White's move taken back".
QString UndoAnnouncement(bool bWhite);
// "New game, White to move".
QString NewGameAnnouncement(bool bWhitesTurn);
// "e2 to e5 is not a legal move".
QString RefusalAnnouncement(SquareIndex from, SquareIndex to);

} // namespace quorrin
