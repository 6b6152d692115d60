// The move command: the one way a move enters the game.
#include "ChessEngine.h"
#include "Notation.h"

namespace quorrin {

namespace {

// A host's promotion answer, kept when it names a queen, rook, knight or bishop of the
// pawn's colour, otherwise a queen of that colour.
PieceType CorrectedPromotion(PieceType choice, bool white) {
    const PieceType queen = PieceOf(Shape::Queen, white);
    const PieceType bishop = PieceOf(Shape::Bishop, white);
    return choice >= queen && choice <= bishop ? choice : queen;
}

} // namespace

bool ChessEngine::MovePiece(std::string_view sFrom, std::string_view sTo) {
    if (busy_) {
        return false;
    }
    const SquareIndex from = SquareNameToIndex(sFrom);
    const SquareIndex to = SquareNameToIndex(sTo);
    if (from < 1 || to < 1 || from == to) {
        return false;
    }
    if (!Squares[from].Occupied || Squares[from].Piece.IsWhite != WhitesTurn) {
        return false;
    }
    BusyScope scope(busy_);
    if (!CheckMoveRule(from, to, false)) {
        return false;
    }
    // En passant leaves the destination empty, so it is not reported as a capture.
    const bool captured = Squares[to].Occupied;
    const PieceType capturedKind = Squares[to].Piece.Kind;
    ShiftPiece(from, to, true);

    // Whether the mover's own king is left attacked does not depend on the piece a pawn
    // becomes (it stands on the same square either way), so a refused promotion is refused
    // before the host is asked for a piece.
    const bool moverIsWhite = WhitesTurn;
    if (IsSquareAttacked(moverIsWhite, moverIsWhite ? WhiteKingSquare : BlackKingSquare)) {
        PromotionPending = false;
        TakeBackLastMove();
        Draw(from, true);
        Draw(to, true);
        return false;
    }

    if (PromotionPending) {
        PieceType choice = 0;
        events_->PawnPromotion(PromotionIsWhite, choice);
        BoardSquare& promoted = Squares[PromotionSquare];
        promoted.Occupied = true;
        promoted.Piece =
            PieceState{CorrectedPromotion(choice, PromotionIsWhite), PromotionIsWhite, true};
        Draw(PromotionSquare, true);
    }
    PromotionPending = false;
    const bool opponentIsWhite = !moverIsWhite;
    const SquareIndex opponentKing = opponentIsWhite ? WhiteKingSquare : BlackKingSquare;
    const bool opponentAttacked = IsSquareAttacked(opponentIsWhite, opponentKing);

    Draw(LastMoveFrom, false);
    Draw(LastMoveTo, false);
    LastMoveFrom = from;
    LastMoveTo = to;
    Draw(from, true);
    Draw(to, true);

    events_->PieceMovement(moverIsWhite, SquareIndexToName(from), SquareIndexToName(to));
    if (captured) {
        events_->PieceCapture(capturedKind);
    }
    if (opponentAttacked) {
        events_->KingInCheck(opponentIsWhite, IsCheckmate(opponentIsWhite, opponentKing));
    } else if (IsStalemate(opponentIsWhite, opponentKing)) {
        events_->Stalemate();
    }
    WhitesTurn = !WhitesTurn;
    return true;
}

} // namespace quorrin
