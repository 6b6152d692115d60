#include "ReadErrorText.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace quorrin::support {

namespace {

constexpr const char* ShapeNames[] = {"king", "queen", "rook", "knight", "bishop", "pawn"};

std::string Side(bool white) {
    return white ? "white" : "black";
}

std::string PieceName(PieceType piece) {
    return Side(IsWhitePiece(piece)) + " " + ShapeNames[static_cast<int>(ShapeOf(piece))];
}

std::string Name(SquareIndex square) {
    return SquareIndexToName(square);
}

std::string Squares(int count) {
    return count > 8 ? "more than 8" : std::to_string(count);
}

// "a1", "a1 and b2", "a1, b2 and c3", in the order of their names: file, then rank.
std::string ListOfSquares(std::uint64_t set) {
    std::vector<std::string> names;
    for (std::uint64_t rest = set; rest != 0; rest &= rest - 1) {
        names.push_back(Name(static_cast<SquareIndex>(std::countr_zero(rest) + 1)));
    }
    std::sort(names.begin(), names.end());
    std::string squares;
    for (std::size_t i = 0; i < names.size(); ++i) {
        squares += i == 0 ? "" : i + 1 == names.size() ? " and " : ", ";
        squares += names[i];
    }
    return squares;
}

std::string What(const ReadError& e) {
    using enum ReadErrorCode;
    std::string quoted = "'";
    quoted += Printable(e.Text);
    quoted += '\'';
    switch (e.Code) {
    case FenFieldCount:
        return "a FEN has 6 fields (or 4, without the clocks) separated by spaces, not " +
               std::to_string(e.Count);
    case FenRankCount:
        return e.Count > 8 ? "the board has more than 8 ranks"
                           : "the board has " + std::to_string(e.Count) + " ranks instead of 8";
    case FenRankSize:
        return "rank " + std::to_string(e.Number) + " has " + Squares(e.Count) +
               (e.Count > 8 ? " squares" : " squares instead of 8");
    case FenBadCharacter:
        return quoted + " is neither a piece letter (KQRBNP, kqrbnp) nor a count of empty squares";
    case FenBadSide:
        return "the side to move must be w or b, not " + quoted;
    case FenKingCount:
        return std::string(e.White ? "White" : "Black") + " has " + std::to_string(e.Count) +
               " kings; each side needs exactly one";
    case FenPawnOnEdgeRank:
        return "a pawn stands on " + Name(e.Square) + "; pawns cannot stand on rank 1 or 8";
    case FenBadCastling:
        return "the castling field " + quoted +
               " must be '-' or letters of KQkq, each at most once";
    case FenCastlingRight: {
        const bool white = e.Text == "K" || e.Text == "Q";
        const bool kingSide = e.Text == "K" || e.Text == "k";
        return "castling right " + e.Text + " needs the " +
               (white ? "white king on e1 and a white rook on "
                      : "black king on e8 and a black rook on ") +
               (kingSide ? "h" : "a") + (white ? "1" : "8");
    }
    case FenBadEnPassant:
        return "the en passant field " + quoted + " must be '-' or a square such as e3";
    case FenEnPassantTarget:
        return "no double step of " + std::string(e.White ? "White" : "Black") +
               " could have left the en passant square " + Name(e.Square);
    case FenBadClock:
        return "the halfmove clock must be a whole number from 0 to 99999, not " + quoted;
    case FenBadMoveNumber:
        return "the move number must be a whole number from 1 to 99999, not " + quoted;
    case FenOppositeCheck:
        return std::string(e.White ? "White" : "Black") + " is in check but it is not its move";
    case FenAdjacentDigits:
        return "rank " + std::to_string(e.Number) + " has the digits " + quoted +
               " side by side; one digit counts a run of empty squares";
    case FenPawnCount:
        return std::string(e.White ? "White" : "Black") + " has " + std::to_string(e.Count) +
               " pawns; a side has at most 8";
    case FenPromotedCount:
        return std::string(e.White ? "White" : "Black") + " has " + std::to_string(e.Count) +
               " pieces beyond its starting set, but only " + std::to_string(e.Number) +
               " pawns missing to have been promoted";
    case FenImpossibleCheck:
        return "no single move could have given the " + Side(e.White) + " king the checks from " +
               ListOfSquares(e.Squares);
    case NotAMove:
        return quoted + " is not a move";
    case CannotCastle:
        return Side(e.White) + " cannot castle " + (e.Number == 1 ? "king" : "queen") + "-side now";
    case NoPieceOn:
        return "there is no piece on " + Name(e.Square);
    case NotYourTurn:
        return "the " + PieceName(e.Piece) + " on " + Name(e.Square) + " cannot move: it is " +
               Side(e.White) + "'s turn";
    case NoSuchPieceOn:
        return "there is no " + PieceName(e.Piece) + " on " + Name(e.Square);
    case PieceCannotMoveTo:
        return "the " + PieceName(e.Piece) + " on " + Name(e.Square) + " cannot move to " +
               Name(e.Target);
    case NoPieceCanMoveTo:
        return "no " + PieceName(e.Piece) + " can move to " + Name(e.Target);
    case AmbiguousMove:
        return "ambiguous: the " + PieceName(e.Piece) + "s on " + ListOfSquares(e.Squares) +
               (std::popcount(e.Squares) == 2 ? " can both move to " : " can all move to ") +
               Name(e.Target);
    case NotAPromotion:
        return "only a pawn reaching the last rank is promoted";
    case GameAlreadyOver:
        return std::string("the game was already over by ") +
               (e.Number == 1 ? "checkmate" : "stalemate");
    case PgnResultDisagrees:
        return "the Result tag " + quoted + " disagrees with the result the moves end with, '" +
               Printable(e.MoveText) + "'";
    case PgnFalseCheck:
        return quoted + (e.Number == 1 ? " is marked as check but gives none"
                                       : " is marked as checkmate but does not mate");
    case PgnFalseCapture:
        return quoted + " is marked as a capture but " + Name(e.Target) + " is empty";
    case PgnBadTag:
        return "a tag must read [Name \"value\"]";
    case PgnUnclosedComment:
        return "a comment that is never closed";
    case PgnUnclosedString:
        return "a string that is never closed";
    case PgnUnclosedVariation:
        return "a variation that is never closed";
    case PgnUnopenedVariation:
        return "a variation closed that was never opened";
    case PgnUnexpectedCharacter:
        return "unexpected " + quoted;
    case TimeControlUnknown:
        return "the time control is unknown ('?')";
    case TimeControlSyntax:
        return (e.Text.empty() ? "the time control ends too soon"
                               : quoted + " does not belong in a time control") +
               " (column " + std::to_string(e.Column) + "); it reads like 40/5400+30:1800+30";
    case TimeControlRange:
        return (e.Number == 1   ? "a stage's move count must be 1 to 1000, not "
                : e.Number == 2 ? "a base time must be 1 to 86400 seconds, not "
                                : "a bonus must be 0 to 3600 seconds, not ") +
               Printable(e.Text) + " (column " + std::to_string(e.Column) + ")";
    case TimeControlStages:
        return "a time control has at most 3 stages, not " + std::to_string(e.Count);
    case TimeControlOpenStage:
        return "every stage but the last needs a move count, as in 40/5400 (column " +
               std::to_string(e.Column) + ")";
    }
    return "unreadable";
}

} // namespace

std::string DescribeError(const ReadError& error) {
    std::string text;
    if (error.Line > 0) {
        text = "line " + std::to_string(error.Line) + ", column " + std::to_string(error.Column) +
               ": ";
    }
    if (error.Context == ReadContext::FenTag) {
        text += "the FEN tag: ";
    } else if (error.Context == ReadContext::GameMove) {
        text += std::to_string(error.MoveNumber) + (error.MoverIsWhite ? "." : "...") +
                Printable(error.MoveText) + ": ";
    }
    return text + What(error);
}

} // namespace quorrin::support
