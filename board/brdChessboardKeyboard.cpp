// Playing with the keyboard: a cursor moved square by square with the arrow keys as the
// player sees the board, Space or Enter to pick up the piece under it and again to put it
// down on another square (one MovePiece, as a drop makes), Escape to put it back.
#include "board/SpokenText.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "engine/ChessEngine.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace quorrin {

bool brdChessboardPrivate::WantsKey(const QKeyEvent& event) const {
    if (drag_.Carrying()) {
        return event.key() == Qt::Key_Escape;
    }
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Escape:
        // With nothing in hand Escape is the host's (a dialog closes on it).
        return keyboard_.Picked() != 0;
    default:
        return false;
    }
}

bool brdChessboardPrivate::KeyPress(const QKeyEvent& event) {
    if (!WantsKey(event)) {
        return false;
    }
    if (drag_.Carrying()) {
        EndDrag(); // Escape puts a piece carried by the mouse back
        return true;
    }
    keyboard_.SetInUse(true);
    const SquareIndex cursorSquare = keyboard_.Square();
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        SetCursor(keyboard_.Step(event.key(), props_.sideView == 0));
        break;
    case Qt::Key_Escape:
        PutBack();
        return true;
    default: { // Space or Enter
        const QString refusal = MoveRefusal();
        if (keyboard_.Picked() == 0) {
            const EngineState& state = engine_.State();
            const BoardSquare& square = state.Squares[cursorSquare];
            // The rules of a mouse pick-up: a piece of the side to move, and not Locked.
            if (!refusal.isEmpty()) {
                Announce(refusal);
            } else if (!props_.locked && square.Occupied &&
                       square.Piece.IsWhite == state.WhitesTurn) {
                keyboard_.Pick(cursorSquare);
                ShowHints(cursorSquare);
                RefreshSpokenNames();
            }
            ShowKeyboardMarks();
        } else if (keyboard_.Picked() == cursorSquare) {
            PutBack();
        } else if (!refusal.isEmpty()) {
            PutBack();
            Announce(refusal);
        } else {
            const SquareIndex from = keyboard_.Picked();
            keyboard_.PutBack();
            ShowKeyboardMarks();
            const BoardHints hinted = TakeHints();
            const EngineCall call(*this);
            keyMoveTarget_ = cursorSquare;
            const bool made =
                engine_.MovePiece(SquareIndexToName(from), SquareIndexToName(cursorSquare));
            keyMoveTarget_ = NoSquare;
            RedrawHinted(hinted);
            if (!made) {
                Announce(RefusalAnnouncement(from, cursorSquare));
            }
        }
        return true;
    }
    }
    ShowKeyboardMarks();
    return true;
}

void brdChessboardPrivate::SetCursor(SquareIndex square) {
    if (!keyboard_.MoveTo(square)) {
        return;
    }
    ShowKeyboardMarks();
    announcer_.TellFocus(keyboard_.Square());
}

void brdChessboardPrivate::ShowKeyboardMarks() {
    keyboard_.ShowMarks(keyboard_.InUse() && q.hasFocus(), grid_);
}

void brdChessboardPrivate::PutBack() {
    if (!keyboard_.PutBack()) {
        return;
    }
    ShowHints(PieceInHand());
    ShowKeyboardMarks();
    RefreshSpokenNames();
}

void brdChessboardPrivate::MouseUsed(int square) {
    keyboard_.SetInUse(false);
    PutBack();
    SetCursor(static_cast<SquareIndex>(square));
    ShowKeyboardMarks();
}

void brdChessboardPrivate::PositionChanged() {
    keyboard_.PutBack();
    ShowHints(PieceInHand());
    ShowKeyboardMarks();
    RefreshSpokenNames();
}

bool brdChessboard::event(QEvent* event) {
    // Its window losing the activation may end a carry (a window that is hidden or minimised
    // loses it too). Qt tells the window's every widget, the board inside a host included.
    if (event->type() == QEvent::WindowDeactivate) {
        d_func()->DragInterrupted();
    }
    // Keys the board acts on are not shortcuts of its host while the board has the focus.
    if (event->type() == QEvent::ShortcutOverride &&
        d_func()->WantsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void brdChessboard::keyPressEvent(QKeyEvent* event) {
    if (d_func()->KeyPress(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void brdChessboard::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Q_D(brdChessboard);
    // Like a focus-visible ring: the cursor shows when the keyboard brought the focus, not a
    // click; the window given back its activation keeps what was shown before.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        d->keyboard_.SetInUse(true);
    }
    d->ShowKeyboardMarks();
    // Qt reports the board itself as focused after this handler: the square under the cursor
    // follows, so that a screen reader says it.
    QTimer::singleShot(0, this, [d] { d->announcer_.TellFocus(d->keyboard_.Square()); });
}

void brdChessboard::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    d_func()->ShowKeyboardMarks();
}

} // namespace quorrin
