// The rules engine: the position, the move history, the movement rules, the attack test,
// the checkmate and stalemate tests and the move command with its events. It never draws:
// it asks its SquareDrawer to redraw every square it changes, and tells its BoardEvents host
// what happened.
#pragma once

#include "BoardTypes.h"
#include "HostInterfaces.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// The whole game state. Readers outside the engine get it through ChessEngine::State().
struct EngineState {
    // Squares[1..64] is the board; Squares[0] is a permanently empty sentinel so that
    // "no square" reads as an empty square and is never written.
    std::array<BoardSquare, 65> Squares{};
    bool WhitesTurn = false;
    SquareIndex WhiteKingSquare = 0; // 0 while White has no king on the board
    SquareIndex BlackKingSquare = 0; // 0 while Black has no king on the board
    bool EnPassantOpen = false;      // the last move was a pawn's double step
    SquareIndex EnPassantFile = 0;   // that pawn's file; the last double step's, 0 before any
    bool EnPassantCapture = false;   // only inside CheckMoveRule's en passant branch
    bool PromotionPending = false;   // a pawn reached the last row in the move being made
    bool PromotionIsWhite = false;
    SquareIndex PromotionSquare = 0;
    std::vector<MoveRecord> MoveHistory; // oldest first
    SquareIndex LastMoveFrom = 0;        // the framed last move; 0 when none
    SquareIndex LastMoveTo = 0;
    // The position the game started from: its facts, its en passant state (a game set up
    // from a FEN may start with one open), its move number and side to move.
    PositionFacts Start;
    bool StartEnPassantOpen = false;
    SquareIndex StartEnPassantFile = 0;
    std::int32_t StartFullmoveNumber = 1;
    bool StartWhitesTurn = true;
};

// A move read from text: square names, and the shape a pawn becomes (the number of
// Shape::Queen, Rook, Knight or Bishop, colourless) or -1 when the move is no promotion.
struct TextMove {
    std::string From;
    std::string To;
    PieceType Promotion = -1;

    // "e2e4", "e7e8n".
    std::string Coordinates() const;
    friend bool operator==(const TextMove&, const TextMove&) = default;
};

// The FEN of the standard start position.
inline constexpr std::string_view StartFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Why a FEN cannot be played from, in plain words; nothing when it can.
std::optional<std::string> CheckFen(std::string_view sFen);

class ChessEngine : private EngineState {
public:
    // Sets up the start position with White to move. Both pointers may be null (no host,
    // nothing drawn); they must outlive the engine or be replaced before they die.
    explicit ChessEngine(BoardEvents* events = nullptr, SquareDrawer* drawer = nullptr);
    virtual ~ChessEngine() = default;

    ChessEngine(const ChessEngine&) = delete;
    ChessEngine& operator=(const ChessEngine&) = delete;

    void SetEvents(BoardEvents* events);
    void SetDrawer(SquareDrawer* drawer);

    // Sets up the layout (64 two-character cells, a8 first; an unknown or missing cell is an
    // empty square) with the given side to move, empties the history and the last-move
    // frame, and redraws all 64 squares. Returns false, changing nothing, when called from
    // an event handler while a move is being made or taken back.
    bool NewGame(std::string_view sLayout = StartLayout, bool bWhitesTurn = true);

    // 0 when White is to move, 1 when Black is.
    std::int32_t SideTurn() const { return WhitesTurn ? 0 : 1; }

    // Makes the move from sFrom to sTo (square names such as "e2", "e4") for the side to move
    // and raises its events; true when it was made. Any request that is not a legal move,
    // and any call from an event handler while a move is being made or taken back, returns
    // false and leaves the game as it was.
    bool MovePiece(std::string_view sFrom, std::string_view sTo);

    // Takes the last move back and raises MoveUndo; false when there is nothing to take back
    // or when called from an event handler while a move is being made or taken back.
    bool UndoLastMove();

    // True while MovePiece or UndoLastMove is running (and so while its events are raised).
    bool IsBusy() const { return busy_; }

    // Read-only view of the whole position.
    const EngineState& State() const { return *this; }

    // Whether a piece of the colour opposite to ownerIsWhite could capture on square, by
    // the board alone (en passant is not considered). False for a square outside 1..64.
    bool IsSquareAttacked(bool ownerIsWhite, SquareIndex square) const;

