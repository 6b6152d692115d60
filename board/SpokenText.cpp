#include "board/SpokenText.h"

#include "engine/Squares.h"

#include <QCoreApplication>

#include <string_view>

namespace quorrin {

namespace {

// Every word a screen reader speaks goes through here; the squares' names ("e4") stay as they
// are in every language. lupdate reads Tr as tr (-tr-function-alias tr+=Tr), in the context of
// the namespace, "quorrin".
QString Tr(const char* text, const char* comment = nullptr) {
    return QCoreApplication::translate("quorrin", text, comment);
}

const char* const ShapeNames[] = {
    QT_TRANSLATE_NOOP("quorrin", "king"),   QT_TRANSLATE_NOOP("quorrin", "queen"),
    QT_TRANSLATE_NOOP("quorrin", "rook"),   QT_TRANSLATE_NOOP("quorrin", "knight"),
    QT_TRANSLATE_NOOP("quorrin", "bishop"), QT_TRANSLATE_NOOP("quorrin", "pawn")};

QString ShapeName(PieceType kind) {
    return Tr(ShapeNames[static_cast<int>(ShapeOf(kind))]);
}

QString SquareName(int square) {
    return QString::fromStdString(SquareIndexToName(square));
}

} // namespace

// Whole phrases: the colour's word may agree with the piece's.
QString PieceName(bool white, Shape shape) {
    static const char* const names[2][6] = {
        {QT_TRANSLATE_NOOP("quorrin", "black king"), QT_TRANSLATE_NOOP("quorrin", "black queen"),
         QT_TRANSLATE_NOOP("quorrin", "black rook"), QT_TRANSLATE_NOOP("quorrin", "black knight"),
         QT_TRANSLATE_NOOP("quorrin", "black bishop"), QT_TRANSLATE_NOOP("quorrin", "black pawn")},
        {QT_TRANSLATE_NOOP("quorrin", "white king"), QT_TRANSLATE_NOOP("quorrin", "white queen"),
         QT_TRANSLATE_NOOP("quorrin", "white rook"), QT_TRANSLATE_NOOP("quorrin", "white knight"),
         QT_TRANSLATE_NOOP("quorrin", "white bishop"), QT_TRANSLATE_NOOP("quorrin", "white pawn")}};
    return Tr(names[white ? 1 : 0][static_cast<int>(shape)]);
}

QString SquareSpokenName(const EngineState& state, SquareIndex square, SquareIndex selected) {
    const BoardSquare& record = state.Squares[square];
    QString name = record.Occupied
                       ? Tr("%1, %2", "a square's name, the piece on it")
                             .arg(SquareName(square),
                                  PieceName(record.Piece.IsWhite, ShapeOf(record.Piece.Kind)))
                       : Tr("%1, empty", "a square's name").arg(SquareName(square));
    if (square == state.LastMoveFrom || square == state.LastMoveTo) {
        name = Tr("%1, last move", "a square's name and what stands on it").arg(name);
    }
    if (square == selected) {
        name = Tr("%1, selected", "a square's name and what stands on it").arg(name);
    }
    return name;
}

QString DrawText(DrawReason reason) {
    switch (reason) {
    case DrawReason::InsufficientMaterial:
        return Tr("Draw by insufficient material");
    case DrawReason::FivefoldRepetition:
        return Tr("Draw by fivefold repetition");
    case DrawReason::SeventyFiveMoveRule:
        return Tr("Draw by the seventy-five-move rule");
    case DrawReason::ThreefoldRepetition:
        return Tr("Draw by threefold repetition");
    case DrawReason::FiftyMoveRule:
        return Tr("Draw by the fifty-move rule");
    }
    return {};
}

QString MoveAnnouncement(const ChessEngine& engine) {
    const EngineState& state = engine.State();
    if (state.MoveHistory.empty()) {
        return {};
    }
    const MoveRecord& move = state.MoveHistory.back();
    const std::string_view san(move.San.data());
    const QString mover = ShapeName(move.MovedPiece.Kind);
    const QString from = SquareName(move.FromSquare);
    QString text;
    switch (move.Kind) {
    case MoveKind::CastleKingSide:
        text = move.WhiteMoved ? Tr("White: castles king side") : Tr("Black: castles king side");
        break;
    case MoveKind::CastleQueenSide:
        text = move.WhiteMoved ? Tr("White: castles queen side") : Tr("Black: castles queen side");
        break;
    case MoveKind::EnPassantMove:
        // The record keeps the square of the pawn taken; the capturing pawn lands beyond it.
        text = (move.WhiteMoved ? Tr("White: %1 %2 takes pawn en passant on %3",
                                     "the piece moved, its square, the square it lands on")
                                : Tr("Black: %1 %2 takes pawn en passant on %3",
                                     "the piece moved, its square, the square it lands on"))
                   .arg(mover, from, SquareName(move.ToSquare + (move.WhiteMoved ? -8 : 8)));
        break;
    case MoveKind::NormalMove:
    case MoveKind::PromotionMove:
        if (move.ToOccupied) {
            // Where the piece came from is said for every capture, as for every other move: a
            // listener cannot see the board to work it out.
            text =
                (move.WhiteMoved ? Tr("White: %1 %2 takes %3 on %4",
                                      "the piece moved, its square, the piece taken, its square")
                                 : Tr("Black: %1 %2 takes %3 on %4",
                                      "the piece moved, its square, the piece taken, its square"))
                    .arg(mover, from, ShapeName(move.CapturedPiece.Kind),
                         SquareName(move.ToSquare));
        } else {
            text = (move.WhiteMoved ? Tr("White: %1 %2 to %3", "the piece moved, from, to")
                                    : Tr("Black: %1 %2 to %3", "the piece moved, from, to"))
                       .arg(mover, from, SquareName(move.ToSquare));
        }
        if (move.Kind == MoveKind::PromotionMove) {
            text = Tr("%1, becomes %2", "the move, the piece the pawn becomes")
                       .arg(text, ShapeName(state.Squares[move.ToSquare].Piece.Kind));
        }
        break;
    }

    if (move.After.Mated) {
        text = Tr("%1, checkmate", "the move").arg(text);
    } else if (!san.empty() && san.back() == '+') {
        text = Tr("%1, check", "the move").arg(text);
    } else if (move.After.Stalemated) {
        text = Tr("%1, stalemate", "the move").arg(text);
    } else if (const auto draw = engine.DrawMadeBy(state.MoveHistory.size() - 1)) {
        text = Tr("%1. %2", "the move, the draw it makes").arg(text, DrawText(*draw));
    }
    return text;
}

QString UndoAnnouncement(bool bWhite) {
    return bWhite ? Tr("White's move taken back") : Tr("Black's move taken back");
}

QString NewGameAnnouncement(bool bWhitesTurn) {
    return bWhitesTurn ? Tr("New game, White to move") : Tr("New game, Black to move");
}

QString RefusalAnnouncement(SquareIndex from, SquareIndex to) {
    return Tr("%1 to %2 is not a legal move", "two squares' names")
        .arg(SquareName(from), SquareName(to));
}

} // namespace quorrin
