// Moves as text: the standard algebraic notation of a move, the moves made, and reading a
// move that a person or a game file wrote, in that notation or in coordinates.
#include "San.h"

#include "ChessEngine.h"
#include "Rules.h"

#include <algorithm>
#include <bit>

namespace quorrin {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The position after a legal move, for the notation's check and mate: only what the rules read.
EngineState After(const EngineState& position, const Move& move, MoveKind kind) {
    EngineState after;
    after.Squares = position.Squares;
    after.WhiteKingSquare = position.WhiteKingSquare;
    after.BlackKingSquare = position.BlackKingSquare;
    Board& squares = after.Squares;
    const PieceState mover = squares[move.From].Piece;
    const bool white = mover.IsWhite;
    if (kind == MoveKind::EnPassantMove) {
        squares[SquareAt(FileOf(move.To), RowOf(move.From))].Occupied = false;
    } else if (kind == MoveKind::CastleKingSide || kind == MoveKind::CastleQueenSide) {
        const bool kingSide = kind == MoveKind::CastleKingSide;
        const int rook = move.From + (kingSide ? KingSideRookOffset : QueenSideRookOffset);
        squares[move.From + (kingSide ? 1 : -1)] = squares[rook];
        squares[rook].Occupied = false;
    }
    const bool kingTaken =
        squares[move.To].Occupied && ShapeOf(squares[move.To].Piece.Kind) == Shape::King;
    squares[move.To].Occupied = true;
    squares[move.To].Piece = mover;
    squares[move.From].Occupied = false;
    if (move.Promotion) {
        squares[move.To].Piece.Kind = PieceOf(*move.Promotion, white);
    }
    if (ShapeOf(mover.Kind) == Shape::King) {
        (white ? after.WhiteKingSquare : after.BlackKingSquare) = move.To;
    }
    if (kingTaken) {
        // Only a badly set-up position lets a king be taken.
        SquareIndex& kingSquare = white ? after.BlackKingSquare : after.WhiteKingSquare;
        kingSquare = NoSquare;
        for (SquareIndex k = 1; k <= 64; ++k) {
            if (squares[k].Occupied && squares[k].Piece.Kind == PieceOf(Shape::King, !white)) {
                kingSquare = k;
            }
        }
    }
    const bool doubleStep =
        ShapeOf(mover.Kind) == Shape::Pawn && std::abs(RowOf(move.To) - RowOf(move.From)) == 2;
    after.EnPassantOpen = doubleStep;
    after.EnPassantFile = FileOf(move.From);
    after.EnPassantByWhite = !white;
    after.WhitesTurn = !white;
    return after;
}

} // namespace

std::array<char, 8> SanOf(const Move& move, MoveKind kind, PieceType mover, bool capture,
                          std::uint64_t rivals, bool check, bool mate) {
    std::array<char, 8> san{};
    std::size_t length = 0;
    auto add = [&](char c) {
        if (length + 1 < san.size()) {
            san[length++] = c;
        }
    };
    auto addSquare = [&](SquareIndex square) {
        add(static_cast<char>('a' + FileOf(square) - 1));
        add(static_cast<char>('8' - RowOf(square) + 1));
    };
    const Shape shape = ShapeOf(mover);
    if (kind == MoveKind::CastleKingSide || kind == MoveKind::CastleQueenSide) {
        for (const char c : std::string_view(kind == MoveKind::CastleKingSide ? "O-O" : "O-O-O")) {
            add(c);
        }
    } else {
        const char file = static_cast<char>('a' + FileOf(move.From) - 1);
        if (shape == Shape::Pawn) {
            if (capture) {
                add(file);
            }
        } else {
            add(ShapeLetter(shape));
            // Name the file when it tells the pieces apart, else the rank, else both.
            bool sameFile = false;
            bool sameRank = false;
            for (std::uint64_t rest = rivals; rest != 0; rest &= rest - 1) {
                const auto other = static_cast<SquareIndex>(std::countr_zero(rest) + 1);
                sameFile = sameFile || FileOf(other) == FileOf(move.From);
                sameRank = sameRank || RowOf(other) == RowOf(move.From);
            }
            if (rivals != 0 && !sameFile) {
                add(file);
            } else if (rivals != 0 && !sameRank) {
                add(static_cast<char>('8' - RowOf(move.From) + 1));
            } else if (rivals != 0) {
                addSquare(move.From);
            }
        }
        if (capture) {
            add('x');
        }
        addSquare(move.To);
        if (kind == MoveKind::PromotionMove) {
            add('=');
            add(ShapeLetter(move.Promotion.value_or(Shape::Queen)));
        }
    }
    if (mate) {
        add('#');
    } else if (check) {
        add('+');
    }
    return san;
}

