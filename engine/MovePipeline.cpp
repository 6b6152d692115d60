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
    // The other pieces that could make the same move, which its notation must tell apart.
    const PieceType moverKind = Squares[from].Piece.Kind;
    const Shape moverShape = ShapeOf(moverKind);
    const std::uint64_t rivals = moverShape == Shape::Pawn || moverShape == Shape::King
                                     ? 0
                                     : LegalOrigins(moverKind, to, from);
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

    const bool promoted = PromotionPending;
    if (PromotionPending) {
        PieceType choice = 0;
        events_->PawnPromotion(PromotionIsWhite, choice);
        BoardSquare& promotedSquare = Squares[PromotionSquare];
        promotedSquare.Occupied = true;
        promotedSquare.Piece =
            PieceState{CorrectedPromotion(choice, PromotionIsWhite), PromotionIsWhite, true};
        Draw(PromotionSquare, true);
    }
    PromotionPending = false;
    const bool opponentIsWhite = !moverIsWhite;
    const SquareIndex opponentKing = opponentIsWhite ? WhiteKingSquare : BlackKingSquare;
    const bool opponentAttacked = IsSquareAttacked(opponentIsWhite, opponentKing);
    // The verdicts are settled before any event, so that every handler sees the move's
    // record complete; the tests try moves on the board and leave no trace.
    const bool mate = opponentAttacked && IsCheckmate(opponentIsWhite, opponentKing);
    const bool stalemate = !opponentAttacked && IsStalemate(opponentIsWhite, opponentKing);

    // The facts of the new position, and the notation of the move. Working out the facts
    // tries moves, which may move the history, so the record is looked up afterwards.
    const PositionFacts before =
        MoveHistory.size() >= 2 ? MoveHistory[MoveHistory.size() - 2].After : Start;
    const bool resets = moverShape == Shape::Pawn || MoveHistory.back().ToOccupied;
    const PositionFacts after =
        WorkOutFacts(opponentIsWhite, resets ? 0 : before.HalfmoveClock + 1, before.AutomaticDraws,
                     resets || promoted, mate, stalemate);
    MoveHistory.back().After = after;
    WriteSan(to, rivals, opponentAttacked, mate);

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
        events_->KingInCheck(opponentIsWhite, mate);
    } else if (stalemate) {
        events_->Stalemate();
    }
    // A draw by rule is announced once, on the move that brings it about: the first rule
    // (in the order of DrawReason) that holds now and did not before.
    const unsigned fresh = after.AutomaticDraws & ~before.AutomaticDraws;
    if (fresh != 0 && !mate && !stalemate) {
        int reason = 1;
        while ((fresh & (1U << reason)) == 0) {
            ++reason;
        }
        events_->Draw(static_cast<DrawReason>(reason));
    }
    WhitesTurn = !WhitesTurn;
    return true;
}

} // namespace quorrin
