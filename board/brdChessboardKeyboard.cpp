// Playing with the keyboard: a cursor moved square by square with the arrow keys as the
// player sees the board, Space or Enter to pick up the piece under it and again to put it
// down on another square (one MovePiece, as a drop makes), Escape to put it back.
#include "board/BoardAccessibility.h"
#include "board/FocusCursor.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "engine/ChessEngine.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace quorrin {

bool brdChessboardPrivate::WantsKey(const QKeyEvent& event) const {
    if (carrying_) {
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
        return pickedSquare_ != 0;
    default:
        return false;
    }
}

bool brdChessboardPrivate::KeyPress(const QKeyEvent& event) {
    if (!WantsKey(event)) {
        return false;
    }
    if (carrying_) {
        EndDrag(); // Escape puts a piece carried by the mouse back
        return true;
    }
    keyboardInUse_ = true;
    const int index = cursorSquare_ - 1;
    int row = index / 8;    // 0 is rank 8
    int column = index % 8; // 0 is file a
    // In White's view up goes towards rank 8 and left towards file a; turned, the reverse.
    const int away = sideView_ == 0 ? -1 : 1;
    switch (event.key()) {
    case Qt::Key_Up:
        row += away;
        break;
    case Qt::Key_Down:
        row -= away;
        break;
    case Qt::Key_Left:
        column += away;
        break;
    case Qt::Key_Right:
        column -= away;
        break;
    case Qt::Key_Escape:
        PutBack();
        return true;
    default: { // Space or Enter
        const QString refusal = MoveRefusal();
        if (pickedSquare_ == 0) {
            const EngineState& state = engine_.State();
            const BoardSquare& square = state.Squares[cursorSquare_];
            // The rules of a mouse pick-up: a piece of the side to move, and not Locked.
            if (!refusal.isEmpty()) {
                Announce(refusal);
            } else if (!locked_ && square.Occupied && square.Piece.IsWhite == state.WhitesTurn) {
                pickedSquare_ = cursorSquare_;
                RefreshSpokenNames();
            }
            ShowKeyboardMarks();
        } else if (pickedSquare_ == cursorSquare_) {
            PutBack();
        } else if (!refusal.isEmpty()) {
            PutBack();
            Announce(refusal);
        } else {
            const SquareIndex from = pickedSquare_;
            pickedSquare_ = 0;
            ShowKeyboardMarks();
            const EngineCall call(*this);
            if (!engine_.MovePiece(SquareIndexToName(from), SquareIndexToName(cursorSquare_))) {
                Announce(RefusalAnnouncement(from, cursorSquare_));
            }
        }
        return true;
    }
    }
    if (row >= 0 && row < 8 && column >= 0 && column < 8) {
        SetCursor(static_cast<SquareIndex>(row * 8 + column + 1));
    }
    ShowKeyboardMarks();
    return true;
}

void brdChessboardPrivate::SetCursor(SquareIndex square) {
    if (!IsBoardSquare(square) || square == cursorSquare_) {
        return;
    }
    cursorSquare_ = square;
    ShowKeyboardMarks();
    SendCursorFocus();
}

void brdChessboardPrivate::ShowKeyboardMarks() {
    const bool shown = keyboardInUse_ && q.hasFocus();
    focusCursor_->Follow(shown ? picSquare_[cursorSquare_] : nullptr);
    pickedMark_->Follow(shown && pickedSquare_ != 0 ? picSquare_[pickedSquare_] : nullptr);
}

void brdChessboardPrivate::PutBack() {
    if (pickedSquare_ == 0) {
        return;
    }
    pickedSquare_ = 0;
    ShowKeyboardMarks();
    RefreshSpokenNames();
}

void brdChessboardPrivate::MouseUsed(int square) {
    keyboardInUse_ = false;
    PutBack();
    SetCursor(static_cast<SquareIndex>(square));
    ShowKeyboardMarks();
}

SquareIndex brdChessboardPrivate::SelectedSquare() const {
    return pickedSquare_;
}

void brdChessboardPrivate::PositionChanged() {
    pickedSquare_ = 0;
    ShowKeyboardMarks();
    RefreshSpokenNames();
}

bool brdChessboard::event(QEvent* event) {
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
        d->keyboardInUse_ = true;
    }
    d->ShowKeyboardMarks();
    // Qt reports the board itself as focused after this handler: the square under the cursor
    // follows, so that a screen reader says it.
    QTimer::singleShot(0, this, [d] { d->SendCursorFocus(); });
}

void brdChessboard::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    d_func()->ShowKeyboardMarks();
}

} // namespace quorrin
