// The records and codes that describe a chess position: square indexes, piece codes,
// the per-square record and the move record kept for taking moves back.
#pragma once

#include "Squares.h"

#include <array>
#include <cstdint>
#include <string>
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

// Two-character piece codes in PieceType order, as used in layout strings.
inline constexpr std::array<std::string_view, PieceTypeCount> PieceCodes = {
    "BK", "BQ", "BR", "BN", "BB", "BP", "WK", "WQ", "WR", "WN", "WB", "WP"};
inline constexpr std::string_view EmptyCode = "XX";

// The start position as a layout string: 64 two-character cells, a8..h8 first, h1 last.
inline constexpr std::string_view StartLayout = "BRBNBBBQBKBBBNBR"
                                                "BPBPBPBPBPBPBPBP"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "WPWPWPWPWPWPWPWP"
                                                "WRWNWBWQWKWBWNWR";

// A piece as it stands on a square. Always copied as one unit.
struct PieceState {
    PieceType Kind = 0;
    bool IsWhite = false;
    bool HasMoved = false; // read only by the castling rule

    friend bool operator==(const PieceState&, const PieceState&) = default;
};

// One square of the board. File, Row and IsDark are fixed when the engine is created.
// Piece is meaningful only while Occupied; an emptied square keeps its old Piece.
struct BoardSquare {
    bool IsDark = false;
    bool Occupied = false;
    PieceState Piece;
    SquareIndex File = 0;
    SquareIndex Row = 0;
};

enum class MoveKind : std::int32_t {
    NormalMove = 0,
    CastleKingSide = 1,
    CastleQueenSide = 2,
    EnPassantMove = 3,
    PromotionMove = 4,
};

// The draws by rule. The first three end the game by themselves (the engine raises Draw); the
// last two are a player's to claim (ChessEngine::ClaimableDraw).
enum class DrawReason : std::int32_t {
    InsufficientMaterial = 1,
    FivefoldRepetition,
    SeventyFiveMoveRule,
    ThreefoldRepetition,
    FiftyMoveRule,
};

// "insufficient-material", "fivefold-repetition", "seventy-five-move-rule",
// "threefold-repetition", "fifty-move-rule"; empty for any other value.
std::string_view DrawReasonName(DrawReason eReason);

// What the rules for draws need to know about a position of the game: kept for the position
// a game starts from and for the position after each move, so that taking a move back needs
// no recomputation and a repetition is found by comparing keys.
struct PositionFacts {
    // Equal for two positions with the same pieces on the same squares, the same side to
    // move, the same castling rights and the same en passant capture (only when one is legal).
    std::uint64_t Key = 0;
    std::int32_t HalfmoveClock = 0;  // plies since the last capture or pawn move
    SquareIndex EnPassantTarget = 0; // the square a legal en passant capture lands on, or 0
    std::uint8_t Repetitions = 1;    // how often this position has stood, this time included
    std::uint8_t AutomaticDraws = 0; // bit 1 << DrawReason of each automatic draw that holds
    bool Mated = false;              // the side to move is checkmated
    bool Stalemated = false;         // the side to move is stalemated

    friend bool operator==(const PositionFacts&, const PositionFacts&) = default;
};

// Everything needed to take one move back exactly.
struct MoveRecord {
    MoveKind Kind = MoveKind::NormalMove;
    SquareIndex FromSquare = 0;
    PieceState MovedPiece;      // the mover before the move, HasMoved included
    SquareIndex ToSquare = 0;   // for en passant: the square of the pawn taken
    bool ToOccupied = false;    // ToSquare held a piece before the move
    PieceState CapturedPiece;   // ToSquare's piece before the move
    bool WhiteMoved = false;    // colour of the side that made the move
    bool EnPassantOpen = false; // en passant state after this move
    SquareIndex EnPassantFile = 0;
    SquareIndex PrevLastMoveFrom = 0;
    SquareIndex PrevLastMoveTo = 0;
    PositionFacts After;       // the position the move left
    std::array<char, 8> San{}; // the move in standard algebraic notation, "Nbxd7+"

    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

} // namespace quorrin
