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
            if (ray.length == 0) {
                continue;
            }
            const SquareIndex to = ray.squares[0];
            if (!CheckMoveRule(kingSquare, to, false)) {
                continue;
            }
            ShiftPiece(kingSquare, to, false);
            const bool attacked = IsSquareAttacked(sideIsWhite, to);
            TakeBackLastMove();
            if (!attacked) {
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
            if (!found && TrialLeavesKingSafe(from, to, kingSquare)) {
                found = true;
            }
        });
        if (found) {
            return true;
        }
    }
    return false;
}

bool ChessEngine::TrialLeavesKingSafe(SquareIndex from, SquareIndex to, SquareIndex kingSquare) {
    const bool pending = PromotionPending;
    const bool pendingIsWhite = PromotionIsWhite;
    const SquareIndex pendingSquare = PromotionSquare;
    if (!CheckMoveRule(from, to, false)) {
        return false;
    }
    const bool sideIsWhite = Squares[from].Piece.IsWhite;
    ShiftPiece(from, to, false);
    const bool safe = !IsSquareAttacked(sideIsWhite, kingSquare);
    TakeBackLastMove();
    // A trial pawn move onto the last row must not leave a promotion request behind.
    PromotionPending = pending;
    PromotionIsWhite = pendingIsWhite;
    PromotionSquare = pendingSquare;
    return safe;
}

} // namespace quorrin
