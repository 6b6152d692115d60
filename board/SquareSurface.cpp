#include "board/SquareSurface.h"

#include "board/PieceArtwork.h"
#include "board/brdChessboard_p.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace quorrin {

SquareSurface::SquareSurface(int index, brdChessboard* board)
    : QWidget(board), board_(board), index_(index) {
    setObjectName(QStringLiteral("picSquare%1").arg(index));
    // The picture covers the whole surface, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SquareSurface::Place(const QRect& rect) {
    setGeometry(rect);
    if (image_.size() != rect.size()) {
        // Allocated here rather than in resizeEvent: a hidden widget gets that event late.
        image_ = QImage(rect.size(), QImage::Format_RGB32);
        image_.fill(Qt::black);
        shown_.reset();
    }
}

void SquareSurface::Show(const Look& look, const PieceArtwork& artwork) {
    if (shown_ == look || image_.isNull()) {
        return;
    }
    shown_ = look;
    image_.fill(look.background);

    const int width = image_.width();
    const int height = image_.height();
    if (look.frame) {
        const QRgb frame = *look.frame;
        auto* top = reinterpret_cast<QRgb*>(image_.scanLine(0));
        auto* bottom = reinterpret_cast<QRgb*>(image_.scanLine(height - 1));
        std::fill(top, top + width, frame);
        std::fill(bottom, bottom + width, frame);
        for (int y = 1; y < height - 1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            line[0] = frame;
            line[width - 1] = frame;
        }
    }

    if (look.piece) {
        // Truncating division: the extra pixel of an odd margin falls right and below.
        const QPoint at((width - PieceArtwork::CellPixels) / 2,
                        (height - PieceArtwork::CellPixels) / 2);
        const QRect cell = PieceArtwork::Cell(*look.piece);
        QPainter painter(&image_);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(at, artwork.AndLayer(), cell);
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(at, artwork.OrLayer(), cell);
    }
    update();
}

void SquareSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void SquareSurface::mousePressEvent(QMouseEvent* event) {
    brdChessboardPrivate::Of(*board_).picSquare_MouseDown(index_, event->button());
    event->accept();
}

void SquareSurface::mouseReleaseEvent(QMouseEvent* event) {
    // Normally the board holds the mouse grab and hears the release itself; this covers a
    // platform on which the grab did not take and the release came here.
    brdChessboardPrivate& board = brdChessboardPrivate::Of(*board_);
    if (board.carrying_ && event->button() == Qt::LeftButton) {
        board.ReleaseAt(event->globalPosition());
    }
    event->accept();
}

} // namespace quorrin
