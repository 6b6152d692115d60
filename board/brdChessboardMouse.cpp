// Picking a piece up, carrying it with its icon as the pointer, dropping it on a square, and
// the 100 ms poll of the left button that ends a drag.
#include "board/PieceArtwork.h"
#include "board/Platform.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

#include <QGuiApplication>
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
    tmrDrag_->start();
    const QCursor& pointer = artwork_->Cursor(square.Piece.Kind);
    if (carrying_) {
        QGuiApplication::changeOverrideCursor(pointer);
    } else {
        QGuiApplication::setOverrideCursor(pointer);
    }
    carrying_ = true;
    // The release then comes to the board wherever the pointer is, off the board included.
    grabMouse();
}

void brdChessboard::mouseReleaseEvent(QMouseEvent* event) {
    if (carrying_ && event->button() == Qt::LeftButton) {
        ReleaseAt(event->globalPosition());
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void brdChessboard::ReleaseAt(const QPointF& globalPos) {
    // Grab and pointer go back before the move: its event handlers may open menus or
    // message boxes of their own.
    StopCarrying();
    const QPoint local = mapFromGlobal(globalPos).toPoint();
    if (auto* target = qobject_cast<SquareSurface*>(childAt(local))) {
        picSquare_DragDrop(target->Index());
    }
}

void brdChessboard::picSquare_DragDrop(int index) {
    // A refused move changes nothing; the tick that ends the drag redraws the origin.
    engine_.MovePiece(SquareIndexToName(DragFromSquare_), SquareIndexToName(index));
}

void brdChessboard::tmrDrag_Timer() {
    if (platform::LeftButtonDown()) {
        return;
    }
    tmrDrag_->stop();
    // A release that never reached the board (another window took it) ends the carrying here.
    StopCarrying();
    DrawSquare(DragFromSquare_, true);
}

void brdChessboard::StopCarrying() {
    if (!carrying_) {
        return;
    }
    carrying_ = false;
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    QGuiApplication::restoreOverrideCursor();
}

} // namespace quorrin
