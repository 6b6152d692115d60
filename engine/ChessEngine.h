// The rules engine: the position, the move history, the movement rules, the attack test,
// the checkmate and stalemate tests and the move commands with their events. It never draws:
// it asks its SquareDrawer to redraw every square it changes, and tells its BoardEvents host
// what happened.
#pragma once

#include "Fen.h"
#include "HostInterfaces.h"
#include "Layout.h"
#include "Move.h"
#include "Outcome.h"
#include "ReadError.h"
#include "Records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

namespace rules {
struct KingSafety;
} // namespace rules

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
    bool EnPassantByWhite = false;   // the side that may take en passant: White when true
    bool EnPassantCapture = false;   // only while an en passant capture is being recorded
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
    bool StartEnPassantByWhite = false;
    std::int32_t StartFullmoveNumber = 1;
    bool StartWhitesTurn = true;
};

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
    // The same from a position read from a FEN (ReadFen): its castling rights, en passant
    // square, clocks and move number included.
    bool NewGame(const FenPosition& position);
    // Sets this engine to the game that source holds, history and start included, as if it
    // had been played here, and redraws all 64 squares. No event is raised. False, changing
    // nothing, while a move is being made or taken back.
    bool TakeGame(const ChessEngine& source);

    // 0 when White is to move, 1 when Black is.
    std::int32_t SideTurn() const { return WhitesTurn ? 0 : 1; }

    // Makes the move from sFrom to sTo (square names such as "e2", "e4") for the side to move
    // and raises its events; a pawn that reaches the last row becomes the piece the host
    // answers PawnPromotion with. True when it was made. Any request that is not a legal
    // move, and any call from an event handler while a move is being made or taken back,
    // returns false, raises nothing and leaves the game as it was.
    bool MovePiece(std::string_view sFrom, std::string_view sTo);

    // Makes a legal move of the side to move and raises its events as MovePiece does, except
    // PawnPromotion: a promotion takes its piece from the move, which must name one exactly
    // when a pawn reaches the last row. False, changing nothing, for any other move and
    // while a move is being made or taken back.
    bool MakeMove(const Move& move);

    // Takes the last move back and raises MoveUndo; false when there is nothing to take back
    // or when called from an event handler while a move is being made or taken back.
    bool UndoLastMove();

    // True while MovePiece, MakeMove or UndoLastMove is running (and so while its events are
    // raised).
    bool IsBusy() const { return busy_; }

    // Read-only view of the whole position.
    const EngineState& State() const { return *this; }

    // Every legal move of the side to move: each promotion piece counts as a move of its own.
    MoveList LegalMoves() const;
    // Whether move is one of LegalMoves().
    bool IsLegal(const Move& move) const;

    // How the game stands in the current position, with the draw a player may claim.
    GameOutcome Outcome() const;
    // The draw a player may claim now: a threefold repetition first, then the fifty-move
    // rule; nothing when no claim is open.
    std::optional<DrawReason> ClaimableDraw() const;
    // The draw by rule that the move at ply brought about, as the Draw event told it: the first
    // rule that holds after it and did not before, unless the move mated or stalemated.
    std::optional<DrawReason> DrawMadeBy(std::size_t ply) const;
    // Whether side bWhite could still checkmate by some series of legal moves; false only
    // where it surely cannot (a lone king; a king and one minor piece against a lone king;
    // nothing but kings and bishops, all bishops on squares of one colour). When a flag falls,
    // the game is drawn instead of lost if the other side could not checkmate.
    bool CouldCheckmate(bool bWhite) const;

    // Whether a piece of the colour opposite to ownerIsWhite could capture on square, by
    // the board alone (en passant is not considered). False for a square outside 1..64.
    bool IsSquareAttacked(bool ownerIsWhite, SquareIndex square) const;

    // The current position as FEN. Castling rights come from kings and rooks that have not
    // moved on their home squares; the en passant square is given only when an en passant
    // capture is legal. From an event handler it is the position the move or undo left.
    std::string Fen() const;
    // The FEN of the position the game started from.
    const std::string& FenAtStart() const { return startFen_; }

    // The move made at ply (0 first) of the history; an empty Move for a ply not made.
    Move MoveAt(std::size_t ply) const;
    // That move in standard algebraic notation, with + or #; empty for a ply not made.
    std::string MoveSan(std::size_t ply) const;
    // A legal move of the current position in standard algebraic notation ("Nbd2", "exd6",
    // "e8=Q+", "O-O-O#"); empty when the move is not legal.
    std::string San(const Move& move) const;
    // Reads a move of the side to move: standard algebraic notation, tolerant of a missing
    // or extra + or #, "0-0", "e8Q", "e8=Q"; or coordinates, "e2e4", "e2-e4", "Ng1-f3",
    // "e7e8n". A pawn reaching the last row without a letter becomes a queen. Only a legal
    // move is returned; otherwise why (the piece that cannot go there, the rivals...).
    ReadResult<Move> ParseMove(std::string_view sText) const;

    // Plies since the last capture or pawn move, and the number of the move to be made.
    std::int32_t HalfmoveClock() const { return Facts().HalfmoveClock; }
    std::int32_t FullmoveNumber() const;
    // What the draw rules know about the current position.
    const PositionFacts& Facts() const {
        return MoveHistory.empty() ? Start : MoveHistory.back().After;
    }

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
    // no legal move. A side without a king is never mated. Nothing changes.
    bool IsCheckmate(bool KingIsWhite, SquareIndex KingSquare) const;

    // True exactly when that side is not in check and has no legal move. Nothing changes.
    bool IsStalemate(bool KingIsWhite, SquareIndex KingSquare) const;

