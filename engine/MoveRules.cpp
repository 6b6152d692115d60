// How each piece moves: geometry, pieces in the way, pawn steps and captures, en passant,
// promotion and castling. Whether the mover's own king is left attacked is not judged here.
#include "ChessEngine.h"
#include "Notation.h"

#include <cstdlib>

namespace quorrin {

namespace {

// The numbers that differ between White's pawns and Black's.
struct PawnRows {
    int forward;      // row step of one move forward
    int startRow;     // row from which the double step is allowed
    int enPassantRow; // row from which a pawn can take en passant
    int promotionRow; // row on which a pawn is promoted
};

constexpr PawnRows WhitePawnRows{-1, 7, 4, 1};
constexpr PawnRows BlackPawnRows{+1, 2, 5, 8};

// Clears EnPassantCapture on every way out of CheckMoveRule.
class ClearOnExit {
public:
    explicit ClearOnExit(bool& flag) : flag_(flag) {}
    ~ClearOnExit() { flag_ = false; }
    ClearOnExit(const ClearOnExit&) = delete;
    ClearOnExit& operator=(const ClearOnExit&) = delete;

private:
    bool& flag_;
};

int Sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

// Every square strictly between from and to (on one line) is empty.
bool ChessEngine::PathIsClear(SquareIndex from, SquareIndex to) const {
    const int fileStep = Sign(Squares[to].File - Squares[from].File);
    const int rowStep = Sign(Squares[to].Row - Squares[from].Row);
    const int stride = rowStep * 8 + fileStep;
    for (int square = from + stride; square != to; square += stride) {
        if (Squares[square].Occupied) {
            return false;
        }
    }
    return true;
}

bool ChessEngine::CheckMoveRule(SquareIndex from, SquareIndex to, bool testOnly) {
    ClearOnExit clearCapture(EnPassantCapture);
    if (!IsBoardSquare(from) || !IsBoardSquare(to)) {
        return false;
    }
    const BoardSquare& source = Squares[from];
    const BoardSquare& target = Squares[to];
    if (!source.Occupied || from == to ||
        (target.Occupied && target.Piece.IsWhite == source.Piece.IsWhite)) {
        return false;
    }

    const int df = target.File - source.File;
    const int dr = target.Row - source.Row;
    const bool straight = df == 0 || dr == 0;
    const bool diagonal = std::abs(df) == std::abs(dr);
    bool doubleStep = false;
    bool promotion = false;
    MoveKind castling = MoveKind::NormalMove;

    switch (ShapeOf(source.Piece.Kind)) {
    case Shape::Rook:
        if (!straight || !PathIsClear(from, to)) {
            return false;
        }
        break;
    case Shape::Bishop:
        if (!diagonal || !PathIsClear(from, to)) {
            return false;
        }
        break;
    case Shape::Queen:
        if (!(straight || diagonal) || !PathIsClear(from, to)) {
            return false;
        }
        break;
    case Shape::Knight:
        if (std::abs(df * dr) != 2) {
            return false;
        }
        break;
    case Shape::Pawn:
        if (!CheckPawnRule(from, to, testOnly, doubleStep, promotion)) {
            return false;
        }
        break;
    case Shape::King:
        if (std::abs(df) > 1 || std::abs(dr) > 1) {
            if (!CheckCastlingRule(from, to, testOnly, castling)) {
                return false;
            }
        }
        break;
    }

    if (testOnly) {
        return true;
    }

    // Execute mode: the move stands by its rule; record it and update en passant.
    EnPassantOpen = doubleStep;
    if (doubleStep) {
        EnPassantFile = source.File;
    }
    MoveRecord record;
    if (EnPassantCapture) {
        record.Kind = MoveKind::EnPassantMove;
        record.ToSquare = SquareAt(target.File, source.Row);
        record.ToOccupied = true;
    } else {
        record.Kind = promotion ? MoveKind::PromotionMove : castling;
        record.ToSquare = to;
        record.ToOccupied = castling == MoveKind::NormalMove && target.Occupied;
    }
    record.FromSquare = from;
    record.MovedPiece = source.Piece;
    record.CapturedPiece = Squares[record.ToSquare].Piece;
    record.WhiteMoved = source.Piece.IsWhite;
    record.EnPassantOpen = EnPassantOpen;
    record.EnPassantFile = EnPassantFile;
    record.PrevLastMoveFrom = LastMoveFrom;
    record.PrevLastMoveTo = LastMoveTo;
    MoveHistory.push_back(record);
    return true;
}

bool ChessEngine::CheckPawnRule(SquareIndex from, SquareIndex to, bool testOnly, bool& doubleStep,
                                bool& promotion) {
    const BoardSquare& source = Squares[from];
    const BoardSquare& target = Squares[to];
    const bool white = source.Piece.IsWhite;
    const PawnRows& rows = white ? WhitePawnRows : BlackPawnRows;
    const int df = target.File - source.File;
    const int dr = target.Row - source.Row;

    if (df == 0 && dr == 2 * rows.forward && source.Row == rows.startRow) {
        const SquareIndex passed = SquareAt(source.File, rows.startRow + rows.forward);
        if (Squares[passed].Occupied || target.Occupied) {
            return false;
        }
        doubleStep = true;
        return true;
    }
    if (df == 0 && dr == rows.forward) {
        if (target.Occupied) {
            return false;
        }
    } else if (dr == rows.forward && std::abs(df) == 1) {
        if (!target.Occupied) {
            const bool enPassant =
                EnPassantOpen && target.File == EnPassantFile && source.Row == rows.enPassantRow;
            if (!enPassant) {
                return false;
            }
            if (!testOnly) {
                const SquareIndex taken = SquareAt(target.File, rows.enPassantRow);
                Squares[taken].Occupied = false;
                Draw(taken, true);
                EnPassantCapture = true;
            }
            return true;
        }
    } else {
        return false;
    }

    if (target.Row == rows.promotionRow) {
        promotion = true;
        if (!testOnly) {
            PromotionPending = true;
            PromotionIsWhite = white;
            PromotionSquare = to;
        }
    }
    return true;
}

bool ChessEngine::CheckCastlingRule(SquareIndex from, SquareIndex to, bool testOnly,
                                    MoveKind& castling) {
    const BoardSquare& king = Squares[from];
    const bool white = king.Piece.IsWhite;
    const int homeRow = HomeRow(white);
    if (IsSquareAttacked(white, from)) {
        return false;
    }
    if (king.File != KingHomeFile || king.Row != homeRow || king.Piece.HasMoved) {
        return false;
    }
    const int toFile = Squares[to].File;
    if (Squares[to].Row != homeRow ||
        (toFile != KingSideCastleFile && toFile != QueenSideCastleFile)) {
        return false;
    }
    const bool kingSide = toFile == KingSideCastleFile;
    const int side = kingSide ? 1 : -1;
    const SquareIndex rookSquare = from + (kingSide ? KingSideRookOffset : QueenSideRookOffset);
    for (SquareIndex between = from + side; between != rookSquare; between += side) {
        if (Squares[between].Occupied) {
            return false;
        }
    }
    const BoardSquare& rook = Squares[rookSquare];
    if (!rook.Occupied || rook.Piece.Kind != PieceOf(Shape::Rook, white) || rook.Piece.HasMoved) {
        return false;
    }

    // The king may not cross an attacked square: step it there for real, look, take it back.
    const SquareIndex crossed = from + side;
    if (!TrialIsSafe(from, crossed, crossed)) {
        return false;
    }

    if (!testOnly) {
        MoveCastlingRook(kingSide, from, rookSquare);
        castling = kingSide ? MoveKind::CastleKingSide : MoveKind::CastleQueenSide;
    }
    return true;
}

} // namespace quorrin
