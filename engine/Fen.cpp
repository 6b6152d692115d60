// FEN: writing the current position, and reading one into a new game after checking that a
// game can be played from it.
#include "ChessEngine.h"
#include "EngineInternals.h"
#include "LayoutText.h"
#include "Notation.h"

#include <charconv>
#include <vector>

namespace quorrin {

namespace {

// A FEN read and found playable.
struct FenPosition {
    std::string layout;
    bool whiteToMove = true;
    int castling = 0; // bits as CastlingRights gives them
    SquareIndex enPassant = 0;
    std::int32_t halfmoveClock = 0;
    std::int32_t fullmoveNumber = 1;
};

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

std::optional<std::string> ReadPlacement(std::string_view placement, std::string& layout) {
    int rank = 8;
    int files = 0;
    for (const char c : placement) {
        if (c == '/') {
            if (files != 8) {
                return "rank " + std::to_string(rank) + " has " + std::to_string(files) +
                       " squares instead of 8";
            }
            files = 0;
            --rank;
            if (rank < 1) {
                return std::string("the board has more than 8 ranks");
            }
            continue;
        }
        const bool isDigit = c >= '1' && c <= '8';
        const bool isLetter =
            c != 0 && std::string_view("KQRNBPkqrnbp").find(c) != std::string_view::npos;
        if (!isDigit && !isLetter) {
            std::string why(1, '\'');
            why += c;
            return why +
                   "' is neither a piece letter (KQRBNP, kqrbnp) nor a count of empty squares";
        }
        files += isDigit ? c - '0' : 1;
        if (files > 8) {
            return "rank " + std::to_string(rank) + " has more than 8 squares";
        }
    }
    if (rank != 1 || files != 8) {
        return rank != 1 ? "the board has " + std::to_string(9 - rank) + " ranks instead of 8"
                         : "rank 1 has " + std::to_string(files) + " squares instead of 8";
    }
    layout = LayoutFromDiagram(placement).value_or(std::string());
    return std::nullopt;
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

std::optional<std::string> ReadFen(std::string_view fen, FenPosition& position) {
    const auto fields = Fields(fen);
    if (fields.size() != 4 && fields.size() != 6) {
        return "a FEN has 6 fields (or 4, without the clocks) separated by spaces, not " +
               std::to_string(fields.size());
    }
    if (auto why = ReadPlacement(fields[0], position.layout)) {
        return why;
    }
    if (fields[1] != "w" && fields[1] != "b") {
        return "the side to move must be w or b, not '" + std::string(fields[1]) + "'";
    }
    position.whiteToMove = fields[1] == "w";

    std::array<BoardSquare, 65> squares{};
    int kings[2] = {0, 0};
    for (SquareIndex k = 1; k <= 64; ++k) {
        const std::string_view cell = std::string_view(position.layout).substr(2 * (k - 1), 2);
        for (PieceType kind = 0; kind < PieceTypeCount; ++kind) {
            if (PieceCodes[kind] == cell) {
                squares[k].Occupied = true;
                squares[k].Piece = PieceState{kind, kind >= WhiteKing, false};
            }
        }
        const PieceState& piece = squares[k].Piece;
        if (!squares[k].Occupied) {
            continue;
        }
        if (ShapeOf(piece.Kind) == Shape::King) {
            ++kings[piece.IsWhite ? 0 : 1];
        }
        if (ShapeOf(piece.Kind) == Shape::Pawn && (RowOf(k) == 1 || RowOf(k) == 8)) {
            return "a pawn stands on " + SquareIndexToName(k) +
                   "; pawns cannot stand on rank 1 or 8";
        }
    }
    for (const int colour : {0, 1}) {
        if (kings[colour] != 1) {
            return std::string(colour == 0 ? "White" : "Black") + " has " +
                   std::to_string(kings[colour]) + " kings; each side needs exactly one";
        }
    }

    const std::string_view rights = fields[2];
    if (rights != "-") {
        for (std::size_t i = 0; i < rights.size(); ++i) {
            const auto bit = std::string_view("KQkq").find(rights[i]);
            if (bit == std::string_view::npos || (position.castling >> bit) & 1) {
                return "the castling field '" + std::string(rights) +
                       "' must be '-' or letters of KQkq, each at most once";
            }
            position.castling |= 1 << bit;
        }
    }
    EngineState unmoved;
    unmoved.Squares = squares;
    const int possible = CastlingRights(unmoved);
    for (int bit = 0; bit < 4; ++bit) {
        if ((position.castling >> bit) & 1 & ~(possible >> bit)) {
            const bool white = bit < 2;
            const bool kingSide = bit % 2 == 0;
            return "castling right " + std::string(1, "KQkq"[bit]) + " needs the " +
                   (white ? "white king on e1 and a white rook on "
                          : "black king on e8 and a black rook on ") +
                   (kingSide ? "h" : "a") + (white ? "1" : "8");
        }
    }

    if (fields[3] != "-") {
        const SquareIndex target = SquareNameToIndex(fields[3]);
        if (target < 1) {
            return "the en passant field '" + std::string(fields[3]) +
                   "' must be '-' or a square such as e3";
        }
        // A double step of the side that just moved passed target: its pawn stands one row
        // further on, and the squares it crossed and left are empty.
        const bool whiteMoved = !position.whiteToMove;
        const int forward = whiteMoved ? -8 : 8;
        const SquareIndex pawn = static_cast<SquareIndex>(target + forward);
        const SquareIndex left = static_cast<SquareIndex>(target - forward);
        const bool made = RowOf(target) == (whiteMoved ? 6 : 3) && squares[pawn].Occupied &&
                          squares[pawn].Piece.Kind == PieceOf(Shape::Pawn, whiteMoved) &&
                          !squares[target].Occupied && !squares[left].Occupied;
        if (!made) {
            return "no double step of " + std::string(whiteMoved ? "White" : "Black") +
                   " could have left the en passant square " + std::string(fields[3]);
        }
        position.enPassant = target;
    }

    if (fields.size() == 6) {
        const auto clock = Number(fields[4], 0);
        const auto number = Number(fields[5], 0);
        if (!clock) {
            return "the halfmove clock must be a whole number from 0 to 99999, not '" +
                   std::string(fields[4]) + "'";
        }
        if (!number) {
            return "the move number must be a whole number from 1 to 99999, not '" +
                   std::string(fields[5]) + "'";
        }
        position.halfmoveClock = *clock;
        // Some programs write 0 for the first move.
        position.fullmoveNumber = std::max(*number, 1);
    }

    for (SquareIndex k = 1; k <= 64; ++k) {
        const PieceState& piece = squares[k].Piece;
        if (squares[k].Occupied && ShapeOf(piece.Kind) == Shape::King &&
            piece.IsWhite != position.whiteToMove && SquareIsAttacked(squares, piece.IsWhite, k)) {
            return std::string(piece.IsWhite ? "White" : "Black") +
                   " is in check but it is not its move";
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> CheckFen(std::string_view sFen) {
    FenPosition position;
    return ReadFen(sFen, position);
}

std::optional<std::string> ChessEngine::NewGameFromFen(std::string_view sFen) {
    if (busy_) {
        return std::string("a move is being made");
    }
    FenPosition position;
    if (auto why = ReadFen(sFen, position)) {
        return why;
    }
    PlacePieces(position.layout, position.whiteToMove);
    // A right that is not given is lost: its rook counts as moved.
    for (int bit = 0; bit < 4; ++bit) {
        if (!((position.castling >> bit) & 1)) {
            const SquareIndex king = bit < 2 ? E1 : E8;
            const SquareIndex rook = static_cast<SquareIndex>(
                king + (bit % 2 == 0 ? KingSideRookOffset : QueenSideRookOffset));
            Squares[rook].Piece.HasMoved = Squares[rook].Occupied;
        }
    }
    EnPassantOpen = position.enPassant != 0;
    EnPassantFile = EnPassantOpen ? FileOf(position.enPassant) : 0;
    FinishSetUp(position.halfmoveClock, position.fullmoveNumber);
    for (SquareIndex k = 1; k <= 64; ++k) {
        Draw(k, true);
    }
    return std::nullopt;
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
            const char letter = ShapeLetters[static_cast<std::size_t>(ShapeOf(square.Piece.Kind))];
            fen += square.Piece.IsWhite ? letter : static_cast<char>(letter - 'A' + 'a');
        }
        if (empty > 0) {
            fen += static_cast<char>('0' + empty);
        }
        fen += row < 8 ? '/' : ' ';
    }
    // While the host hears about a move or an undo, the turn has not passed yet.
    fen += WhitesTurn != busy_ ? "w " : "b ";
    const int rights = CastlingRights(*this);
    for (int bit = 0; bit < 4; ++bit) {
        if ((rights >> bit) & 1) {
            fen += "KQkq"[bit];
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
