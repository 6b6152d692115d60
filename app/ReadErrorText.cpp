#include "ReadErrorText.h"

#include "board/SpokenText.h"

#include "engine/Squares.h"

#include <QCoreApplication>

#include <bit>

namespace quorrin {

namespace {

// lupdate reads Tr as tr (-tr-function-alias tr+=Tr), in the context of the namespace.
QString Tr(const char* text) {
    return QCoreApplication::translate("quorrin", text);
}

QString Square(SquareIndex square) {
    return QString::fromStdString(SquareIndexToName(square));
}

QString Piece(PieceType piece) {
    return PieceName(IsWhitePiece(piece), ShapeOf(piece));
}

QString Squares(std::uint64_t set) {
    QStringList names;
    for (std::uint64_t rest = set; rest != 0; rest &= rest - 1) {
        names.append(Square(static_cast<SquareIndex>(std::countr_zero(rest) + 1)));
    }
    const QString last = names.takeLast();
    return names.isEmpty() ? last : Tr("%1 and %2").arg(names.join(QStringLiteral(", ")), last);
}

QString What(const ReadError& e) {
    using enum ReadErrorCode;
    const QString text = QString::fromStdString(Printable(e.Text));
    switch (e.Code) {
    case FenFieldCount:
        return Tr("a FEN has 6 fields (or 4, without the clocks) separated by spaces, not %1")
            .arg(e.Count);
    case FenRankCount:
        return e.Count > 8 ? Tr("the board has more than 8 ranks")
                           : Tr("the board has %1 ranks instead of 8").arg(e.Count);
    case FenRankSize:
        return e.Count > 8 ? Tr("rank %1 has more than 8 squares").arg(e.Number)
                           : Tr("rank %1 has %2 squares instead of 8").arg(e.Number).arg(e.Count);
    case FenBadCharacter:
        return Tr("'%1' is neither a piece letter (KQRBNP, kqrbnp) nor a count of empty squares")
            .arg(text);
    case FenBadSide:
        return Tr("the side to move must be w or b, not '%1'").arg(text);
    case FenKingCount:
        return (e.White ? Tr("White has %1 kings; each side needs exactly one")
                        : Tr("Black has %1 kings; each side needs exactly one"))
            .arg(e.Count);
    case FenPawnOnEdgeRank:
        return Tr("a pawn stands on %1; pawns cannot stand on rank 1 or 8").arg(Square(e.Square));
    case FenBadCastling:
        return Tr("the castling field '%1' must be '-' or letters of KQkq, each at most once")
            .arg(text);
    case FenCastlingRight:
        return Tr("castling right %1 needs its king and rook on their home squares").arg(text);
    case FenBadEnPassant:
        return Tr("the en passant field '%1' must be '-' or a square such as e3").arg(text);
    case FenEnPassantTarget:
        return (e.White ? Tr("no double step of White could have left the en passant square %1")
                        : Tr("no double step of Black could have left the en passant square %1"))
            .arg(Square(e.Square));
    case FenBadClock:
        return Tr("the halfmove clock must be a whole number from 0 to 99999, not '%1'").arg(text);
    case FenBadMoveNumber:
        return Tr("the move number must be a whole number from 1 to 99999, not '%1'").arg(text);
    case FenOppositeCheck:
        return e.White ? Tr("White is in check but it is not its move")
                       : Tr("Black is in check but it is not its move");
    case FenAdjacentDigits:
        return Tr("rank %1 has the digits '%2' side by side; one digit counts a run of empty "
                  "squares")
            .arg(e.Number)
            .arg(text);
    case FenPawnCount:
        return (e.White ? Tr("White has %1 pawns; a side has at most 8")
                        : Tr("Black has %1 pawns; a side has at most 8"))
            .arg(e.Count);
    case FenPromotedCount:
        return (e.White ? Tr("White has %1 pieces beyond its starting set, but only %2 pawns "
                             "missing to have been promoted")
                        : Tr("Black has %1 pieces beyond its starting set, but only %2 pawns "
                             "missing to have been promoted"))
            .arg(e.Count)
            .arg(e.Number);
    case FenImpossibleCheck:
        return (e.White ? Tr("no single move could have given the white king the checks from %1")
                        : Tr("no single move could have given the black king the checks from %1"))
            .arg(Squares(e.Squares));
    case NotAMove:
        return Tr("'%1' is not a move").arg(text);
    case CannotCastle:
        if (e.Number == 1) {
            return e.White ? Tr("white cannot castle king-side now")
                           : Tr("black cannot castle king-side now");
        }
        return e.White ? Tr("white cannot castle queen-side now")
                       : Tr("black cannot castle queen-side now");
    case NoPieceOn:
        return Tr("there is no piece on %1").arg(Square(e.Square));
    case NotYourTurn:
        return (e.White ? Tr("the %1 on %2 cannot move: it is white's turn")
                        : Tr("the %1 on %2 cannot move: it is black's turn"))
            .arg(Piece(e.Piece), Square(e.Square));
    case NoSuchPieceOn:
        return Tr("there is no %1 on %2").arg(Piece(e.Piece), Square(e.Square));
    case PieceCannotMoveTo:
        return Tr("the %1 on %2 cannot move to %3")
            .arg(Piece(e.Piece), Square(e.Square), Square(e.Target));
    case NoPieceCanMoveTo:
        return Tr("no %1 can move to %2").arg(Piece(e.Piece), Square(e.Target));
    case AmbiguousMove:
        return Tr("ambiguous: a %1 on each of %2 can move to %3")
            .arg(Piece(e.Piece), Squares(e.Squares), Square(e.Target));
    case NotAPromotion:
        return Tr("only a pawn reaching the last rank is promoted");
    case GameAlreadyOver:
        return e.Number == 1 ? Tr("the game was already over by checkmate")
                             : Tr("the game was already over by stalemate");
    case PgnResultDisagrees:
        return Tr("the Result tag '%1' disagrees with the result the moves end with, '%2'")
            .arg(text, QString::fromStdString(Printable(e.MoveText)));
    case PgnFalseCheck:
        return e.Number == 1 ? Tr("'%1' is marked as check but gives none").arg(text)
                             : Tr("'%1' is marked as checkmate but does not mate").arg(text);
    case PgnFalseCapture:
        return Tr("'%1' is marked as a capture but %2 is empty").arg(text, Square(e.Target));
    case PgnBadTag:
        return Tr("a tag must read [Name \"value\"]");
    case PgnUnclosedComment:
        return Tr("a comment that is never closed");
    case PgnUnclosedVariation:
        return Tr("a variation that is never closed");
    case PgnUnopenedVariation:
        return Tr("a variation closed that was never opened");
    case PgnUnclosedString:
        return Tr("a string that is never closed");
    case PgnUnexpectedCharacter:
        return Tr("unexpected '%1'").arg(text);
    case TimeControlUnknown:
        return Tr("the time control is unknown ('?')");
    case TimeControlSyntax:
        return e.Text.empty()
                   ? Tr("the time control ends too soon (column %1); it reads like "
                        "40/5400+30:1800+30")
                         .arg(e.Column)
                   : Tr("'%1' does not belong in a time control (column %2); it reads like "
                        "40/5400+30:1800+30")
                         .arg(text)
                         .arg(e.Column);
    case TimeControlRange:
        return (e.Number == 1   ? Tr("a stage's move count must be 1 to 1000, not %1 (column %2)")
                : e.Number == 2 ? Tr("a base time must be 1 to 86400 seconds, not %1 (column %2)")
                                : Tr("a bonus must be 0 to 3600 seconds, not %1 (column %2)"))
            .arg(text)
            .arg(e.Column);
    case TimeControlStages:
        return Tr("a time control has at most 3 stages, not %1").arg(e.Count);
    case TimeControlOpenStage:
        return Tr("every stage but the last needs a move count, as in 40/5400 (column %1)")
            .arg(e.Column);
    }
    return Tr("unreadable");
}

} // namespace

QString ReadErrorText(const ReadError& error) {
    QString where;
    if (error.Line > 0) {
        where = Tr("line %1, column %2: ").arg(error.Line).arg(error.Column);
    }
    if (error.Context == ReadContext::FenTag) {
        where += Tr("the FEN tag: ");
    } else if (error.Context == ReadContext::GameMove) {
        where += (error.MoverIsWhite ? Tr("%1.%2: ") : Tr("%1...%2: "))
                     .arg(error.MoveNumber)
                     .arg(QString::fromStdString(Printable(error.MoveText)));
    }
    return where + What(error);
}

} // namespace quorrin
