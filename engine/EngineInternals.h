// Helpers shared by the engine's own files and not part of its public face.
#pragma once

#include "ChessEngine.h"

#include <string_view>

namespace quorrin {

// The castling rights of a position as bits: 1 White king-side, 2 White queen-side, 4 Black
// king-side, 8 Black queen-side. A right holds while the king and that rook stand unmoved on
// their home squares.
int CastlingRights(const EngineState& state);

// Whether a piece of the colour opposite to ownerIsWhite could capture on square, by the
// board alone. False for a square outside 1..64.
bool SquareIsAttacked(const std::array<BoardSquare, 65>& squares, bool ownerIsWhite,
                      SquareIndex square);

// Piece letters in Shape order, as standard algebraic notation and FEN write them.
inline constexpr std::string_view ShapeLetters = "KQRNBP";

} // namespace quorrin
