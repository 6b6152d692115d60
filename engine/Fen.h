// FEN, the one-line record of a position: reading it into a position a game can be played
// from. (The engine writes the FEN of its own position: ChessEngine::Fen.)
#pragma once

#include "Layout.h"
#include "ReadError.h"

#include <cstdint>
#include <string_view>

namespace quorrin {

// The FEN of the standard start position.
inline constexpr std::string_view StartFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The castling rights of a position as bits, and their letters in the same order.
enum CastlingRight : int {
    WhiteKingSide = 1,
    WhiteQueenSide = 2,
    BlackKingSide = 4,
    BlackQueenSide = 8,
};
inline constexpr std::string_view CastlingLetters = "KQkq";

// The largest clock and move number a FEN may hold; the engine writes no larger ones (a longer
// game keeps these), so that every FEN it writes can be read back.
inline constexpr std::int32_t MaxHalfmoveClock = 99999;
inline constexpr std::int32_t MaxFullmoveNumber = 99999;

// A position read from a FEN and found playable.
struct FenPosition {
    Placement Pieces{};
    bool WhiteToMove = true;
    int Castling = 0;                 // CastlingRight bits
    SquareIndex EnPassant = NoSquare; // the square a double step passed, or none
    std::int32_t HalfmoveClock = 0;
    std::int32_t FullmoveNumber = 1;
};

// Reads a FEN: six fields separated by blanks, or four with the clocks taken as 0 and 1.
// Refuses, with the reason, every position no game can be played from or reach: not one king a
// side, more than eight pawns a side or more promoted pieces than missing pawns, pawns on the
// first or last rank, castling rights without their king and rook at home, an en passant square
// no double step could have left, the side not to move in check, checks that no one move could
// have given.
ReadResult<FenPosition> ReadFen(std::string_view text);

// Reads the placement field of a FEN (a board diagram) alone.
ReadResult<Placement> ReadPlacement(std::string_view text);

} // namespace quorrin
