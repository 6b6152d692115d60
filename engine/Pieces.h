// The pieces: their numeric codes, their colourless shapes, and the letters that notation
// (standard algebraic notation, FEN, coordinates) writes them with.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorrin {

// Numeric piece code: black king..pawn are 0..5, the white pieces the same order plus 6.
// Kept as a plain 32-bit integer because hosts answer a promotion with any value they like.
using PieceType = std::int32_t;
inline constexpr PieceType BlackKing = 0;
inline constexpr PieceType BlackQueen = 1;
inline constexpr PieceType BlackRook = 2;
inline constexpr PieceType BlackKnight = 3;
inline constexpr PieceType BlackBishop = 4;
inline constexpr PieceType BlackPawn = 5;
inline constexpr PieceType WhiteKing = 6;
inline constexpr PieceType WhiteQueen = 7;
inline constexpr PieceType WhiteRook = 8;
inline constexpr PieceType WhiteKnight = 9;
inline constexpr PieceType WhiteBishop = 10;
inline constexpr PieceType WhitePawn = 11;
inline constexpr int PieceTypeCount = 12;

// The colourless shape of a piece: King 0, Queen 1, Rook 2, Knight 3, Bishop 4, Pawn 5.
enum class Shape : std::int32_t { King, Queen, Rook, Knight, Bishop, Pawn };

constexpr Shape ShapeOf(PieceType kind) {
    return static_cast<Shape>(kind % 6);
}
constexpr PieceType PieceOf(Shape shape, bool isWhite) {
    return static_cast<PieceType>(shape) + (isWhite ? 6 : 0);
}
constexpr bool IsWhitePiece(PieceType kind) {
    return kind >= WhiteKing;
}

// The letter of each shape in Shape order, as standard algebraic notation and FEN write them
// (upper case; FEN writes Black's in lower case, coordinates a promotion in lower case).
inline constexpr std::string_view ShapeLetters = "KQRNBP";

constexpr char ShapeLetter(Shape shape) {
    return ShapeLetters[static_cast<std::size_t>(shape)];
}

// The shape of an upper-case letter K, Q, R, N, B or P.
constexpr std::optional<Shape> ShapeOfLetter(char letter) {
    const std::size_t at = ShapeLetters.find(letter);
    if (letter == '\0' || at == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<Shape>(at);
}

// The FEN letter of a piece: upper case for White, lower case for Black.
constexpr char FenLetter(PieceType kind) {
    const char letter = ShapeLetter(ShapeOf(kind));
    return IsWhitePiece(kind) ? letter : static_cast<char>(letter - 'A' + 'a');
}

// The piece of a FEN letter (KQRNBP White, kqrnbp Black).
constexpr std::optional<PieceType> PieceOfFenLetter(char letter) {
    const bool white = letter >= 'A' && letter <= 'Z';
    const char upper = white ? letter : static_cast<char>(letter - 'a' + 'A');
    const std::optional<Shape> shape = ShapeOfLetter(upper);
    if (!shape || (!white && (letter < 'a' || letter > 'z'))) {
        return std::nullopt;
    }
    return PieceOf(*shape, white);
}

// The shape a pawn may be promoted to, from its letter in either case (Q, R, N, B).
constexpr std::optional<Shape> PromotionShapeOfLetter(char letter) {
    const char upper =
        letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    const std::optional<Shape> shape = ShapeOfLetter(upper);
    if (!shape || *shape == Shape::King || *shape == Shape::Pawn) {
        return std::nullopt;
    }
    return shape;
}

// Whether a pawn may become a piece of that shape.
constexpr bool IsPromotionShape(Shape shape) {
    return shape == Shape::Queen || shape == Shape::Rook || shape == Shape::Knight ||
           shape == Shape::Bishop;
}

} // namespace quorrin