    bool HistoryIsEmpty() const { return MoveHistory.empty(); }

    // Starts a new game from a FEN (six fields, or four with the clocks taken as 0 and 1),
    // like NewGame: history emptied, all 64 squares redrawn. Nothing on success; otherwise
    // the reason in plain words, and the game is as it was.
    std::optional<std::string> NewGameFromFen(std::string_view sFen);

    // The current position as FEN. Castling rights come from kings and rooks that have not
    // moved on their home squares; the en passant square is given only when an en passant
    // capture is legal. From an event handler it is the position the move or undo left
    // (except in PawnPromotion, raised before the move is complete).
    std::string Fen() const;
    // The FEN of the position the game started from.
    const std::string& FenAtStart() const { return startFen_; }

    // Move ply of MoveHistory (0 first) in standard algebraic notation, with + or #, and in
    // coordinates ("e2e4", "e7e8n"); empty for a ply that was not made.
    std::string MoveSan(std::size_t ply) const;
    std::string MoveCoordinates(std::size_t ply) const;

    // Plies since the last capture or pawn move, and the number of the move to be made.
    std::int32_t HalfmoveClock() const { return Facts().HalfmoveClock; }
    std::int32_t FullmoveNumber() const;
    // What the draw rules know about the current position.
    const PositionFacts& Facts() const {
        return MoveHistory.empty() ? Start : MoveHistory.back().After;
    }

    // The draw a player may claim now: a threefold repetition first, then the fifty-move
    // rule; nothing when no claim is open.
    std::optional<DrawReason> ClaimableDraw() const;

    // Reads a move of the side to move: standard algebraic notation, tolerant of a missing
    // or extra + or #, "0-0", "e8Q", "e8=Q"; or coordinates, "e2e4", "e2-e4", "Ng1-f3",
    // "e7e8n". A pawn reaching the last row without a letter becomes a queen. Only a legal
    // move is returned; otherwise why, in plain words ("no black knight can move to d7"),
    // is written to *sWhy when given.
    std::optional<TextMove> ParseMove(std::string_view sText, std::string* sWhy = nullptr) const;

protected:
    // Whether the piece on from may move to to by its own movement rule, without regard to
    // its own king. In test-only mode nothing changes. In execute mode a legal move also
    // gets its side effects (en passant state, removal of a pawn taken en passant, the rook
    // of a castling, the promotion request) and one MoveRecord; the mover itself stays on
    // from for the caller to shift.
    bool CheckMoveRule(SquareIndex from, SquareIndex to, bool testOnly);

    // Moves the piece on from to to, overwriting what stood there, and keeps the king
    // squares up to date. Draws nothing.
    void ShiftPiece(SquareIndex from, SquareIndex to, bool markMoved);

    // Moves the rook of a castling next to the king's destination and redraws both squares.
    void MoveCastlingRook(bool kingSide, SquareIndex kingSquare, SquareIndex rookSquare);

    // Reverts and removes the last MoveRecord: squares, king squares, en passant state and
    // last-move frame are as before that move. False when the history is empty. The side to
    // move is not changed and no event is raised.
    bool TakeBackLastMove();

    // True exactly when the king of that colour on KingSquare is in check and its side has
    // no legal move. A side without a king is never mated.
    bool IsCheckmate(bool KingIsWhite, SquareIndex KingSquare);

