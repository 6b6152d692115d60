// The board's private part: the engine it owns and the parts it is made of (the squares, the
// mouse drag, keyboard play, what the screen reader heard), with the handlers that work on them
// and on the engine: drawing, sizing, the mouse and the keys. Not installed, and included by the
// board's own sources alone.
#pragma once

#include "board/Announcer.h"
#include "board/KeyboardCursor.h"
#include "board/MouseDrag.h"
#include "board/SquareGrid.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QPointF>
#include <QString>

#include <array>
#include <memory>
#include <utility>

class QKeyEvent;

namespace quorrin {

class PieceArtwork;

// The eight property values.
struct BoardProperties {
    quint32 darkSquareColor = brdChessboard::DefaultDarkSquareColor;
    quint32 lightSquareColor = brdChessboard::DefaultLightSquareColor;
    bool locked = brdChessboard::DefaultLocked;
    qint32 sideView = brdChessboard::DefaultSideView;
    bool highlightMove = brdChessboard::DefaultHighlightMove;
    quint32 highlightMoveColor = brdChessboard::DefaultHighlightMoveColor;
    bool coordinates = brdChessboard::DefaultCoordinates;
    bool showLegalMoves = brdChessboard::DefaultShowLegalMoves;
};

// The hint each square shows, by square index (0 unused).
using BoardHints = std::array<SquareSurface::Hint, 65>;

class brdChessboardPrivate final : public SquareDrawer, public BoardEvents {
public:
    explicit brdChessboardPrivate(brdChessboard& board);
    brdChessboardPrivate(const brdChessboardPrivate&) = delete;
    brdChessboardPrivate& operator=(const brdChessboardPrivate&) = delete;

    // The private part of a board.
    static brdChessboardPrivate& Of(brdChessboard& board) { return *board.d_func(); }
    static const brdChessboardPrivate& Of(const brdChessboard& board) { return *board.d_func(); }

    // Sizes the board to eight template squares and sets up the start position; runs once the
    // board's private part is in place.
    void Create();

    // Engine events, raised again as the board's signals.
    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override;
    void PieceCapture(PieceType ePiece) override;
    void KingInCheck(bool bWhite, bool bCheckmate) override;
    void PawnPromotion(bool bWhite, PieceType& eChoice) override;
    // A move whose promotion was being chosen goes on only while the host's gate is open.
    bool MoveStillWanted() override { return MoveRefusal().isEmpty(); }
    void Stalemate() override;
    void MoveUndo(bool bWhite) override;
    void Draw(DrawReason eReason) override;

    // The first event of a move or an undo tells the host that the board is busy; the call
    // that raised it tells it that the board is done, once it returns.
    void EventsBegin();
    class EngineCall {
    public:
        explicit EngineCall(brdChessboardPrivate& d) : d_(d) {}
        ~EngineCall();
        EngineCall(const EngineCall&) = delete;
        EngineCall& operator=(const EngineCall&) = delete;

    private:
        brdChessboardPrivate& d_;
    };
    // The host's gate refuses moves from the mouse and the keyboard, and so does an earlier
    // position shown: why, or "" when moves may be made.
    QString MoveRefusal() const;

    // Redraws one square from the position: colour, last-move frame, piece.
    void DrawSquare(SquareIndex square, bool showHighlight) override;
    // What a square shows of the position drawn: colour, frame, piece, coordinates and hint.
    SquareSurface::Look LookOf(SquareIndex square, bool showHighlight) const;
    void RepaintBoard();
    // The hints of the piece on square from (none for NoSquare, or while ShowLegalMoves is
    // off); only the squares whose hint changes are redrawn.
    void ShowHints(SquareIndex from);
    // The hints go, without a redraw yet: a move made next redraws its own squares, and
    // RedrawHinted(the hints taken) redraws the rest.
    BoardHints TakeHints() { return std::exchange(hints_, BoardHints{}); }
    void RedrawHinted(const BoardHints& hinted);
    // The square of the piece in hand, carried by the mouse or picked by keys; 0 when none.
    SquareIndex PieceInHand() const { return drag_.Carrying() ? drag_.From() : keyboard_.Picked(); }
    void LayOutSquares() { grid_.LayOut(props_.sideView == 0); }
    // Squares the template, writes SideView (which lays out), sizes the component to eight
    // squares and repaints; runs on every new extent.
    void UserControl_Resize();

