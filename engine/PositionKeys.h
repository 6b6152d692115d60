// Inside the engine: the position key that recognises a repeated position. Fixed
// pseudo-random numbers, one per piece on a square, for Black to move, for each set of
// castling rights and for each en passant file, XORed together; so a move changes the key by
// the numbers of what it changes, and no key needs the whole board again.
#pragma once

#include "Attacks.h"

#include <cstdint>

namespace quorrin::keys {

// The number of what stands on square (0 for an empty square).
std::uint64_t OfSquare(const Board& squares, SquareIndex square);
std::uint64_t OfCastling(int rights);
// The number of a legal en passant capture landing on target (0 for none).
std::uint64_t OfEnPassant(SquareIndex target);
std::uint64_t OfBlackToMove();

// The whole key of the position on the board.
std::uint64_t OfPosition(const Board& squares, bool whiteToMove, SquareIndex enPassantTarget);

} // namespace quorrin::keys