    // True exactly when that side is not in check and has no legal move.
    bool IsStalemate(bool KingIsWhite, SquareIndex KingSquare);

private:
    // Sets up a position (cells as for NewGame) without drawing it; then, with the en passant
    // state and the flags of the caller in place, FinishSetUp works out the facts of the start.
    void PlacePieces(std::string_view sLayout, bool bWhitesTurn);
    void FinishSetUp(std::int32_t halfmoveClock, std::int32_t fullmoveNumber);
    // The facts of the position on the board with the side sideToMove to move, halfmoveClock
    // plies after the last capture or pawn move. Whether material is insufficient is worked
    // out again only when materialChanged; otherwise it is taken from previousDraws.
    PositionFacts WorkOutFacts(bool sideToMove, std::int32_t halfmoveClock,
                               std::uint8_t previousDraws, bool materialChanged, bool mated,
                               bool stalemated);
    std::uint64_t PositionKey(bool sideToMove, SquareIndex enPassantTarget) const;
    // The en passant square a legal capture of the side sideToMove would land on, or 0.
    SquareIndex LegalEnPassantTarget(bool sideToMove);
    bool InsufficientMaterial() const;
    // How often the position with key has stood among the last plies positions, this one
    // included, counting only those with the same side to move.
    int Repetitions(std::uint64_t key, std::int32_t plies) const;
    // Whether the move from..to is legal for the piece on from (its own king not left
    // attacked). Tried on the board and taken back; nothing changes.
    bool IsLegal(SquareIndex from, SquareIndex to);
    // The squares (bit square - 1) of pieces of kind, other than except, that may legally
    // move to to.
    std::uint64_t LegalOrigins(PieceType kind, SquareIndex to, SquareIndex except);
    // Writes the notation of the move just made (the last record, landing on to) into its
    // record; rivals are the other pieces that could have made it (LegalOrigins before it).
    void WriteSan(SquareIndex to, std::uint64_t rivals, bool check, bool mate);
    std::optional<TextMove> ReadMove(std::string_view text, std::string& why);

    // Whether the side has a move that does not leave its king (on kingSquare, 0 for none)
    // attacked. Every candidate is tried on the board with TrialIsSafe.
    bool HasLegalMove(bool sideIsWhite, SquareIndex kingSquare);
    // Makes the move from..to on the board as a trial, asks whether the square watched is then
    // attacked by the mover's opponent, and takes the move back. True when the movement rule
    // allows the move and watched is not attacked. Draws nothing; every field is as found.
    bool TrialIsSafe(SquareIndex from, SquareIndex to, SquareIndex watched);
    bool CheckPawnRule(SquareIndex from, SquareIndex to, bool testOnly, bool& doubleStep,
                       bool& promotion);
    bool CheckCastlingRule(SquareIndex from, SquareIndex to, bool testOnly, MoveKind& castling);
    bool PathIsClear(SquareIndex from, SquareIndex to) const;
    // Sets both king squares from the board: the last king of each colour in board order,
    // 0 for a colour without one. Also counts the kings of each colour.
    void LocateKings();
    // Keeps the king squares right after the king of a colour moved to square.
    void KingMovedTo(bool white, SquareIndex square);
    void Draw(SquareIndex square, bool showHighlight) {
        if (!drawingMuted_) {
            drawer_->DrawSquare(square, showHighlight);
        }
    }

    // For the lifetime of a trial move: no redraw requests (the surface never sees the
    // half-made position), and on exit the fields that taking the move back does not restore
    // are as they were: the promotion request and the stale piece record of the landing
    // square, which a later move's record copies.
    class TrialScope {
    public:
        TrialScope(ChessEngine& engine, SquareIndex landing)
            : engine_(engine), landing_(landing), wasMuted_(engine.drawingMuted_),
              pending_(engine.PromotionPending), pendingIsWhite_(engine.PromotionIsWhite),
              pendingSquare_(engine.PromotionSquare), landingPiece_(engine.Squares[landing].Piece) {
            engine.drawingMuted_ = true;
        }
        ~TrialScope() {
            engine_.drawingMuted_ = wasMuted_;
            engine_.PromotionPending = pending_;
            engine_.PromotionIsWhite = pendingIsWhite_;
            engine_.PromotionSquare = pendingSquare_;
            engine_.Squares[landing_].Piece = landingPiece_;
        }
        TrialScope(const TrialScope&) = delete;
        TrialScope& operator=(const TrialScope&) = delete;

    private:
        ChessEngine& engine_;
        SquareIndex landing_;
        bool wasMuted_;
        bool pending_;
        bool pendingIsWhite_;
        SquareIndex pendingSquare_;
        PieceState landingPiece_;
    };

    // Marks the engine busy for the lifetime of one public move operation.
    class BusyScope {
    public:
        explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
        ~BusyScope() { busy_ = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        bool& busy_;
    };

    std::string startFen_;
    BoardEvents* events_;
    SquareDrawer* drawer_;
    bool busy_ = false;
    bool drawingMuted_ = false; // inside a trial move
    // Kings of each colour on the board; more than one only in a badly set-up layout.
    int whiteKings_ = 0;
    int blackKings_ = 0;
};

} // namespace quorrin
