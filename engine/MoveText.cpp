// Moves as text: the standard algebraic notation of each move made, and reading a move that
// a person or a game file wrote, in that notation or in coordinates.
#include "BoardGeometry.h"
#include "ChessEngine.h"
#include "EngineInternals.h"
#include "Notation.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace quorrin {

namespace {

constexpr std::string_view PieceNames[] = {"king", "queen", "rook", "knight", "bishop", "pawn"};

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The shape of a promotion letter in either case, -1 for any other character.
PieceType PromotionShape(char letter) {
    switch (letter) {
    case 'Q':
    case 'q':
        return static_cast<PieceType>(Shape::Queen);
    case 'R':
    case 'r':
        return static_cast<PieceType>(Shape::Rook);
    case 'N':
    case 'n':
        return static_cast<PieceType>(Shape::Knight);
    case 'B':
    case 'b':
        return static_cast<PieceType>(Shape::Bishop);
    default:
        return -1;
    }
}

bool IsPromotionRow(SquareIndex square, bool white) {
    return RowOf(square) == (white ? 1 : 8);
}

} // namespace

std::string TextMove::Coordinates() const {
    std::string text = From + To;
    if (Promotion >= 0 && Promotion < 6) {
        text += static_cast<char>(ShapeLetters[static_cast<std::size_t>(Promotion)] - 'A' + 'a');
    }
    return text;
}

bool ChessEngine::IsLegal(SquareIndex from, SquareIndex to) {
    if (!IsBoardSquare(from) || !IsBoardSquare(to) || !Squares[from].Occupied) {
        return false;
    }
    const PieceState& piece = Squares[from].Piece;
    const SquareIndex watched = ShapeOf(piece.Kind) == Shape::King ? to
                                : piece.IsWhite                    ? WhiteKingSquare
                                                                   : BlackKingSquare;
    return TrialIsSafe(from, to, watched);
}

std::uint64_t ChessEngine::LegalOrigins(PieceType kind, SquareIndex to, SquareIndex except) {
    std::uint64_t origins = 0;
    auto consider = [&](SquareIndex from) {
        if (from != except && Squares[from].Occupied && Squares[from].Piece.Kind == kind &&
            CheckMoveRule(from, to, true) && IsLegal(from, to)) {
            origins |= std::uint64_t{1} << (from - 1);
        }
    };
    // A knight or a sliding piece can only come from a square it would reach from to; kings
    // and pawns are looked for everywhere.
    const Shape shape = ShapeOf(kind);
    if (shape == Shape::Knight) {
        const geometry::Jumps& jumps = geometry::Board.knight[to];
        for (int i = 0; i < jumps.length; ++i) {
            consider(jumps.squares[i]);
        }
    } else if (shape == Shape::Rook || shape == Shape::Bishop || shape == Shape::Queen) {
        const int first = shape == Shape::Bishop ? geometry::FirstDiagonal : 0;
        const int last = shape == Shape::Rook ? geometry::FirstDiagonal - 1 : 7;
        for (int d = first; d <= last; ++d) {
            const geometry::Ray& ray = geometry::Board.rays[to][d];
            for (int i = 0; i < ray.length; ++i) {
                if (Squares[ray.squares[i]].Occupied) {
                    consider(ray.squares[i]);
                    break;
                }
            }
        }
    } else {
        for (SquareIndex from = 1; from <= 64; ++from) {
            consider(from);
        }
    }
    return origins;
}

