// The board's private part: the engine it owns, the 64 square surfaces, the drag and the
// property values, with the drawing, layout and mouse handling that work on them. Not
// installed: only the board's own sources, its tests and its benchmarks include it.
#pragma once

#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QPointF>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

class QKeyEvent;
class QTimer;

namespace quorrin {

class FocusCursor;
class PieceArtwork;
class SquareSurface;

class brdChessboardPrivate final : public SquareDrawer, public BoardEvents {
public:
    explicit brdChessboardPrivate(brdChessboard& board);
    brdChessboardPrivate(const brdChessboardPrivate&) = delete;
    brdChessboardPrivate& operator=(const brdChessboardPrivate&) = delete;

    // The private part of a board.
    static brdChessboardPrivate& Of(brdChessboard& board) { return *board.d_func(); }
    static const brdChessboardPrivate& Of(const brdChessboard& board) { return *board.d_func(); }

    // Builds the squares and the drag timer, sizes the board to eight template squares and
    // sets up the start position; runs once the board's private part is in place.
    void Create();

    // Engine events, raised again as the board's signals.
    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override;
    void PieceCapture(PieceType ePiece) override;
    void KingInCheck(bool bWhite, bool bCheckmate) override;
    void PawnPromotion(bool bWhite, PieceType& eChoice) override;
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
    // The host's gate refuses moves from the mouse and the keyboard: why, or "" when it lets
    // them through.
    QString MoveRefusal() const { return moveGate_ ? moveGate_() : QString(); }

    // Redraws one square from the position: colour, last-move frame, piece.
    void DrawSquare(SquareIndex square, bool showHighlight) override;
    void RepaintBoard();
    void LayOutSquares();
    // Squares the template, writes SideView (which lays out), sizes the component to eight
    // squares and repaints; runs on every new extent.
    void UserControl_Resize();
    int SquarePixels() const;
    int SquarePixelsY() const;
    QSize BoardPixels() const; // eight squares a side, in pixels

    // Mouse: pick-up on a square, drop over a square, the 100 ms poll of the left button.
    void picSquare_MouseDown(int index, Qt::MouseButton button);
    void picSquare_DragDrop(int index);
    void tmrDrag_Timer();
    // A left-button release while a piece is carried: ends the carrying, then drops the
    // piece on the square under the pointer, if any.
    void ReleaseAt(const QPointF& globalPos);
    // This board's square surface that is the topmost widget on the screen at globalPos;
    // null over anything else, a square hidden under another window included.
    SquareSurface* SquareUnder(const QPointF& globalPos) const;
    // Ends the drag with no move: timer stopped, carrying stopped, origin drawn again.
    void EndDrag();
    // Where the button cannot be read, a window that loses the activation may never hear
    // the release, so a carry ends at once.
    void DragInterrupted();
    // Gives back the grabs and the pointer; safe to call when not carrying.
    void StopCarrying();

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
    // A press of any mouse button on square: the cursor goes there and hides until a key is
    // used; a piece picked up by keyboard goes back.
    void MouseUsed(int square);
    // The square of the piece picked up by keyboard; 0 when none.
    SquareIndex SelectedSquare() const;

    // Accessibility (BoardAccessibility.cpp): the spoken announcement of what just happened,
    // in the board's accessible description, and name changes of the squares it touched.
    void Announce(const QString& text);
    // The squares whose spoken names changed since they were last told, and an announcement
    // not yet told, are told once the event being handled is done.
    void RefreshSpokenNames();
    void TellChanges();
    // The cursor's square becomes the accessible focus, if the board has the focus.
    void SendCursorFocus();
    // After a move, an undo or a new game: a piece in hand by keyboard goes back, and the
    // squares whose spoken names changed say so.
    void PositionChanged();

    brdChessboard& q;
    ChessEngine engine_;
    brdChessboard::MoveGate moveGate_;
    bool busyTold_ = false;
    std::shared_ptr<const PieceArtwork> artwork_;
    std::array<SquareSurface*, 65> picSquare_{}; // 1..64; element 0 unused
    QTimer* tmrDrag_ = nullptr;
    SquareIndex DragFromSquare_ = 0;
    bool carrying_ = false;       // mouse and keyboard are grabbed, the pointer shows the piece
    bool releaseUnheard_ = false; // the last tick found the button up, the application not

    quint32 darkSquareColor_ = brdChessboard::DefaultDarkSquareColor;
    quint32 lightSquareColor_ = brdChessboard::DefaultLightSquareColor;
    bool locked_ = brdChessboard::DefaultLocked;
    qint32 sideView_ = brdChessboard::DefaultSideView;
    bool highlightMove_ = brdChessboard::DefaultHighlightMove;
    quint32 highlightMoveColor_ = brdChessboard::DefaultHighlightMoveColor;

    int templateWidthTwips_ = 615; // the template square, 41 pixels at 15 twips a pixel
    int templateHeightTwips_ = 615;
    int extentWidthTwips_ = 0;
    int extentHeightTwips_ = 0;
    bool resizing_ = false;

    // Keyboard play: the cursor's square, whether it is shown (the keyboard is in use), the
    // square of a piece picked up by keyboard (0: none), and the two overlay marks.
    SquareIndex cursorSquare_ = 53; // e2
    bool keyboardInUse_ = false;
    SquareIndex pickedSquare_ = 0;
    FocusCursor* focusCursor_ = nullptr;
    FocusCursor* pickedMark_ = nullptr;

    // What the screen reader last heard: the announcement and each square's name (1..64).
    QString announcement_;
    std::array<QString, 65> spokenNames_;
    bool announcementUntold_ = false;
    bool tellPending_ = false;
};

} // namespace quorrin
