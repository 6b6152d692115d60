// The checkmate and stalemate tests: does the side about to move have any legal move?
#include "CandidateTargets.h"
#include "ChessEngine.h"

namespace quorrin {

bool ChessEngine::IsCheckmate(bool KingIsWhite, SquareIndex KingSquare) {
    if (!IsSquareAttacked(KingIsWhite, KingSquare)) {
        return false;
    }
    return !HasLegalMove(KingIsWhite, KingSquare);
}

bool ChessEngine::IsStalemate(bool KingIsWhite, SquareIndex KingSquare) {
    if (IsSquareAttacked(KingIsWhite, KingSquare)) {
        return false;
    }
    return !HasLegalMove(KingIsWhite, KingSquare);
}

bool ChessEngine::HasLegalMove(bool sideIsWhite, SquareIndex kingSquare) {
    const PieceType ownKing = PieceOf(Shape::King, sideIsWhite);
    const bool hasKing = IsBoardSquare(kingSquare) && Squares[kingSquare].Occupied &&
                         Squares[kingSquare].Piece.Kind == ownKing;
    if (!hasKing) {
        kingSquare = NoSquare;
    }

    // The king's own steps first: they answer most positions at once.
    if (hasKing) {
        for (const geometry::Ray& ray : geometry::Board.rays[kingSquare]) {
            if (ray.length > 0 && TrialIsSafe(kingSquare, ray.squares[0], ray.squares[0])) {
                return true;
            }
        }
    }

    // Then every other piece, each candidate tried on the board, en passant included, so
    // that a pinned piece's move does not count.
    for (SquareIndex from = 1; from <= 64; ++from) {
        const BoardSquare& square = Squares[from];
        if (!square.Occupied || square.Piece.IsWhite != sideIsWhite ||
            square.Piece.Kind == ownKing) {
            continue;
        }
        bool found = false;
        ForEachCandidateTarget(State(), from, [&](SquareIndex to) {
            found = found || TrialIsSafe(from, to, kingSquare);
        });
        if (found) {
            return true;
        }
    }
    return false;
}

bool ChessEngine::TrialIsSafe(SquareIndex from, SquareIndex to, SquareIndex watched) {
    TrialScope trial(*this, to);
    if (!CheckMoveRule(from, to, false)) {
        return false;
    }
    const bool moverIsWhite = Squares[from].Piece.IsWhite;
    ShiftPiece(from, to, false);
    const bool safe = !IsSquareAttacked(moverIsWhite, watched);
    TakeBackLastMove();
    return safe;
}

} // namespace quorrin
