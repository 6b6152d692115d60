// Making and taking back moves: shifting pieces, the castling rook, the history.
#include "ChessEngine.h"

namespace quorrin {

namespace {
bool IsKing(const PieceState& piece) {
    return ShapeOf(piece.Kind) == Shape::King;
}
} // namespace

void ChessEngine::ShiftPiece(SquareIndex from, SquareIndex to, bool markMoved) {
    BoardSquare& source = Squares[from];
    BoardSquare& target = Squares[to];
    const bool kingTaken = target.Occupied && IsKing(target.Piece);
    source.Piece.HasMoved = markMoved;
    source.Occupied = false;
    target.Piece = source.Piece;
    target.Occupied = true;
    if (kingTaken) {
        // Only a badly set-up position lets a king be taken; find what kings remain.
        LocateKings();
    } else if (IsKing(target.Piece)) {
        KingMovedTo(target.Piece.IsWhite, to);
    }
}

void ChessEngine::MoveCastlingRook(bool kingSide, SquareIndex kingSquare, SquareIndex rookSquare) {
    const SquareIndex target = kingSide ? kingSquare + 1 : kingSquare - 1;
    Squares[rookSquare].Occupied = false;
    Squares[target].Piece = Squares[rookSquare].Piece;
    Squares[target].Occupied = true;
    Squares[target].Piece.HasMoved = true;
    Draw(rookSquare, true);
    Draw(target, true);
}

bool ChessEngine::TakeBackLastMove() {
    if (MoveHistory.empty()) {
        return false;
    }
    const MoveRecord& r = MoveHistory.back();
    const SquareIndex from = r.FromSquare;
    const SquareIndex to = r.ToSquare;
    auto restore = [this](SquareIndex square, const PieceState& piece) {
        Squares[square].Piece = piece;
        Squares[square].Occupied = true;
    };
    auto emptyAndDraw = [this](SquareIndex square) {
        Squares[square].Occupied = false;
        Draw(square, true);
    };

    switch (r.Kind) {
    case MoveKind::NormalMove:
    case MoveKind::PromotionMove:
        restore(from, r.MovedPiece);
        Squares[to].Occupied = r.ToOccupied;
        if (r.ToOccupied) {
            Squares[to].Piece = r.CapturedPiece;
        }
        Draw(from, true);
        Draw(to, true);
        break;
    case MoveKind::CastleKingSide:
    case MoveKind::CastleQueenSide: {
        const int side = r.Kind == MoveKind::CastleKingSide ? 1 : -1;
        const SquareIndex rookNow = from + side;
        const SquareIndex rookHome = from + (side > 0 ? KingSideRookOffset : QueenSideRookOffset);
        restore(from, r.MovedPiece);
        Squares[from].Piece.HasMoved = false;
        restore(rookHome, Squares[rookNow].Piece);
        Squares[rookHome].Piece.HasMoved = false;
        Squares[to].Occupied = false;
        Squares[rookNow].Occupied = false;
        Draw(from, true);
        Draw(rookNow, true);
        Draw(to, true);
        Draw(rookHome, true);
        break;
    }
    case MoveKind::EnPassantMove:
        restore(from, r.MovedPiece);
        // The capturing pawn landed one row beyond the pawn it took, in its own direction.
        emptyAndDraw(r.WhiteMoved ? to - 8 : to + 8);
        restore(to, r.CapturedPiece);
        Draw(from, true);
        Draw(to, true);
        break;
    }

    // The en passant state after the move before, exactly: the file too, also when closed,
    // since the next record copies it. Before the first move it is the start's, which only
    // a game set up from a FEN may have open.
    if (MoveHistory.size() >= 2) {
        const MoveRecord& previous = MoveHistory[MoveHistory.size() - 2];
        EnPassantOpen = previous.EnPassantOpen;
        EnPassantFile = previous.EnPassantFile;
        EnPassantByWhite = previous.EnPassantByWhite;
    } else {
        EnPassantOpen = StartEnPassantOpen;
        EnPassantFile = StartEnPassantFile;
        EnPassantByWhite = StartEnPassantByWhite;
    }

    Draw(LastMoveFrom, false);
    Draw(LastMoveTo, false);
    LastMoveFrom = r.PrevLastMoveFrom;
    LastMoveTo = r.PrevLastMoveTo;
    Draw(LastMoveFrom, true);
    Draw(LastMoveTo, true);

    // The king squares change only when a king moved or a taken king comes back.
    const bool kingWasTaken = r.ToOccupied && IsKing(r.CapturedPiece);
    const PieceState moved = r.MovedPiece;
    ForgetNewestPosition();
    MoveHistory.pop_back();
    if (kingWasTaken) {
        LocateKings();
    } else if (IsKing(moved)) {
        KingMovedTo(moved.IsWhite, from);
    }
    return true;
}

bool ChessEngine::UndoLastMove() {
    if (busy_) {
        return false;
    }
    BusyScope scope(*this);
    const bool done = TakeBackLastMove();
    if (done) {
        turnPassing_ = true;
        events_->MoveUndo(!WhitesTurn);
        WhitesTurn = !WhitesTurn;
    }
    return done;
}

} // namespace quorrin