void ChessEngine::WriteSan(SquareIndex to, std::uint64_t rivals, bool check, bool mate) {
    MoveRecord& record = MoveHistory.back();
    std::string san;
    const SquareIndex from = record.FromSquare;
    const Shape shape = ShapeOf(record.MovedPiece.Kind);
    if (record.Kind == MoveKind::CastleKingSide) {
        san = "O-O";
    } else if (record.Kind == MoveKind::CastleQueenSide) {
        san = "O-O-O";
    } else {
        const std::string fromName = SquareIndexToName(from);
        if (shape == Shape::Pawn) {
            san = record.ToOccupied ? fromName.substr(0, 1) : "";
        } else {
            san = ShapeLetters[static_cast<std::size_t>(shape)];
            // Name the file when it tells the pieces apart, else the rank, else both.
            bool sameFile = false;
            bool sameRank = false;
            for (std::uint64_t rest = rivals; rest != 0; rest &= rest - 1) {
                const auto other = static_cast<SquareIndex>(std::countr_zero(rest) + 1);
                sameFile = sameFile || FileOf(other) == FileOf(from);
                sameRank = sameRank || RowOf(other) == RowOf(from);
            }
            if (rivals != 0) {
                san += !sameFile   ? fromName.substr(0, 1)
                       : !sameRank ? fromName.substr(1, 1)
                                   : fromName;
            }
        }
        if (record.ToOccupied) {
            san += 'x';
        }
        san += SquareIndexToName(to);
        if (record.Kind == MoveKind::PromotionMove) {
            san += '=';
            san += ShapeLetters[static_cast<std::size_t>(ShapeOf(Squares[to].Piece.Kind))];
        }
    }
    if (mate) {
        san += '#';
    } else if (check) {
        san += '+';
    }
    record.San = {};
    std::memcpy(record.San.data(), san.data(), std::min(san.size(), record.San.size() - 1));
}

std::string ChessEngine::MoveSan(std::size_t ply) const {
    return ply < MoveHistory.size() ? std::string(MoveHistory[ply].San.data()) : std::string();
}

std::string ChessEngine::MoveCoordinates(std::size_t ply) const {
    if (ply >= MoveHistory.size()) {
        return {};
    }
    const MoveRecord& record = MoveHistory[ply];
    TextMove move;
    move.From = SquareIndexToName(record.FromSquare);
    // En passant records the square of the pawn taken; the capturing pawn went one row on.
    const int step = record.WhiteMoved ? -8 : 8;
    move.To = SquareIndexToName(record.Kind == MoveKind::EnPassantMove ? record.ToSquare + step
                                                                       : record.ToSquare);
    if (record.Kind == MoveKind::PromotionMove) {
        const std::string_view san(record.San.data());
        const auto equals = san.find('=');
        move.Promotion = equals == std::string_view::npos ? -1 : PromotionShape(san[equals + 1]);
    }
    return move.Coordinates();
}

std::optional<TextMove> ChessEngine::ParseMove(std::string_view sText, std::string* sWhy) const {
    // Reading tries candidate moves on the board and takes each back: the game is as found.
    std::string why;
    auto move = const_cast<ChessEngine*>(this)->ReadMove(sText, why);
    if (!move && sWhy != nullptr) {
        *sWhy = why;
    }
    return move;
}

