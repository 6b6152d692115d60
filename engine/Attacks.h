// Inside the engine: whether a square is attacked, also on the board as a move would leave it,
// and the castling rights the unmoved kings and rooks give.
#pragma once

#include "Records.h"

#include <array>
#include <cstdint>

namespace quorrin {

using Board = std::array<BoardSquare, 65>;

// A move laid over the board without changing it: the squares of vacated (SquareBit of each)
// read as empty, and filled as holding a piece of the owner's colour.
struct Overlay {
    std::uint64_t vacated = 0;
    SquareIndex filled = NoSquare;
};

// Whether a piece of the colour opposite to ownerIsWhite could capture on square, by the board
// as the overlay leaves it. False for a square outside 1..64.
bool SquareIsAttacked(const Board& squares, bool ownerIsWhite, SquareIndex square,
                      const Overlay& overlay = {});

// The castling rights of the board as CastlingRight bits: a right holds while the king and
// that rook stand unmoved on their home squares.
int CastlingRights(const Board& squares);

} // namespace quorrin
