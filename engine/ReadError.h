// Why a text could not be read: one error type for every reader of text the engine has (FEN,
// PGN, moves typed or written in a game). It carries a code with the arguments the code
// needs, and where in the text the fault lies; it carries no sentence, so that each program
// words it in its own language (the game window through its translations, the tools in
// English).
#pragma once

#include "Pieces.h"
#include "Squares.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quorrin {

enum class ReadErrorCode : std::int32_t {
    // FEN. Count: the number found.
    FenFieldCount,      // not 6 fields (or 4 without the clocks); Count
    FenRankCount,       // not 8 ranks; Count (9 means more than 8)
    FenRankSize,        // a rank of other than 8 squares; Number: the rank, Count (9: more)
    FenBadCharacter,    // neither a piece letter nor a digit 1..8; Text: the character
    FenBadSide,         // the side to move is not w or b; Text
    FenKingCount,       // a side without exactly one king; White, Count
    FenPawnOnEdgeRank,  // a pawn on rank 1 or 8; Square
    FenBadCastling,     // the castling field is not - or KQkq each once; Text
    FenCastlingRight,   // a castling right without its king and rook at home; Text: the letter
    FenBadEnPassant,    // the en passant field is not - or a square; Text
    FenEnPassantTarget, // no double step of the side White could have left Square
    FenBadClock,        // the halfmove clock is not a number 0..99999; Text
    FenBadMoveNumber,   // the move number is not a number 1..99999; Text
    FenOppositeCheck,   // the side not to move (White) is in check
    FenAdjacentDigits,  // two digits side by side in a rank; Number: the rank, Text: them
    FenPawnCount,       // more than 8 pawns of a side; White, Count
    FenPromotedCount,   // more pieces beyond the start set than missing pawns; White, Count:
                        // the pieces beyond it, Number: the pawns missing
    FenImpossibleCheck, // checks no single move could have given to White's king; Squares:
                        // the checking pieces, Count: how many

    // A move read from text, in the position it is read in. Piece: colour included.
    NotAMove,          // Text is not a move in any notation read
    CannotCastle,      // White cannot castle on that side (Number 1 king-side, 2 queen-side)
    NoPieceOn,         // nothing stands on Square
    NotYourTurn,       // Piece on Square belongs to the side not to move
    NoSuchPieceOn,     // Piece does not stand on Square
    PieceCannotMoveTo, // Piece on Square cannot move to Target
    NoPieceCanMoveTo,  // no Piece can move to Target
    AmbiguousMove,     // the Piece on every square of Squares can move to Target
    NotAPromotion,     // a promotion piece was named for a move that promotes nothing
    GameAlreadyOver,   // a move after the game ended; Number 1: checkmate, 2: stalemate

    // PGN text.
    PgnBadTag,          // a tag that does not read [Name "value"]
    PgnUnclosedComment, // a { comment without its }
    PgnUnclosedVariation,
    PgnUnopenedVariation,
    PgnUnexpectedCharacter, // Text: the character
    PgnUnclosedString,      // a " string without its closing " on its line

    // Faults of a PGN game that do not stop it from being played: warnings. A move's (Context
    // GameMove) Text is the move as written.
    PgnResultDisagrees, // Text: the Result tag, MoveText: the termination marker
    PgnFalseCheck,      // a move marked check (Number 1, '+') or mate (2, '#') that is not
    PgnFalseCapture,    // a move marked a capture ('x') onto the empty square Target

    // A time control (the PGN TimeControl tag's syntax). Column: where in it the fault lies.
    TimeControlUnknown,   // "?": the control is not known
    TimeControlSyntax,    // Text: the character found where it does not belong ("" at the end)
    TimeControlRange,     // Text: the number; Number: 1 a move count, 2 a base, 3 a bonus
    TimeControlStages,    // more than MaxTimeStages stages; Count
    TimeControlOpenStage, // a stage without a move count before the last
};

// Where an error arose beyond the code itself.
enum class ReadContext : std::int32_t {
    Text,    // the text as a whole: a FEN, a typed move, PGN syntax
    FenTag,  // a game's FEN tag (the code is a FEN code)
    GameMove // a move of a game (MoveNumber, MoverIsWhite and MoveText say which)
};

struct ReadError {
    ReadErrorCode Code = ReadErrorCode::NotAMove;
    // The arguments, as the code names them.
    std::string Text{};
    int Number = 0;
    int Count = 0;
    bool White = true;
    PieceType Piece = 0;
    SquareIndex Square = NoSquare;
    SquareIndex Target = NoSquare;
    std::uint64_t Squares = 0; // a set of squares, SquareBit of each
    // Where: line and column (1-based, in characters) in a text with lines, 0 otherwise; a
    // time control, one short line, has its column alone (Line 0).
    int Line = 0;
    int Column = 0;
    ReadContext Context = ReadContext::Text;
    int MoveNumber = 0;
    bool MoverIsWhite = true;
    std::string MoveText{};

    friend bool operator==(const ReadError&, const ReadError&) = default;
};

// Bytes of a text as an error message may quote them: valid UTF-8 as it is, a backslash doubled,
// and each control character (NUL included), DEL and byte of invalid UTF-8 as \xNN, so that a
// message is never cut short or garbled by what it quotes.
std::string Printable(std::string_view bytes);

// A value read from text, or why it could not be.
template <class T> class ReadResult {
public:
    ReadResult(T value) : value_(std::move(value)) {}
    ReadResult(ReadError error) : error_(std::move(error)) {}

    bool Ok() const { return value_.has_value(); }
    explicit operator bool() const { return Ok(); }
    const T& Value() const { return *value_; }
    T& Value() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // Meaningful only when the value is missing.
    const ReadError& Error() const { return error_; }

private:
    std::optional<T> value_;
    ReadError error_;
};

} // namespace quorrin
