// Creating the engine and setting up a position.
#include "ChessEngine.h"

namespace quorrin {

namespace {

BoardEvents silentHost;
NullSquareDrawer blindSurface;

// The piece code of a layout cell, or -1 for "XX", an unknown cell or a missing one.
int PieceOfCell(std::string_view layout, std::size_t cell) {
    const std::size_t at = 2 * cell;
    if (at + 2 > layout.size()) {
        return -1;
    }
    const std::string_view code = layout.substr(at, 2);
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        if (PieceCodes[kind] == code) {
            return kind;
        }
    }
    return -1;
}

} // namespace

ChessEngine::ChessEngine(BoardEvents* events, SquareDrawer* drawer)
    : events_(events ? events : &silentHost), drawer_(drawer ? drawer : &blindSurface) {
    for (SquareIndex k = 1; k <= 64; ++k) {
        BoardSquare& square = Squares[k];
        square.File = FileOf(k);
        square.Row = RowOf(k);
        square.IsDark = (square.File + square.Row) % 2 == 1;
    }
    // Enough for any real game, so that making a move never allocates.
    MoveHistory.reserve(1024);
    NewGame();
}

void ChessEngine::SetEvents(BoardEvents* events) {
    events_ = events ? events : &silentHost;
}

void ChessEngine::SetDrawer(SquareDrawer* drawer) {
    drawer_ = drawer ? drawer : &blindSurface;
}

bool ChessEngine::NewGame(std::string_view sLayout, bool bWhitesTurn) {
    if (busy_) {
        return false;
    }
    PlacePieces(sLayout, bWhitesTurn);
    FinishSetUp(0, 1);
    for (SquareIndex k = 1; k <= 64; ++k) {
        Draw(k, true);
    }
    return true;
}

void ChessEngine::PlacePieces(std::string_view sLayout, bool bWhitesTurn) {
    for (SquareIndex k = 1; k <= 64; ++k) {
        BoardSquare& square = Squares[k];
        const int kind = PieceOfCell(sLayout, k - 1);
        square.Occupied = kind >= 0;
        if (square.Occupied) {
            square.Piece.Kind = kind;
            square.Piece.IsWhite = kind >= WhiteKing;
        }
        square.Piece.HasMoved = false;
    }
    LocateKings();
    WhitesTurn = bWhitesTurn;
    EnPassantOpen = false;
    EnPassantFile = 0;
    EnPassantCapture = false;
    PromotionPending = false;
    PromotionIsWhite = false;
    PromotionSquare = 0;
    MoveHistory.clear();
    LastMoveFrom = 0;
    LastMoveTo = 0;
}

void ChessEngine::FinishSetUp(std::int32_t halfmoveClock, std::int32_t fullmoveNumber) {
    StartEnPassantOpen = EnPassantOpen;
    StartEnPassantFile = EnPassantFile;
    StartFullmoveNumber = fullmoveNumber;
    StartWhitesTurn = WhitesTurn;
    const SquareIndex king = WhitesTurn ? WhiteKingSquare : BlackKingSquare;
    const bool mated = IsCheckmate(WhitesTurn, king);
    const bool stalemated = !mated && IsStalemate(WhitesTurn, king);
    Start = WorkOutFacts(WhitesTurn, halfmoveClock, 0, true, mated, stalemated);
    startFen_ = Fen();
}

void ChessEngine::LocateKings() {
    WhiteKingSquare = 0;
    BlackKingSquare = 0;
    whiteKings_ = 0;
    blackKings_ = 0;
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = Squares[k];
        if (square.Occupied && square.Piece.Kind == WhiteKing) {
            WhiteKingSquare = k;
            ++whiteKings_;
        } else if (square.Occupied && square.Piece.Kind == BlackKing) {
            BlackKingSquare = k;
            ++blackKings_;
        }
    }
}

void ChessEngine::KingMovedTo(bool white, SquareIndex square) {
    if ((white ? whiteKings_ : blackKings_) != 1) {
        LocateKings();
    } else {
        (white ? WhiteKingSquare : BlackKingSquare) = square;
    }
}

} // namespace quorrin