std::string ChessEngine::MoveSan(std::size_t ply) const {
    return ply < MoveHistory.size() ? std::string(MoveHistory[ply].San.data()) : std::string();
}

Move ChessEngine::MoveAt(std::size_t ply) const {
    if (ply >= MoveHistory.size()) {
        return {};
    }
    const MoveRecord& record = MoveHistory[ply];
    Move move{record.FromSquare, record.ToSquare, std::nullopt};
    // En passant records the square of the pawn taken; the capturing pawn went one row on.
    if (record.Kind == MoveKind::EnPassantMove) {
        move.To = static_cast<SquareIndex>(record.ToSquare + (record.WhiteMoved ? -8 : 8));
    }
    if (record.Kind == MoveKind::PromotionMove) {
        const std::string_view san(record.San.data());
        const auto equals = san.find('=');
        move.Promotion = equals == std::string_view::npos || equals + 1 >= san.size()
                             ? std::optional(Shape::Queen)
                             : ShapeOfLetter(san[equals + 1]);
    }
    return move;
}

std::string ChessEngine::San(const Move& move) const {
    const std::optional<MoveKind> kind = rules::LegalKind(*this, SideToMove(), move, Safety());
    if (!kind) {
        return {};
    }
    const PieceType mover = Squares[move.From].Piece.Kind;
    const Shape shape = ShapeOf(mover);
    const std::uint64_t rivals = shape == Shape::Pawn || shape == Shape::King
                                     ? 0
                                     : rules::LegalOrigins(*this, mover, move.To, move.From);
    const bool capture = Squares[move.To].Occupied || *kind == MoveKind::EnPassantMove;
    const EngineState after = After(*this, move, *kind);
    const bool opponent = !SideToMove();
    const bool check = SquareIsAttacked(after.Squares, opponent,
                                        opponent ? after.WhiteKingSquare : after.BlackKingSquare);
    const bool mate =
        check && !rules::HasLegalMove(after, opponent, rules::SafetyOf(after, opponent, true));
    return SanOf(move, *kind, mover, capture, rivals, check, mate).data();
}

