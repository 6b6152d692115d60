// Square indexes, their coordinates and their names: the small helpers every part of the engine
// walks the board with, and the squares the rules name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrin {

// A square index runs from 1 (a8) to 64 (h1): index = (Row - 1) * 8 + File, where File 1..8
// is a..h and Row 1 is rank 8. 0 means "no square".
using SquareIndex = std::int16_t;
inline constexpr SquareIndex NoSquare = 0;

// Whether square is one of the 64 squares of the board.
constexpr bool IsBoardSquare(int square) {
    return square >= 1 && square <= 64;
}

// The file (1 for a .. 8 for h) and the row (1 for rank 8 .. 8 for rank 1) of a board square.
constexpr SquareIndex FileOf(SquareIndex square) {
    return static_cast<SquareIndex>((square - 1) % 8 + 1);
}
constexpr SquareIndex RowOf(SquareIndex square) {
    return static_cast<SquareIndex>((square - 1) / 8 + 1);
}

// The index of the square at file 1..8 and row 1..8; NoSquare when either lies off the board.
constexpr SquareIndex SquareAt(int file, int row) {
    if (file < 1 || file > 8 || row < 1 || row > 8) {
        return NoSquare;
    }
    return static_cast<SquareIndex>((row - 1) * 8 + file);
}

// The bit of a board square in a 64-bit set of squares: bit 0 is a8, bit 63 is h1.
constexpr std::uint64_t SquareBit(SquareIndex square) {
    return std::uint64_t{1} << (square - 1);
}

// The index of a square name: exactly a lowercase file letter a..h followed by a rank
// digit 1..8. Anything else, upper case included, gives -1.
constexpr SquareIndex SquareNameToIndex(std::string_view name) {
    if (name.size() != 2) {
        return -1;
    }
    const char file = name[0];
    const char rank = name[1];
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') {
        return -1;
    }
    return static_cast<SquareIndex>((8 - (rank - '0')) * 8 + (file - 'a' + 1));
}

// The name of a square index 1..64 ("a8" for 1, "h1" for 64); an empty string otherwise.
std::string SquareIndexToName(int square);

// The squares and steps that castling names: the kings' home squares, the files a king lands
// on, and how far the rooks stand from their king's home square.
inline constexpr SquareIndex E1 = SquareAt(5, 8); // 61
inline constexpr SquareIndex E8 = SquareAt(5, 1); // 5
inline constexpr int KingHomeFile = 5;
inline constexpr int KingSideCastleFile = 7;   // g
inline constexpr int QueenSideCastleFile = 3;  // c
inline constexpr int KingSideRookOffset = 3;   // h1 from e1, h8 from e8
inline constexpr int QueenSideRookOffset = -4; // a1 from e1, a8 from e8

// The row a side's pieces start on: 8 (rank 1) for White, 1 (rank 8) for Black.
constexpr int HomeRow(bool white) {
    return white ? 8 : 1;
}

// The row a side's pawns are promoted on: 1 (rank 8) for White, 8 (rank 1) for Black.
constexpr int PromotionRow(bool white) {
    return white ? 1 : 8;
}

} // namespace quorrin
