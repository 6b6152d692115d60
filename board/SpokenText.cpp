#include "board/SpokenText.h"

#include "engine/Squares.h"

#include <QCoreApplication>

#include <string_view>

namespace quorrin {

namespace {

const char* const ShapeNames[] = {"king", "queen", "rook", "knight", "bishop", "pawn"};

QString ShapeName(PieceType kind) {
    return QLatin1String(ShapeNames[static_cast<int>(ShapeOf(kind))]);
}

QString PieceName(const PieceState& piece) {
    return (piece.IsWhite ? QStringLiteral("white ") : QStringLiteral("black ")) +
           ShapeName(piece.Kind);
}

QString SquareName(int square) {
    return QString::fromStdString(SquareIndexToName(square));
}

QString SideName(bool bWhite) {
    return bWhite ? QStringLiteral("White") : QStringLiteral("Black");
}

} // namespace

QString SquareSpokenName(const EngineState& state, SquareIndex square, SquareIndex selected) {
    const BoardSquare& record = state.Squares[square];
    QString name = SquareName(square) + QStringLiteral(", ") +
                   (record.Occupied ? PieceName(record.Piece) : QStringLiteral("empty"));
    if (square == state.LastMoveFrom || square == state.LastMoveTo) {
        name += QStringLiteral(", last move");
    }
    if (square == selected) {
        name += QStringLiteral(", selected");
    }
    return name;
}

QString DrawText(DrawReason reason) {
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("quorrin::DrawText", text);
    };
    switch (reason) {
    case DrawReason::InsufficientMaterial:
        return tr("Draw by insufficient material");
    case DrawReason::FivefoldRepetition:
        return tr("Draw by fivefold repetition");
    case DrawReason::SeventyFiveMoveRule:
        return tr("Draw by the seventy-five-move rule");
    case DrawReason::ThreefoldRepetition:
        return tr("Draw by threefold repetition");
    case DrawReason::FiftyMoveRule:
        return tr("Draw by the fifty-move rule");
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
    QString text = SideName(move.WhiteMoved) + QStringLiteral(": ");
    const QString mover = ShapeName(move.MovedPiece.Kind);
    const QString from = SquareName(move.FromSquare);
    switch (move.Kind) {
    case MoveKind::CastleKingSide:
        text += QStringLiteral("castles king side");
        break;
    case MoveKind::CastleQueenSide:
        text += QStringLiteral("castles queen side");
        break;
    case MoveKind::EnPassantMove:
        // The record keeps the square of the pawn taken; the capturing pawn lands beyond it.
        text += mover + QLatin1Char(' ') + from + QStringLiteral(" takes pawn en passant on ") +
                SquareName(move.ToSquare + (move.WhiteMoved ? -8 : 8));
        break;
    case MoveKind::NormalMove:
    case MoveKind::PromotionMove:
        if (move.ToOccupied) {
            // Where the piece came from is said for every capture, as for every other move: a
            // listener cannot see the board to work it out.
            text += mover + QLatin1Char(' ') + from + QStringLiteral(" takes ") +
                    ShapeName(move.CapturedPiece.Kind) + QStringLiteral(" on ") +
                    SquareName(move.ToSquare);
        } else {
            text += mover + QLatin1Char(' ') + from + QStringLiteral(" to ") +
                    SquareName(move.ToSquare);
        }
        if (move.Kind == MoveKind::PromotionMove) {
            text +=
                QStringLiteral(", becomes ") + ShapeName(state.Squares[move.ToSquare].Piece.Kind);
        }
        break;
    }

    if (move.After.Mated) {
        text += QStringLiteral(", checkmate");
    } else if (!san.empty() && san.back() == '+') {
        text += QStringLiteral(", check");
    } else if (move.After.Stalemated) {
        text += QStringLiteral(", stalemate");
    } else if (const auto draw = engine.DrawMadeBy(state.MoveHistory.size() - 1)) {
        text += QStringLiteral(". ") + DrawText(*draw);
    }
    return text;
}

QString UndoAnnouncement(bool bWhite) {
    return SideName(bWhite) + QStringLiteral("'s move taken back");
}

QString NewGameAnnouncement(bool bWhitesTurn) {
    return QStringLiteral("New game, ") + SideName(bWhitesTurn) + QStringLiteral(" to move");
}

QString RefusalAnnouncement(SquareIndex from, SquareIndex to) {
    return SquareName(from) + QStringLiteral(" to ") + SquareName(to) +
           QStringLiteral(" is not a legal move");
}

} // namespace quorrin