ReadResult<Move> ChessEngine::ParseMove(std::string_view sText) const {
    const bool white = SideToMove();
    const std::string original(Trimmed(sText));
    std::string_view t = original;
    while (!t.empty() &&
           (t.back() == '+' || t.back() == '#' || t.back() == '!' || t.back() == '?')) {
        t.remove_suffix(1);
    }
    const auto notAMove = [&] {
        return ReadError{.Code = ReadErrorCode::NotAMove, .Text = original};
    };
    if (t.empty() || t.find('\0') != std::string_view::npos) {
        return notAMove();
    }

    if (t == "O-O" || t == "0-0" || t == "O-O-O" || t == "0-0-0") {
        const SquareIndex king = white ? E1 : E8;
        const Move castling{king, static_cast<SquareIndex>(t.size() == 3 ? king + 2 : king - 2),
                            std::nullopt};
        const BoardSquare& home = Squares[king];
        if (!home.Occupied || home.Piece.Kind != PieceOf(Shape::King, white) ||
            !rules::LegalKind(*this, SideToMove(), castling, Safety())) {
            return ReadError{.Code = ReadErrorCode::CannotCastle,
                             .Number = t.size() == 3 ? 1 : 2,
                             .White = white};
        }
        return castling;
    }

    Move move;
    // From the end: a promotion letter ("e8Q", "e8=Q", "e7e8n"), then the destination.
    if (t.size() >= 3 && PromotionShapeOfLetter(t.back()) &&
        (t[t.size() - 2] == '=' || (t[t.size() - 2] >= '1' && t[t.size() - 2] <= '8'))) {
        move.Promotion = PromotionShapeOfLetter(t.back());
        t.remove_suffix(t[t.size() - 2] == '=' ? 2 : 1);
    }
    if (t.size() < 2) {
        return notAMove();
    }
    move.To = SquareNameToIndex(t.substr(t.size() - 2));
    if (move.To < 1) {
        return notAMove();
    }
    t.remove_suffix(2);
    bool capture = false;
    if (!t.empty() && (t.back() == 'x' || t.back() == ':' || t.back() == '-')) {
        capture = t.back() != '-';
        t.remove_suffix(1);
    }
    // Then from the start: a piece letter (upper case; a lower-case b is a file), then the
    // file and rank of the origin, either or both, when given.
    Shape shape = Shape::Pawn;
    bool lettered = false;
    if (!t.empty()) {
        if (const std::optional<Shape> named = ShapeOfLetter(t.front());
            named && *named != Shape::Pawn) {
            shape = *named;
            lettered = true;
            t.remove_prefix(1);
        }
    }
    int file = 0;
    int row = 0;
    if (!t.empty() && t.front() >= 'a' && t.front() <= 'h') {
        file = t.front() - 'a' + 1;
        t.remove_prefix(1);
    }
    if (!t.empty() && t.front() >= '1' && t.front() <= '8') {
        row = 8 - (t.front() - '0') + 1;
        t.remove_prefix(1);
    }
    if (!t.empty()) {
        return notAMove();
    }

    if (file != 0 && row != 0) {
        // Coordinates: the origin is named, so the piece is whatever stands there.
        move.From = SquareAt(file, row);
        const BoardSquare& origin = Squares[move.From];
        if (!origin.Occupied) {
            return ReadError{.Code = ReadErrorCode::NoPieceOn, .Square = move.From};
        }
        if (origin.Piece.IsWhite != white) {
            return ReadError{.Code = ReadErrorCode::NotYourTurn,
                             .White = white,
                             .Piece = origin.Piece.Kind,
                             .Square = move.From};
        }
        if (lettered && ShapeOf(origin.Piece.Kind) != shape) {
            return ReadError{.Code = ReadErrorCode::NoSuchPieceOn,
                             .Piece = PieceOf(shape, white),
                             .Square = move.From};
        }
        shape = ShapeOf(origin.Piece.Kind);
        const std::optional<MoveKind> rule = rules::RuleAllows(*this, move.From, move.To);
        if (!rule || !rules::KeepsKingSafe(*this, move.From, move.To, *rule)) {
            return ReadError{.Code = ReadErrorCode::PieceCannotMoveTo,
                             .Piece = origin.Piece.Kind,
                             .Square = move.From,
                             .Target = move.To};
        }
    } else {
        const PieceType piece = PieceOf(shape, white);
        std::uint64_t origins = rules::LegalOrigins(*this, piece, move.To, NoSquare);
        // A pawn that does not capture stays on its file.
        const int wantedFile = file != 0                          ? file
                               : shape == Shape::Pawn && !capture ? FileOf(move.To)
                                                                  : 0;
        for (std::uint64_t rest = origins; rest != 0; rest &= rest - 1) {
            const auto square = static_cast<SquareIndex>(std::countr_zero(rest) + 1);
            if ((wantedFile != 0 && FileOf(square) != wantedFile) ||
                (row != 0 && RowOf(square) != row)) {
                origins &= ~SquareBit(square);
            }
        }
        if (origins == 0) {
            return ReadError{
                .Code = ReadErrorCode::NoPieceCanMoveTo, .Piece = piece, .Target = move.To};
        }
        if (std::popcount(origins) > 1) {
            return ReadError{.Code = ReadErrorCode::AmbiguousMove,
                             .Piece = piece,
                             .Target = move.To,
                             .Squares = origins};
        }
        move.From = static_cast<SquareIndex>(std::countr_zero(origins) + 1);
    }

    const bool promotes = shape == Shape::Pawn && RowOf(move.To) == PromotionRow(white);
    if (!promotes && move.Promotion) {
        return ReadError{.Code = ReadErrorCode::NotAPromotion, .Text = original};
    }
    if (promotes && !move.Promotion) {
        move.Promotion = Shape::Queen;
    }
    return move;
}

} // namespace quorrin
