#include "board/SquareSurface.h"

#include "board/PieceArtwork.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quorrin {

SquareSurface::SquareSurface(int index, std::shared_ptr<const PieceArtwork> artwork, QWidget* board)
    : QWidget(board), index_(index), artwork_(std::move(artwork)) {
    setObjectName(QStringLiteral("picSquare%1").arg(index));
    // The picture covers the whole surface, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SquareSurface::Place(const QRect& rect) {
    setGeometry(rect);
    // Allocated here rather than in resizeEvent: a hidden widget gets that event late.
    Reallocate();
}

bool SquareSurface::Reallocate() {
    // Below 1 the picture stays at normal density and Qt shrinks it.
    const qreal largest = qreal(LargestPicturePixels) / std::max({width(), height(), 1});
    const qreal ratio = std::max<qreal>(1, std::min(devicePixelRatioF(), largest));
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio - 1e-6)),
                       static_cast<int>(std::ceil(height() * ratio - 1e-6)));
    if (image_.size() == pixels && qFuzzyCompare(image_.devicePixelRatio(), ratio)) {
        return false;
    }
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::black);
    shown_.reset();
    return true;
}

void SquareSurface::Show(const Look& look) {
    if (shown_ == look || image_.isNull()) {
        return;
    }
    shown_ = look;
    image_.fill(look.background);

    const int width = image_.width();
    const int height = image_.height();
    const qreal ratio = image_.devicePixelRatio();
    if (look.frame) {
        // One logical pixel wide: as many device pixels as the ratio, at least one.
        const int thickness = std::clamp(qRound(ratio), 1, std::min(width, height));
        const QRgb frame = *look.frame;
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            if (y < thickness || y >= height - thickness) {
                std::fill(line, line + width, frame);
            } else {
                std::fill(line, line + thickness, frame);
                std::fill(line + width - thickness, line + width, frame);
            }
        }
    }

    // Hints, coordinates and the piece are composed pixel for pixel, so paint through a view of
    // the picture's memory that has no device pixel ratio of its own.
    QImage pixels(image_.bits(), width, height, image_.bytesPerLine(), image_.format());
    if (look.hint != Hint::None) {
        DrawHint(pixels, look.hint, look.mark);
    }
    if (look.file != 0 || look.rank != 0) {
        QPainter painter(&pixels);
        QFont font = painter.font();
        font.setPixelSize(std::max(6, std::min(width, height) / 4));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(look.mark));
        const int margin = std::max(1, qRound(2 * ratio));
        const QRect inside(margin, 0, width - 2 * margin, height - margin / 2);
        if (look.rank != 0) {
            painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop, QString(QChar(look.rank)));
        }
        if (look.file != 0) {
            painter.drawText(inside, Qt::AlignRight | Qt::AlignBottom, QString(QChar(look.file)));
        }
    }

    if (look.piece) {
        const PieceArtwork::Density& density = artwork_->At(ratio);
        // Truncating division: the extra pixel of an odd margin falls right and below.
        const QPoint at((width - density.cell) / 2, (height - density.cell) / 2);
        const QRect cell = density.Cell(*look.piece);
        QPainter painter(&pixels);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(at, density.andLayer, cell);
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(at, density.orLayer, cell);
    }
    update();
}

void SquareSurface::DrawHint(QImage& pixels, Hint hint, QRgb colour) {
    // Whole device pixels, without smoothing: as sharp at every ratio as the frame.
    const qreal side = std::min(pixels.width(), pixels.height());
    const qreal inner = hint == Hint::Dot ? 0 : side * 0.40;
    const qreal outer = hint == Hint::Dot ? side / 6 : side * 0.47;
    const qreal cx = pixels.width() / 2.0, cy = pixels.height() / 2.0;
    for (int y = 0; y < pixels.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const qreal d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d >= inner && d < outer) {
                line[x] = colour;
            }
        }
    }
}

void SquareSurface::paintEvent(QPaintEvent*) {
    // Shown at another device pixel ratio than the picture was made for (the window went to
    // a screen of another density): the same look is composed again at the new one.
    const std::optional<Look> look = shown_;
    if (Reallocate() && look) {
        Show(*look);
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image_);
}

void SquareSurface::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(index_, event->button());
    event->accept();
}

void SquareSurface::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(index_, event->button(), event->globalPosition());
    event->accept();
}

} // namespace quorrin
