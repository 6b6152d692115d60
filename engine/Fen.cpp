// FEN: reading a position, and writing the engine's own.
#include "Fen.h"

#include "Attacks.h"
#include "ChessEngine.h"

#include <charconv>
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

std::optional<std::int32_t> Number(std::string_view text, std::int32_t lowest) {
    std::int32_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > 99999) {
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

} // namespace

ReadResult<Placement> ReadPlacement(std::string_view text) {
    Placement pieces;
    pieces.fill(NoPiece);
    int rank = 8;
    int files = 0;
    for (const char c : text) {
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
        const auto clock = Number(fields[4], 0);
        const auto number = Number(fields[5], 0);
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
    fen += std::to_string(HalfmoveClock());
    fen += ' ';
    fen += std::to_string(FullmoveNumber());
    return fen;
}

} // namespace quorrin
