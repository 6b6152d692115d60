// FEN: reading a position, and writing the engine's own.
#include "Fen.h"

#include "Attacks.h"
#include "ChessEngine.h"
#include "Rules.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace quorrin {

namespace {

ReadError ErrorAbout(ReadErrorCode code, std::string_view text) {
    return ReadError{.Code = code, .Text = std::string(text)};
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos) {
            return fields;
        }
        const std::size_t end = std::min(text.find_first_of(" \t\r\n", at), text.size());
        fields.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::optional<std::int32_t> Number(std::string_view text, std::int32_t lowest,
                                   std::int32_t highest) {
    std::int32_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest) {
        return std::nullopt;
    }
    return value;
}

// The castling rights that the kings and rooks of the placement allow, all unmoved.
int PossibleCastling(const Placement& pieces) {
    int rights = 0;
    for (const bool white : {true, false}) {
        const SquareIndex king = white ? E1 : E8;
        const PieceType rook = PieceOf(Shape::Rook, white);
        if (pieces[king - 1] == PieceOf(Shape::King, white)) {
            rights |= pieces[king + KingSideRookOffset - 1] == rook
                          ? (white ? WhiteKingSide : BlackKingSide)
                          : 0;
            rights |= pieces[king + QueenSideRookOffset - 1] == rook
                          ? (white ? WhiteQueenSide : BlackQueenSide)
                          : 0;
        }
    }
    return rights;
}

// More pawns than a side starts with, or more pieces beyond the start set (one queen, two
// rooks, two bishops, two knights) than its missing pawns could have become.
std::optional<ReadError> MaterialError(const Placement& pieces) {
    for (const bool white : {true, false}) {
        auto count = [&](Shape shape) {
            return static_cast<int>(
                std::count(pieces.begin(), pieces.end(), PieceOf(shape, white)));
        };
        const int pawns = count(Shape::Pawn);
        if (pawns > 8) {
            return ReadError{.Code = ReadErrorCode::FenPawnCount, .Count = pawns, .White = white};
        }
        const int promoted =
            std::max(0, count(Shape::Queen) - 1) + std::max(0, count(Shape::Rook) - 2) +
            std::max(0, count(Shape::Bishop) - 2) + std::max(0, count(Shape::Knight) - 2);
        if (promoted > 8 - pawns) {
            return ReadError{.Code = ReadErrorCode::FenPromotedCount,
                             .Number = 8 - pawns,
                             .Count = promoted,
                             .White = white};
        }
    }
    return std::nullopt;
}

// The squares (SquareBit of each) of the pieces that give check to the king of kingIsWhite on
// king.
std::uint64_t CheckersOf(const Board& squares, SquareIndex king, bool kingIsWhite) {
    std::uint64_t checkers = 0;
    for (SquareIndex s = 1; s <= 64; ++s) {
        const BoardSquare& square = squares[s];
        if (!square.Occupied || square.Piece.IsWhite == kingIsWhite) {
            continue;
        }
        const int d = rules::DirectionTo(s, king);
        const bool open = d >= 0 && rules::FirstOccupied(squares, s, d) == king;
        const bool straight = d < geometry::FirstDiagonal;
        bool checks = false;
        switch (ShapeOf(square.Piece.Kind)) {
        case Shape::Queen:
            checks = open;
            break;
        case Shape::Rook:
            checks = open && straight;
            break;
        case Shape::Bishop:
            checks = open && !straight;
            break;
        case Shape::Knight: {
            const geometry::Jumps& jumps = geometry::Board.knight[s];
            checks = std::find(jumps.squares.begin(), jumps.squares.begin() + jumps.length, king) !=
                     jumps.squares.begin() + jumps.length;
            break;
        }
        case Shape::Pawn:
            // Rows count toward rank 1: a White pawn attacks the row above its own.
            checks = RowOf(king) == RowOf(s) + (square.Piece.IsWhite ? -1 : 1) &&
                     std::abs(FileOf(king) - FileOf(s)) == 1;
            break;
        case Shape::King:
            break; // kings side by side: the side not to move is in check as well
        }
        checkers |= checks ? SquareBit(s) : 0;
    }
    return checkers;
}

bool IsSlider(const Board& squares, SquareIndex s) {
    const Shape shape = ShapeOf(squares[s].Piece.Kind);
    return shape == Shape::Queen || shape == Shape::Rook || shape == Shape::Bishop;
}

