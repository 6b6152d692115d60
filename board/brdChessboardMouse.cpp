// Picking a piece up, carrying it with its icon as the pointer, dropping it on a square, and
// the 100 ms poll of the left button that ends a drag.
#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "board/platform/Platform.h"
#include "engine/ChessEngine.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace quorrin {

void brdChessboardPrivate::picSquare_MouseDown(int index, Qt::MouseButton button) {
    if (IsBoardSquare(index)) {
        MouseUsed(index);
    }
    if (button != Qt::LeftButton || locked_ || !IsBoardSquare(index)) {
        return;
    }
    const BoardSquare& square = engine_.State().Squares[index];
    if (!square.Occupied || square.Piece.IsWhite != engine_.State().WhitesTurn ||
        !MoveRefusal().isEmpty()) {
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
    const QCursor& pointer = artwork_->Cursor(square.Piece.Kind, q.devicePixelRatioF());
    if (carrying_) {
        QGuiApplication::changeOverrideCursor(pointer);
    } else {
        QGuiApplication::setOverrideCursor(pointer);
    }
    carrying_ = true;
    // The release then comes to the board wherever the pointer is, off the board included,
    // and so does Escape.
    q.grabMouse();
    q.grabKeyboard();
}

void brdChessboard::mousePressEvent(QMouseEvent* event) {
    Q_D(brdChessboard);
    // While a piece is carried the board holds the grab and hears every press. A left press
    // then means that the release went to another window unheard: that carry ends without a
    // move, and the press counts on its own.
    if (!d->carrying_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->EndDrag();
    if (SquareSurface* square = d->SquareUnder(event->globalPosition())) {
        d->picSquare_MouseDown(square->Index(), Qt::LeftButton);
    }
    event->accept();
}

void brdChessboard::mouseReleaseEvent(QMouseEvent* event) {
    Q_D(brdChessboard);
    if (d->carrying_ && event->button() == Qt::LeftButton) {
        d->ReleaseAt(event->globalPosition());
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void brdChessboard::changeEvent(QEvent* event) {
    // A window that is hidden or minimised loses the activation too.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        d_func()->DragInterrupted();
    }
    QWidget::changeEvent(event);
}

void brdChessboardPrivate::ReleaseAt(const QPointF& globalPos) {
    // Grab and pointer go back before the move: its event handlers may open menus or
    // message boxes of their own.
    StopCarrying();
    if (SquareSurface* target = SquareUnder(globalPos)) {
        picSquare_DragDrop(target->Index());
    }
}

SquareSurface* brdChessboardPrivate::SquareUnder(const QPointF& globalPos) const {
    // widgetAt answers by what the screen shows there; childAt would go by geometry alone.
    auto* square = qobject_cast<SquareSurface*>(QApplication::widgetAt(globalPos.toPoint()));
    return square != nullptr && square->parentWidget() == &q ? square : nullptr;
}

void brdChessboardPrivate::picSquare_DragDrop(int index) {
    // A refused move changes nothing; the tick that ends the drag redraws the origin.
    if (MoveRefusal().isEmpty()) {
        const EngineCall call(*this);
        engine_.MovePiece(SquareIndexToName(DragFromSquare_), SquareIndexToName(index));
    }
}

void brdChessboardPrivate::tmrDrag_Timer() {
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

void brdChessboardPrivate::EndDrag() {
    tmrDrag_->stop();
    releaseUnheard_ = false;
    StopCarrying();
    DrawSquare(DragFromSquare_, true);
}

void brdChessboardPrivate::DragInterrupted() {
    if (carrying_ && !platform::ReadsLeftButtonItself()) {
        EndDrag();
    }
}

void brdChessboardPrivate::StopCarrying() {
    if (!carrying_) {
        return;
    }
    carrying_ = false;
    if (QWidget::mouseGrabber() == &q) {
        q.releaseMouse();
    }
    if (QWidget::keyboardGrabber() == &q) {
        q.releaseKeyboard();
    }
    QGuiApplication::restoreOverrideCursor();
}

} // namespace quorrin
