// Sizing the board and drawing its 64 squares.
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "board/platform/Platform.h"

#include <QResizeEvent>

namespace quorrin {

int brdChessboard::SquarePixels() const {
    return d_func()->grid_.SquarePixels();
}

QSize brdChessboard::sizeHint() const {
    return d_func()->grid_.BoardPixels();
}

QSize brdChessboard::minimumSizeHint() const {
    return SquareGrid::SmallestBoardPixels();
}

int brdChessboard::ExtentWidthTwips() const {
    return d_func()->grid_.ExtentWidthTwips();
}

int brdChessboard::ExtentHeightTwips() const {
    return d_func()->grid_.ExtentHeightTwips();
}

void brdChessboard::SetExtentTwips(int widthTwips, int heightTwips) {
    Q_D(brdChessboard);
    d->grid_.SetExtentTwips(widthTwips, heightTwips);
    d->UserControl_Resize();
}

void brdChessboardPrivate::UserControl_Resize() {
    grid_.FitTemplate();
    q.setSideView(props_.sideView); // reports "SideView" and lays the squares out at the new size
    grid_.ExtentFromTemplate();
    grid_.SizeBoard();
    RepaintBoard();
}

void brdChessboard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_D(brdChessboard);
    if (d->grid_.OwnResize(event->size())) {
        return;
    }
    SetExtentTwips(platform::PixelsToTwipsX(event->size().width()),
                   platform::PixelsToTwipsY(event->size().height()));
}

void brdChessboardPrivate::DrawSquare(SquareIndex square, bool showHighlight) {
    if (!IsBoardSquare(square) || grid_.Surface(square) == nullptr) {
        return;
    }
    const EngineState& state = Shown();
    const BoardSquare& record = state.Squares[square];

    SquareSurface::Look look;
    look.background =
        SquareSurface::RgbOf(record.IsDark ? props_.darkSquareColor : props_.lightSquareColor);
    if (props_.highlightMove && showHighlight &&
        (square == state.LastMoveFrom || square == state.LastMoveTo)) {
        look.frame = SquareSurface::RgbOf(props_.highlightMoveColor);
    }
    if (record.Occupied && record.Piece.Kind >= 0 && record.Piece.Kind < PieceTypeCount) {
        look.piece = record.Piece.Kind;
    }
    grid_.Surface(square)->Show(look);
}

void brdChessboardPrivate::RepaintBoard() {
    for (SquareIndex k = 1; k <= 64; ++k) {
        DrawSquare(k, true);
    }
}

} // namespace quorrin