    // Mouse: pick-up on a square, drop over a square, the 100 ms poll of the left button.
    void picSquare_MouseDown(int index, Qt::MouseButton button);
    // A release reported by a square: normally the board holds the mouse grab and hears the
    // release itself; this covers a platform on which the grab did not take.
    void picSquare_MouseUp(Qt::MouseButton button, const QPointF& globalPos);
    void picSquare_DragDrop(int index);
    void tmrDrag_Timer();
    // A left-button release while a piece is carried: ends the carrying, then drops the
    // piece on the square under the pointer, if any.
    void ReleaseAt(const QPointF& globalPos);
    // Ends the drag with no move: poll and carrying stopped, origin drawn again.
    void EndDrag();
    // Where the button cannot be read, a window that loses the activation may never hear
    // the release, so a carry ends at once.
    void DragInterrupted();

    // Keyboard play (brdChessboardKeyboard.cpp). A key the board acts on, given the state it
    // is in; such keys are kept from the host's shortcuts.
    bool WantsKey(const QKeyEvent& event) const;
    // Acts on a key; false when the key is not the board's.
    bool KeyPress(const QKeyEvent& event);
    // Moves the keyboard cursor to square; the screen reader hears the square when the board
    // has the focus.
    void SetCursor(SquareIndex square);
    // Shows the cursor and the mark of a picked piece while the board has the focus and the
    // keyboard is in use; hides them otherwise.
    void ShowKeyboardMarks();
    // A piece picked up by keyboard goes back: nothing is picked any more.
    void PutBack();
    // A press of the left button on square: the cursor goes there and hides until a key is
    // used; a piece picked up by keyboard goes back.
    void MouseUsed(int square);
    // The square of the piece picked up by keyboard; 0 when none.
    SquareIndex SelectedSquare() const { return keyboard_.Picked(); }
    // After a move, an undo or a new game: a piece in hand by keyboard goes back, and the
    // squares whose spoken names changed say so.
    void PositionChanged();

    // Looking back (brdChessboardReview.cpp). The position drawn, read out and played on by the
    // cursor: an earlier one of the game while one is shown, else the game's.
    const EngineState& Shown() const { return shown_ ? shown_->State() : engine_.State(); }
    // Back to the game's own position, redrawn, before anything changes the game.
    void EndShowing();
    // A move was made: it is the move Redo would make (which stays made), or any other, which
    // ends what could be redone.
    void MoveMadeAfterUndo();

    // What the screen reader hears: the announcement of what just happened and the squares
    // whose spoken names changed, once the event being handled is done.
    void Announce(const QString& text) { announcer_.Announce(text); }
    void RefreshSpokenNames() { announcer_.RefreshSpokenNames(); }

    brdChessboard& q;
    ChessEngine engine_;
    std::unique_ptr<ChessEngine> shown_;   // the earlier position shown, when one is
    std::vector<Move> redo_;               // the moves taken back, the next to make again last
    SquareIndex keyMoveTarget_ = NoSquare; // where a move made by keys goes, while it is made
    brdChessboard::MoveGate moveGate_;
    bool busyTold_ = false;
    std::shared_ptr<const PieceArtwork> artwork_;
    BoardProperties props_;
    BoardHints hints_{};
    // Made in this order: the drag's timer, the squares, then the marks above them.
    MouseDrag drag_;
    SquareGrid grid_;
    KeyboardCursor keyboard_;
    Announcer announcer_;
};

} // namespace quorrin
