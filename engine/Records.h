// The records the engine keeps: the piece on a square, the square itself, and the record of a
// move kept for taking it back, with the facts of the position it left.
#pragma once

#include "Pieces.h"
#include "Squares.h"

#include <array>
#include <cstdint>

namespace quorrin {

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
    bool InCheck = false;            // the side to move is in check
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
    bool EnPassantByWhite = false; // the side that may take en passant after this move
    SquareIndex PrevLastMoveFrom = 0;
    SquareIndex PrevLastMoveTo = 0;
    PositionFacts After;       // the position the move left
    std::array<char, 8> San{}; // the move in standard algebraic notation, "Nbxd7+"

    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

} // namespace quorrin
