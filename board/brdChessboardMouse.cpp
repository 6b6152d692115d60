// Picking a piece up, carrying it with its icon as the pointer, dropping it on a square, and
// the 100 ms poll of the left button that ends a drag.
#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "board/platform/Platform.h"
#include "engine/ChessEngine.h"

#include <QMouseEvent>

namespace quorrin {

void brdChessboardPrivate::picSquare_MouseDown(int index, Qt::MouseButton button) {
    // The board plays with the left button alone: a press of another changes nothing, the
    // keyboard cursor included.
    if (button != Qt::LeftButton || !IsBoardSquare(index)) {
        return;
    }
    MouseUsed(index);
    if (props_.locked) {
        return;
    }
    const BoardSquare& square = engine_.State().Squares[index];
    if (!square.Occupied || square.Piece.IsWhite != engine_.State().WhitesTurn ||
        !MoveRefusal().isEmpty()) {
        return;
    }

    // A pick-up within 100 ms of a refused drop comes before the tick that would have
    // shown the earlier piece again: show it now, or it would stay invisible.
    if (drag_.Active() && drag_.From() != index) {
        DrawSquare(drag_.From(), true);
    }

    // The piece (and a frame on its square) vanish while it is carried; the position, and the
    // square's coordinates, stay.
    SquareSurface::Look cleared = LookOf(static_cast<SquareIndex>(index), false);
    cleared.piece.reset();
    grid_.Surface(static_cast<SquareIndex>(index))->Show(cleared);

    drag_.Start(static_cast<SquareIndex>(index),
                artwork_->Cursor(square.Piece.Kind, q.devicePixelRatioF()));
    ShowHints(static_cast<SquareIndex>(index));
}

void brdChessboardPrivate::picSquare_MouseUp(Qt::MouseButton button, const QPointF& globalPos) {
    if (drag_.Carrying() && button == Qt::LeftButton) {
        ReleaseAt(globalPos);
    }
}

void brdChessboard::mousePressEvent(QMouseEvent* event) {
    Q_D(brdChessboard);
    // While a piece is carried the board holds the grab and hears every press. A left press
    // then means that the release went to another window unheard: that carry ends without a
    // move, and the press counts on its own.
    if (!d->drag_.Carrying() || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->EndDrag();
    if (SquareSurface* square = d->grid_.SquareUnder(event->globalPosition())) {
        d->picSquare_MouseDown(square->Index(), Qt::LeftButton);
    }
    event->accept();
}

void brdChessboard::mouseReleaseEvent(QMouseEvent* event) {
    Q_D(brdChessboard);
    if (d->drag_.Carrying() && event->button() == Qt::LeftButton) {
        d->ReleaseAt(event->globalPosition());
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void brdChessboardPrivate::ReleaseAt(const QPointF& globalPos) {
    // Grab and pointer go back before the move: its event handlers may open menus or
    // message boxes of their own.
    drag_.StopCarrying();
    // The hints go with the drop: the move redraws its own squares, then the other hinted ones.
    const BoardHints hinted = TakeHints();
    if (SquareSurface* target = grid_.SquareUnder(globalPos)) {
        picSquare_DragDrop(target->Index());
    }
    RedrawHinted(hinted);
}

void brdChessboardPrivate::picSquare_DragDrop(int index) {
    // A refused move changes nothing; the tick that ends the drag redraws the origin.
    if (MoveRefusal().isEmpty()) {
        const EngineCall call(*this);
        engine_.MovePiece(SquareIndexToName(drag_.From()), SquareIndexToName(index));
    }
}

void brdChessboardPrivate::tmrDrag_Timer() {
    if (drag_.ButtonReleased()) {
        EndDrag();
    }
}

void brdChessboardPrivate::EndDrag() {
    drag_.Stop();
    DrawSquare(drag_.From(), true);
    ShowHints(PieceInHand());
}

void brdChessboardPrivate::DragInterrupted() {
    if (drag_.Carrying() && !platform::ReadsLeftButtonItself()) {
        EndDrag();
    }
}

} // namespace quorrin
