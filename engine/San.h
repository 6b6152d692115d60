// Inside the engine: writing a move in standard algebraic notation.
#pragma once

#include "Move.h"
#include "Records.h"

#include <cstdint>

namespace quorrin {

// The notation of a move of that kind by the piece mover ("Nbxd7+", "exd6", "e8=Q#",
// "O-O-O"), ended by a NUL: rivals are the squares of the other pieces of its kind that could
// have made it, capture whether it took a piece (en passant included), check and mate what it
// gave. The longest, "Qa1xb2=Q#" cannot happen: a queen is no pawn; "Qa1xb2#" takes 7.
std::array<char, 8> SanOf(const Move& move, MoveKind kind, PieceType mover, bool capture,
                          std::uint64_t rivals, bool check, bool mate);

} // namespace quorrin