// Whether the checks on the king of the side to move could have come from the last move: one
// move gives at most two checks, one of them by a piece it uncovered, which slides, and two
// checkers never stand on one line with the king. After a double step (enPassant given) the
// check is the pawn's own or one it uncovered.
bool ChecksPossible(const Board& squares, SquareIndex king, bool kingIsWhite,
                    SquareIndex enPassant) {
    const std::uint64_t checkers = CheckersOf(squares, king, kingIsWhite);
    const int count = std::popcount(checkers);
    if (count == 0) {
        return true;
    }
    auto squareOf = [](std::uint64_t bits) {
        return static_cast<SquareIndex>(std::countr_zero(bits) + 1);
    };
    if (enPassant != NoSquare) {
        const int forward = kingIsWhite ? 8 : -8; // toward the pawn that made the double step
        const auto pawn = static_cast<SquareIndex>(enPassant + forward);
        const auto origin = static_cast<SquareIndex>(enPassant - forward);
        if (count > 1) {
            return false;
        }
        if (squareOf(checkers) == pawn) {
            return true;
        }
        Board before = squares;
        before[origin] = before[pawn];
        before[pawn].Occupied = false;
        return !SquareIsAttacked(before, kingIsWhite, king);
    }
    if (count > 2) {
        return false;
    }
    if (count == 2) {
        const SquareIndex a = squareOf(checkers);
        const SquareIndex b = squareOf(checkers & (checkers - 1));
        // The lines through the king as pairs of opposite directions.
        auto line = [](int d) { return d < 0 ? -1 : (d / 4) * 2 + d % 2; };
        const int lineA = line(rules::DirectionTo(king, a));
        if (lineA >= 0 && lineA == line(rules::DirectionTo(king, b))) {
            return false;
        }
        return IsSlider(squares, a) || IsSlider(squares, b);
    }
    return true;
}

} // namespace

ReadResult<Placement> ReadPlacement(std::string_view text) {
    Placement pieces;
    pieces.fill(NoPiece);
    int rank = 8;
    int files = 0;
    char previous = '/';
    for (const char c : text) {
        // "44" adds up to a rank, but a FEN counts each run of empty squares with one digit.
        auto isCount = [](char d) { return d >= '1' && d <= '8'; };
        if (isCount(previous) && isCount(c)) {
            return ReadError{.Code = ReadErrorCode::FenAdjacentDigits,
                             .Text = std::string{previous, c},
                             .Number = rank};
        }
        previous = c;
        if (c == '/') {
            if (files != 8) {
                return ReadError{
                    .Code = ReadErrorCode::FenRankSize, .Number = rank, .Count = files};
            }
            files = 0;
            if (--rank < 1) {
                return ReadError{.Code = ReadErrorCode::FenRankCount, .Count = 9};
            }
            continue;
        }
        const std::optional<PieceType> piece = PieceOfFenLetter(c);
        const int empty = c >= '1' && c <= '8' ? c - '0' : 0;
        if (!piece && empty == 0) {
            return ErrorAbout(ReadErrorCode::FenBadCharacter, std::string_view(&c, 1));
        }
        if (files + std::max(empty, 1) > 8) {
            return ReadError{.Code = ReadErrorCode::FenRankSize, .Number = rank, .Count = 9};
        }
        if (piece) {
            pieces[static_cast<std::size_t>((8 - rank) * 8 + files)] = *piece;
        }
        files += std::max(empty, 1);
    }
    if (rank != 1) {
        return ReadError{.Code = ReadErrorCode::FenRankCount, .Count = 9 - rank};
    }
    if (files != 8) {
        return ReadError{.Code = ReadErrorCode::FenRankSize, .Number = 1, .Count = files};
    }
    return pieces;
}