private:
    // Appends the record of the move from..to of that kind and carries out its side effects
    // (the execute mode of the movement rule).
    void RecordMove(SquareIndex from, SquareIndex to, MoveKind kind);
    // Makes a move known to be legal, with its events; the caller holds the busy flag.
    void MakeLegalMove(const Move& move, MoveKind kind);
    // Where the king of the side to move stands and whether it is in check.
    rules::KingSafety Safety() const;
    // The side to move: while the events of a move or an undo are raised, the side that is to
    // move once it is done.
    bool SideToMove() const { return WhitesTurn != turnPassing_; }

    // Sets up a position (cells as for NewGame) without drawing it; then, with the en passant
    // state and the flags of the caller in place, FinishSetUp works out the facts of the start.
    void PlacePieces(const Placement& pieces, bool bWhitesTurn);
    void FinishSetUp(std::int32_t halfmoveClock, std::int32_t fullmoveNumber);
    void RedrawAll();
    // The facts of the position on the board with the side sideToMove to move, halfmoveClock
    // plies after the last capture or pawn move; its key is keyWithoutEnPassant with the
    // en passant capture, if one is legal. Whether material is insufficient is worked out
    // again only when materialChanged; otherwise it is taken from previousDraws.
    PositionFacts WorkOutFacts(bool sideToMove, std::uint64_t keyWithoutEnPassant,
                               std::int32_t halfmoveClock, std::uint8_t previousDraws,
                               bool materialChanged, bool inCheck, bool mated,
                               bool stalemated) const;
    bool InsufficientMaterial() const;
    // How often the position with key has stood among the last plies positions, this one
    // included (at most 255). Only the positions since the last capture or pawn move can
    // repeat a position, and they are found through positionsByKey_, not by a scan.
    int Repetitions(std::uint64_t key, std::int32_t plies) const;
    // The facts of the position p plies into the game: the start for 0.
    const PositionFacts& FactsAt(std::size_t p) const {
        return p == 0 ? Start : MoveHistory[p - 1].After;
    }
    // Enters the newest position (the last of the history, or the start) into
    // positionsByKey_; ForgetNewestPosition removes it again before its record is taken back.
    void IndexNewestPosition();
    void ForgetNewestPosition();
    // Empties positionsByKey_ and enters every position of the game again.
    void IndexAllPositions();

    // Sets both king squares from the board: the last king of each colour in board order,
    // 0 for a colour without one. Also counts the kings of each colour.
    void LocateKings();
    // Keeps the king squares right after the king of a colour moved to square.
    void KingMovedTo(bool white, SquareIndex square);
    void Draw(SquareIndex square, bool showHighlight) {
        drawer_->DrawSquare(square, showHighlight);
    }

    // Marks the engine busy for the lifetime of one public move operation; the turn has
    // passed by its end.
    class BusyScope {
    public:
        explicit BusyScope(ChessEngine& engine) : engine_(engine) { engine_.busy_ = true; }
        ~BusyScope() {
            engine_.busy_ = false;
            engine_.turnPassing_ = false;
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        ChessEngine& engine_;
    };

    // Every position of the game by its key: a hash table of chains through the positions,
    // newest first. Head[b] is the newest position whose key falls in bucket b, Earlier[p]
    // the position before p in its bucket (-1 for none). Positions are entered and removed
    // in the order of the history, so each chain stays in order and undo is exact.
    struct PositionIndex {
        std::vector<std::int32_t> Head;
        std::vector<std::int32_t> Earlier;
    } positionsByKey_;

    std::string startFen_;
    BoardEvents* events_;
    SquareDrawer* drawer_;
    bool busy_ = false;
    // From the moment a move or an undo has changed the board until the turn passes: the
    // handlers of its events run meanwhile and see the side that is to move next in Fen().
    bool turnPassing_ = false;
    // Kings of each colour on the board; more than one only in a badly set-up layout.
    int whiteKings_ = 0;
    int blackKings_ = 0;
    // The side not to move was in check in the position the game started from: only a badly
    // set-up layout does that.
    bool startedInOppositeCheck_ = false;
};

} // namespace quorrin