std::optional<TextMove> ChessEngine::ReadMove(std::string_view text, std::string& why) {
    const bool white = WhitesTurn;
    const std::string side = white ? "white" : "black";
    const std::string original(Trimmed(text));
    std::string_view t = original;
    while (!t.empty() && std::strchr("+#!?", t.back()) != nullptr) {
        t.remove_suffix(1);
    }
    const auto notAMove = [&] {
        why = "'" + original + "' is not a move";
        return std::nullopt;
    };
    if (t.empty() || t.find('\0') != std::string_view::npos) {
        return notAMove();
    }

    TextMove move;
    if (t == "O-O" || t == "0-0" || t == "O-O-O" || t == "0-0-0") {
        const SquareIndex king = white ? E1 : E8;
        const SquareIndex to = static_cast<SquareIndex>(t.size() == 3 ? king + 2 : king - 2);
        const BoardSquare& home = Squares[king];
        if (!home.Occupied || home.Piece.Kind != PieceOf(Shape::King, white) ||
            !IsLegal(king, to)) {
            why = side + " cannot castle " + (t.size() == 3 ? "king" : "queen") + "-side now";
            return std::nullopt;
        }
        return TextMove{SquareIndexToName(king), SquareIndexToName(to), -1};
    }

    // From the end: a promotion letter ("e8Q", "e8=Q", "e7e8n"), then the destination.
    if (t.size() >= 3 && PromotionShape(t.back()) >= 0 &&
        (t[t.size() - 2] == '=' || (t[t.size() - 2] >= '1' && t[t.size() - 2] <= '8'))) {
        move.Promotion = PromotionShape(t.back());
        t.remove_suffix(t[t.size() - 2] == '=' ? 2 : 1);
    }
    if (t.size() < 2) {
        return notAMove();
    }
    const SquareIndex to = SquareNameToIndex(t.substr(t.size() - 2));
    if (to < 1) {
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
    if (!t.empty() && ShapeLetters.substr(0, 5).find(t.front()) != std::string_view::npos) {
        shape = static_cast<Shape>(ShapeLetters.find(t.front()));
        lettered = true;
        t.remove_prefix(1);
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

    SquareIndex from = 0;
    const std::string toName = SquareIndexToName(to);
    if (file != 0 && row != 0) {
        // Coordinates: the origin is named, so the piece is whatever stands there.
        from = SquareAt(file, row);
        const std::string fromName = SquareIndexToName(from);
        const BoardSquare& origin = Squares[from];
        if (!origin.Occupied) {
            why = "there is no piece on " + fromName;
            return std::nullopt;
        }
        const std::string owner = origin.Piece.IsWhite ? "white" : "black";
        const std::string_view name = PieceNames[static_cast<int>(ShapeOf(origin.Piece.Kind))];
        if (origin.Piece.IsWhite != white) {
            why = "the " + owner + " " + std::string(name) + " on " + fromName +
                  " cannot move: it is " + side + "'s turn";
            return std::nullopt;
        }
        if (lettered && ShapeOf(origin.Piece.Kind) != shape) {
            why = "there is no " + side + " " + std::string(PieceNames[static_cast<int>(shape)]) +
                  " on " + fromName;
            return std::nullopt;
        }
        shape = ShapeOf(origin.Piece.Kind);
        if (!IsLegal(from, to)) {
            why = "the " + owner + " " + std::string(name) + " on " + fromName +
                  " cannot move to " + toName;
            return std::nullopt;
        }
    } else {
        std::uint64_t origins = LegalOrigins(PieceOf(shape, white), to, 0);
        for (std::uint64_t rest = origins; rest != 0; rest &= rest - 1) {
            const auto square = static_cast<SquareIndex>(std::countr_zero(rest) + 1);
            // A pawn that does not capture stays on its file.
            const int wantedFile = file != 0                          ? file
                                   : shape == Shape::Pawn && !capture ? FileOf(to)
                                                                      : 0;
            if ((wantedFile != 0 && FileOf(square) != wantedFile) ||
                (row != 0 && RowOf(square) != row)) {
                origins &= ~(std::uint64_t{1} << (square - 1));
            }
        }
        const std::string piece = side + " " + std::string(PieceNames[static_cast<int>(shape)]);
        if (origins == 0) {
            why = "no " + piece + " can move to " + toName;
            return std::nullopt;
        }
        if (std::popcount(origins) > 1) {
            std::vector<std::string> names;
            for (std::uint64_t rest = origins; rest != 0; rest &= rest - 1) {
                names.push_back(SquareIndexToName(std::countr_zero(rest) + 1));
            }
            std::sort(names.begin(), names.end());
            why = "ambiguous: the " + piece + "s on " + names[0];
            for (std::size_t i = 1; i < names.size(); ++i) {
                why += (i + 1 == names.size() ? " and " : ", ") + names[i];
            }
            why += names.size() == 2 ? " can both move to " : " can all move to ";
            why += toName;
            return std::nullopt;
        }
        from = static_cast<SquareIndex>(std::countr_zero(origins) + 1);
    }

    const bool promotes = shape == Shape::Pawn && IsPromotionRow(to, white);
    if (!promotes && move.Promotion >= 0) {
        why = "only a pawn reaching the last rank is promoted";
        return std::nullopt;
    }
    if (promotes && move.Promotion < 0) {
        move.Promotion = static_cast<PieceType>(Shape::Queen);
    }
    move.From = SquareIndexToName(from);
    move.To = toName;
    return move;
}

} // namespace quorrin