ReadResult<FenPosition> ReadFen(std::string_view text) {
    const auto fields = Fields(text);
    if (fields.size() != 4 && fields.size() != 6) {
        return ReadError{.Code = ReadErrorCode::FenFieldCount,
                         .Count = static_cast<int>(fields.size())};
    }
    FenPosition position;
    ReadResult<Placement> placement = ReadPlacement(fields[0]);
    if (!placement) {
        return placement.Error();
    }
    position.Pieces = *placement;
    if (fields[1] != "w" && fields[1] != "b") {
        return ErrorAbout(ReadErrorCode::FenBadSide, fields[1]);
    }
    position.WhiteToMove = fields[1] == "w";

    std::array<BoardSquare, 65> squares{};
    int kings[2] = {0, 0};
    for (SquareIndex k = 1; k <= 64; ++k) {
        const PieceType kind = position.Pieces[k - 1];
        if (kind == NoPiece) {
            continue;
        }
        squares[k].Occupied = true;
        squares[k].Piece = PieceState{kind, IsWhitePiece(kind), false};
        if (ShapeOf(kind) == Shape::King) {
            ++kings[IsWhitePiece(kind) ? 0 : 1];
        }
        if (ShapeOf(kind) == Shape::Pawn && (RowOf(k) == 1 || RowOf(k) == 8)) {
            return ReadError{.Code = ReadErrorCode::FenPawnOnEdgeRank, .Square = k};
        }
    }
    for (const int colour : {0, 1}) {
        if (kings[colour] != 1) {
            return ReadError{
                .Code = ReadErrorCode::FenKingCount, .Count = kings[colour], .White = colour == 0};
        }
    }
    if (std::optional<ReadError> error = MaterialError(position.Pieces)) {
        return *error;
    }

    const std::string_view rights = fields[2];
    if (rights != "-") {
        for (const char letter : rights) {
            const auto bit = CastlingLetters.find(letter);
            if (letter == '\0' || bit == std::string_view::npos || (position.Castling >> bit) & 1) {
                return ErrorAbout(ReadErrorCode::FenBadCastling, rights);
            }
            position.Castling |= 1 << bit;
        }
    }
    const int possible = PossibleCastling(position.Pieces);
    for (int bit = 0; bit < 4; ++bit) {
        if ((position.Castling >> bit) & 1 & ~(possible >> bit)) {
            return ErrorAbout(ReadErrorCode::FenCastlingRight, CastlingLetters.substr(bit, 1));
        }
    }

    if (fields[3] != "-") {
        const SquareIndex target = SquareNameToIndex(fields[3]);
        if (target < 1) {
            return ErrorAbout(ReadErrorCode::FenBadEnPassant, fields[3]);
        }
        // A double step of the side that just moved passed target: its pawn stands one row
        // further on, and the squares it crossed and left are empty.
        const bool whiteMoved = !position.WhiteToMove;
        const int forward = whiteMoved ? -8 : 8;
        const auto pawn = static_cast<SquareIndex>(target + forward);
        const auto left = static_cast<SquareIndex>(target - forward);
        const bool made = RowOf(target) == (whiteMoved ? 6 : 3) &&
                          position.Pieces[pawn - 1] == PieceOf(Shape::Pawn, whiteMoved) &&
                          !squares[target].Occupied && !squares[left].Occupied;
        if (!made) {
            return ReadError{
                .Code = ReadErrorCode::FenEnPassantTarget, .White = whiteMoved, .Square = target};
        }
        position.EnPassant = target;
    }

    if (fields.size() == 6) {
        const auto clock = Number(fields[4], 0, MaxHalfmoveClock);
        const auto number = Number(fields[5], 0, MaxFullmoveNumber);
        if (!clock) {
            return ErrorAbout(ReadErrorCode::FenBadClock, fields[4]);
        }
        if (!number) {
            return ErrorAbout(ReadErrorCode::FenBadMoveNumber, fields[5]);
        }
        position.HalfmoveClock = *clock;
        // Some programs write 0 for the first move.
        position.FullmoveNumber = std::max(*number, 1);
    }

    for (SquareIndex k = 1; k <= 64; ++k) {
        const PieceState& piece = squares[k].Piece;
        if (squares[k].Occupied && ShapeOf(piece.Kind) == Shape::King &&
            piece.IsWhite != position.WhiteToMove && SquareIsAttacked(squares, piece.IsWhite, k)) {
            return ReadError{.Code = ReadErrorCode::FenOppositeCheck, .White = piece.IsWhite};
        }
    }
    const auto king =
        static_cast<SquareIndex>(std::find(position.Pieces.begin(), position.Pieces.end(),
                                           PieceOf(Shape::King, position.WhiteToMove)) -
                                 position.Pieces.begin() + 1);
    if (!ChecksPossible(squares, king, position.WhiteToMove, position.EnPassant)) {
        const std::uint64_t checkers = CheckersOf(squares, king, position.WhiteToMove);
        return ReadError{.Code = ReadErrorCode::FenImpossibleCheck,
                         .Count = std::popcount(checkers),
                         .White = position.WhiteToMove,
                         .Squares = checkers};
    }
    return position;
}

std::string ChessEngine::Fen() const {
    std::string fen;
    fen.reserve(96);
    for (int row = 1; row <= 8; ++row) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const BoardSquare& square = Squares[SquareAt(file, row)];
            if (!square.Occupied) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                fen += static_cast<char>('0' + empty);
                empty = 0;
            }
            fen += FenLetter(square.Piece.Kind);
        }
        if (empty > 0) {
            fen += static_cast<char>('0' + empty);
        }
        fen += row < 8 ? '/' : ' ';
    }
    // While the host hears about a move or an undo, the turn has not passed yet.
    fen += SideToMove() ? "w " : "b ";
    const int rights = CastlingRights(Squares);
    for (int bit = 0; bit < 4; ++bit) {
        if ((rights >> bit) & 1) {
            fen += CastlingLetters[bit];
        }
    }
    fen += rights == 0 ? "- " : " ";
    const SquareIndex target = Facts().EnPassantTarget;
    fen += target != 0 ? SquareIndexToName(target) : "-";
    fen += ' ';
    fen += std::to_string(std::min(HalfmoveClock(), MaxHalfmoveClock));
    fen += ' ';
    fen += std::to_string(std::min(FullmoveNumber(), MaxFullmoveNumber));
    return fen;
}

} // namespace quorrin
