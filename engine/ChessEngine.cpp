// Creating the engine and setting up a position.
#include "ChessEngine.h"

#include "PositionKeys.h"
#include "Rules.h"

namespace quorrin {

namespace {

BoardEvents silentHost;
NullSquareDrawer blindSurface;

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
    positionsByKey_.Earlier.reserve(1025);
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
    PlacePieces(PlacementOfLayout(sLayout), bWhitesTurn);
    FinishSetUp(0, 1);
    RedrawAll();
    return true;
}

bool ChessEngine::NewGame(const FenPosition& position) {
    if (busy_) {
        return false;
    }
    PlacePieces(position.Pieces, position.WhiteToMove);
    // A right that is not given is lost: its rook counts as moved.
    for (int bit = 0; bit < 4; ++bit) {
        if (!((position.Castling >> bit) & 1)) {
            const SquareIndex king = bit < 2 ? E1 : E8;
            const auto rook = static_cast<SquareIndex>(
                king + (bit % 2 == 0 ? KingSideRookOffset : QueenSideRookOffset));
            Squares[rook].Piece.HasMoved = Squares[rook].Occupied;
        }
    }
    EnPassantOpen = position.EnPassant != NoSquare;
    EnPassantFile = EnPassantOpen ? FileOf(position.EnPassant) : 0;
    EnPassantByWhite = position.WhiteToMove;
    FinishSetUp(position.HalfmoveClock, position.FullmoveNumber);
    RedrawAll();
    return true;
}

bool ChessEngine::TakeGame(const ChessEngine& source) {
    if (busy_ || &source == this) {
        return busy_ ? false : true;
    }
    static_cast<EngineState&>(*this) = source.State();
    startFen_ = source.startFen_;
    whiteKings_ = source.whiteKings_;
    blackKings_ = source.blackKings_;
    startedInOppositeCheck_ = source.startedInOppositeCheck_;
    positionsByKey_ = source.positionsByKey_;
    RedrawAll();
    return true;
}

void ChessEngine::RedrawAll() {
    for (SquareIndex k = 1; k <= 64; ++k) {
        Draw(k, true);
    }
}

void ChessEngine::PlacePieces(const Placement& pieces, bool bWhitesTurn) {
    for (SquareIndex k = 1; k <= 64; ++k) {
        BoardSquare& square = Squares[k];
        const PieceType kind = pieces[k - 1];
        square.Occupied = kind != NoPiece;
        if (square.Occupied) {
            square.Piece.Kind = kind;
            square.Piece.IsWhite = IsWhitePiece(kind);
        }
        square.Piece.HasMoved = false;
    }
    LocateKings();
    WhitesTurn = bWhitesTurn;
    EnPassantOpen = false;
    EnPassantFile = 0;
    EnPassantByWhite = false;
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
    StartEnPassantByWhite = EnPassantByWhite;
    StartFullmoveNumber = fullmoveNumber;
    StartWhitesTurn = WhitesTurn;
    startedInOppositeCheck_ =
        IsSquareAttacked(!WhitesTurn, WhitesTurn ? BlackKingSquare : WhiteKingSquare);
    const rules::KingSafety safety = rules::SafetyOf(*this, WhitesTurn);
    const bool stuck = !rules::HasLegalMove(*this, WhitesTurn, safety);
    Start =
        WorkOutFacts(WhitesTurn, keys::OfPosition(Squares, WhitesTurn, NoSquare), halfmoveClock, 0,
                     true, safety.inCheck, safety.inCheck && stuck, !safety.inCheck && stuck);
    IndexAllPositions();
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
