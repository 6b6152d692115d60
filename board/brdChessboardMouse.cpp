// Picking a piece up, carrying it with its icon as the pointer, dropping it on a square, and
// the 100 ms poll of the left button that ends a drag.
#include "board/PieceArtwork.h"
#include "board/Platform.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace quorrin {

void brdChessboard::picSquare_MouseDown(int index, Qt::MouseButton button) {
    if (button != Qt::LeftButton || locked_ || !IsBoardSquare(index)) {
        return;
    }
    const BoardSquare& square = State().Squares[index];
    if (!square.Occupied || square.Piece.IsWhite != State().WhitesTurn) {
        return;
    }

    // A pick-up within 100 ms of a refused drop comes before the tick that would have
    // shown the earlier piece again: show it now, or it would stay invisible.
    if (tmrDrag_->isActive() && DragFromSquare_ != index) {
        DrawSquare(DragFromSquare_, true);
    }

    // The piece (and a frame on its square) vanish while it is carried; the position stays.
    SquareSurface::Look cleared;
    cleared.background = SquareSurface::RgbOf(square.IsDark ? darkSquareColor_ : lightSquareColor_);
    picSquare_[index]->Show(cleared, *artwork_);

    DragFromSquare_ = static_cast<SquareIndex>(index);
    releaseUnheard_ = false;
    tmrDrag_->start();
    const QCursor& pointer = artwork_->Cursor(square.Piece.Kind);
    if (carrying_) {
        QGuiApplication::changeOverrideCursor(pointer);
    } else {
        QGuiApplication::setOverrideCursor(pointer);
    }
    carrying_ = true;
    // The release then comes to the board wherever the pointer is, off the board included,
    // and so does Escape.
    grabMouse();
    grabKeyboard();
}

void brdChessboard::mousePressEvent(QMouseEvent* event) {
    // While a piece is carried the board holds the grab and hears every press. A left press
    // then means that the release went to another window unheard: that carry ends without a
    // move, and the press counts on its own.
    if (!carrying_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    EndDrag();
    if (SquareSurface* square = SquareUnder(event->globalPosition())) {
        picSquare_MouseDown(square->Index(), Qt::LeftButton);
    }
    event->accept();
}

void brdChessboard::mouseReleaseEvent(QMouseEvent* event) {
    if (carrying_ && event->button() == Qt::LeftButton) {
        ReleaseAt(event->globalPosition());
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void brdChessboard::keyPressEvent(QKeyEvent* event) {
    if (carrying_ && event->key() == Qt::Key_Escape) {
        EndDrag();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void brdChessboard::changeEvent(QEvent* event) {
    // A window that is hidden or minimised loses the activation too.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        DragInterrupted();
    }
    QWidget::changeEvent(event);
}

void brdChessboard::ReleaseAt(const QPointF& globalPos) {
    // Grab and pointer go back before the move: its event handlers may open menus or
    // message boxes of their own.
    StopCarrying();
    if (SquareSurface* target = SquareUnder(globalPos)) {
        picSquare_DragDrop(target->Index());
    }
}

SquareSurface* brdChessboard::SquareUnder(const QPointF& globalPos) const {
    // widgetAt answers by what the screen shows there; childAt would go by geometry alone.
    auto* square = qobject_cast<SquareSurface*>(QApplication::widgetAt(globalPos.toPoint()));
    return square != nullptr && square->parentWidget() == this ? square : nullptr;
}

void brdChessboard::picSquare_DragDrop(int index) {
    // A refused move changes nothing; the tick that ends the drag redraws the origin.
    engine_.MovePiece(SquareIndexToName(DragFromSquare_), SquareIndexToName(index));
}

void brdChessboard::tmrDrag_Timer() {
    if (platform::LeftButtonDown()) {
        releaseUnheard_ = false;
        return;
    }
    // The button is up. A release still on its way to the application would drop the piece:
    // give it one more tick; after that it went to another window and is never coming.
    if (!releaseUnheard_ && (QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        releaseUnheard_ = true;
        return;
    }
    EndDrag();
}

void brdChessboard::EndDrag() {
    tmrDrag_->stop();
    releaseUnheard_ = false;
    StopCarrying();
    DrawSquare(DragFromSquare_, true);
}

void brdChessboard::DragInterrupted() {
    if (carrying_ && !platform::ReadsLeftButtonItself()) {
        EndDrag();
    }
}

void brdChessboard::StopCarrying() {
    if (!carrying_) {
        return;
    }
    carrying_ = false;
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    if (QWidget::keyboardGrabber() == this) {
        releaseKeyboard();
    }
    QGuiApplication::restoreOverrideCursor();
}

} // namespace quorrin
