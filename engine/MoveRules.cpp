// How each piece moves: geometry, pieces in the way, pawn steps and captures, en passant,
// promotion and castling; and the execute mode that records a move and carries out its side
// effects. Whether the mover's own king is left attacked is not judged here.
#include "ChessEngine.h"
#include "Rules.h"

#include <cstdlib>

namespace quorrin {

namespace {

// The numbers that differ between White's pawns and Black's.
struct PawnRows {
    int forward;      // row step of one move forward
    int startRow;     // row from which the double step is allowed
    int enPassantRow; // row from which a pawn can take en passant
};

constexpr PawnRows WhitePawnRows{-1, 7, 4};
constexpr PawnRows BlackPawnRows{+1, 2, 5};

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Every square strictly between from and to (on one line) is empty.
bool PathIsClear(const Board& squares, SquareIndex from, SquareIndex to) {
    const int fileStep = Sign(FileOf(to) - FileOf(from));
    const int rowStep = Sign(RowOf(to) - RowOf(from));
    const int stride = rowStep * 8 + fileStep;
    for (int square = from + stride; square != to; square += stride) {
        if (squares[square].Occupied) {
            return false;
        }
    }
    return true;
}

std::optional<MoveKind> PawnRule(const EngineState& position, SquareIndex from, SquareIndex to) {
    const BoardSquare& source = position.Squares[from];
    const BoardSquare& target = position.Squares[to];
    const bool white = source.Piece.IsWhite;
    const PawnRows& rows = white ? WhitePawnRows : BlackPawnRows;
    const int df = FileOf(to) - FileOf(from);
    const int dr = RowOf(to) - RowOf(from);
    const MoveKind step =
        RowOf(to) == PromotionRow(white) ? MoveKind::PromotionMove : MoveKind::NormalMove;

    if (df == 0 && dr == 2 * rows.forward && RowOf(from) == rows.startRow) {
        const SquareIndex passed = SquareAt(FileOf(from), rows.startRow + rows.forward);
        if (position.Squares[passed].Occupied || target.Occupied) {
            return std::nullopt;
        }
        return MoveKind::NormalMove;
    }
    if (df == 0 && dr == rows.forward) {
        return target.Occupied ? std::nullopt : std::optional(step);
    }
    if (dr != rows.forward || std::abs(df) != 1) {
        return std::nullopt;
    }
    if (target.Occupied) {
        return step;
    }
    // En passant: the last move was a double step past to, and this side may answer it.
    const bool enPassant = position.EnPassantOpen && FileOf(to) == position.EnPassantFile &&
                           RowOf(from) == rows.enPassantRow && white == position.EnPassantByWhite;
    return enPassant ? std::optional(MoveKind::EnPassantMove) : std::nullopt;
}

std::optional<MoveKind> CastlingRule(const EngineState& position, SquareIndex from,
                                     SquareIndex to) {
    const Board& squares = position.Squares;
    const BoardSquare& king = squares[from];
    const bool white = king.Piece.IsWhite;
    const int homeRow = HomeRow(white);
    if (FileOf(from) != KingHomeFile || RowOf(from) != homeRow || king.Piece.HasMoved) {
        return std::nullopt;
    }
    const int toFile = FileOf(to);
    if (RowOf(to) != homeRow || (toFile != KingSideCastleFile && toFile != QueenSideCastleFile)) {
        return std::nullopt;
    }
    const bool kingSide = toFile == KingSideCastleFile;
    const int side = kingSide ? 1 : -1;
    const int rookSquare = from + (kingSide ? KingSideRookOffset : QueenSideRookOffset);
    for (int between = from + side; between != rookSquare; between += side) {
        if (squares[between].Occupied) {
            return std::nullopt;
        }
    }
    const BoardSquare& rook = squares[rookSquare];
    if (!rook.Occupied || rook.Piece.Kind != PieceOf(Shape::Rook, white) || rook.Piece.HasMoved) {
        return std::nullopt;
    }
    // A king in check may not castle, nor cross an attacked square (as if it stood there).
    if (SquareIsAttacked(squares, white, from)) {
        return std::nullopt;
    }
    const auto crossed = static_cast<SquareIndex>(from + side);
    if (SquareIsAttacked(squares, white, crossed, Overlay{SquareBit(from), crossed})) {
        return std::nullopt;
    }
    return kingSide ? MoveKind::CastleKingSide : MoveKind::CastleQueenSide;
}

} // namespace

namespace rules {

std::optional<MoveKind> RuleAllows(const EngineState& position, SquareIndex from, SquareIndex to) {
    if (!IsBoardSquare(from) || !IsBoardSquare(to)) {
        return std::nullopt;
    }
    const BoardSquare& source = position.Squares[from];
    const BoardSquare& target = position.Squares[to];
    if (!source.Occupied || from == to ||
        (target.Occupied && target.Piece.IsWhite == source.Piece.IsWhite)) {
        return std::nullopt;
    }
    const int df = FileOf(to) - FileOf(from);
    const int dr = RowOf(to) - RowOf(from);
    const bool straight = df == 0 || dr == 0;
    const bool diagonal = std::abs(df) == std::abs(dr);
    const auto clear = [&] { return PathIsClear(position.Squares, from, to); };
    switch (ShapeOf(source.Piece.Kind)) {
    case Shape::Rook:
        return straight && clear() ? std::optional(MoveKind::NormalMove) : std::nullopt;
    case Shape::Bishop:
        return diagonal && clear() ? std::optional(MoveKind::NormalMove) : std::nullopt;
    case Shape::Queen:
        return (straight || diagonal) && clear() ? std::optional(MoveKind::NormalMove)
                                                 : std::nullopt;
    case Shape::Knight:
        return std::abs(df * dr) == 2 ? std::optional(MoveKind::NormalMove) : std::nullopt;
    case Shape::Pawn:
        return PawnRule(position, from, to);
    case Shape::King:
        if (std::abs(df) <= 1 && std::abs(dr) <= 1) {
            return MoveKind::NormalMove;
        }
        return CastlingRule(position, from, to);
    }
    return std::nullopt;
}

} // namespace rules

bool ChessEngine::CheckMoveRule(SquareIndex from, SquareIndex to, bool testOnly) {
    const std::optional<MoveKind> kind = rules::RuleAllows(*this, from, to);
    if (kind && !testOnly) {
        RecordMove(from, to, *kind);
    }
    return kind.has_value();
}

void ChessEngine::RecordMove(SquareIndex from, SquareIndex to, MoveKind kind) {
    const BoardSquare& source = Squares[from];
    const bool white = source.Piece.IsWhite;
    const bool doubleStep =
        ShapeOf(source.Piece.Kind) == Shape::Pawn && std::abs(RowOf(to) - RowOf(from)) == 2;
    EnPassantOpen = doubleStep;
    if (doubleStep) {
        EnPassantFile = FileOf(from);
        EnPassantByWhite = !white;
    }

    MoveRecord record;
    record.Kind = kind;
    record.ToSquare = to;
    switch (kind) {
    case MoveKind::EnPassantMove: {
        // The pawn taken stands beside the capturing pawn, on the destination's file.
        EnPassantCapture = true;
        record.ToSquare = SquareAt(FileOf(to), RowOf(from));
        record.ToOccupied = true;
        Squares[record.ToSquare].Occupied = false;
        Draw(record.ToSquare, true);
        EnPassantCapture = false;
        break;
    }
    case MoveKind::CastleKingSide:
    case MoveKind::CastleQueenSide: {
        const bool kingSide = kind == MoveKind::CastleKingSide;
        MoveCastlingRook(
            kingSide, from,
            static_cast<SquareIndex>(from + (kingSide ? KingSideRookOffset : QueenSideRookOffset)));
        break;
    }
    case MoveKind::PromotionMove:
        PromotionPending = true;
        PromotionIsWhite = white;
        PromotionSquare = to;
        record.ToOccupied = Squares[to].Occupied;
        break;
    case MoveKind::NormalMove:
        record.ToOccupied = Squares[to].Occupied;
        break;
    }
    record.FromSquare = from;
    record.MovedPiece = source.Piece;
    record.CapturedPiece = Squares[record.ToSquare].Piece;
    record.WhiteMoved = white;
    record.EnPassantOpen = EnPassantOpen;
    record.EnPassantFile = EnPassantFile;
    record.EnPassantByWhite = EnPassantByWhite;
    record.PrevLastMoveFrom = LastMoveFrom;
    record.PrevLastMoveTo = LastMoveTo;
    MoveHistory.push_back(record);
}

} // namespace quorrin
