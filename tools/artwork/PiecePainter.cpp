#include "PiecePainter.h"

#include "PieceDesigns.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace quorrin::artwork {

namespace {

// Pieces are drawn this many times larger than their target size and then averaged down,
// which gives even anti-aliasing for curves and slanted lines.
constexpr int Supersample = 8;

const QColor WhiteOutline(0x1c, 0x1a, 0x18);
const QColor IvoryTop(0xff, 0xfe, 0xf6);
const QColor IvoryBottom(0xe4, 0xd8, 0xbc);
const QColor BlackTop(0x4a, 0x4a, 0x50);
const QColor BlackBottom(0x0c, 0x0c, 0x10);
const QColor BlackDetail(0xd0, 0xd0, 0xd0);
const QColor BlackRim(0xb8, 0xb8, 0xb8);

// Line weights in design units, never thinner than one device pixel.
qreal Weight(qreal units, int size) {
    return std::max(units, DesignSide / size);
}

QLinearGradient VerticalGradient(const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(0, 2, 0, DesignBaseLine);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

// Strokes `path` with a round-joined pen, keeping only what falls inside `clip`.
void StrokeInside(QPainter& painter, const QPainterPath& path, const QPainterPath& clip,
                  const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setClipPath(clip, Qt::IntersectClip);
    painter.strokePath(path, pen);
    painter.restore();
}

} // namespace

QImage PiecePainter::Render(int code, int size) const {
    QImage large(size * Supersample, size * Supersample, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter painter(&large);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size * Supersample / DesignSide, size * Supersample / DesignSide);
        if (IsWhiteCode(code)) {
            PaintWhite(painter, ShapeOfCode(code), size);
        } else {
            PaintBlack(painter, ShapeOfCode(code), size);
        }
    }
    return BoxDownsample(large, Supersample);
}

QColor PiecePainter::EdgeColour(int code) {
    return IsWhiteCode(code) ? WhiteOutline : BlackRim;
}

void PiecePainter::PaintWhite(QPainter& painter, PieceShape shape, int size) const {
    const PieceDesign design = DesignOf(shape, glyphs_);
    // Cut-out detail of the body stays dark.
    painter.fillPath(design.silhouette, WhiteOutline);
    painter.fillPath(design.body, VerticalGradient(IvoryTop, IvoryBottom));
    // An outline of even weight along the inside of the silhouette, then the inner lines.
    StrokeInside(painter, design.silhouette, design.silhouette, WhiteOutline,
                 2 * Weight(1.15, size));
    StrokeInside(painter, design.details, design.silhouette, WhiteOutline, Weight(1.0, size));
}

void PiecePainter::PaintBlack(QPainter& painter, PieceShape shape, int size) const {
    const PieceDesign design = DesignOf(shape, glyphs_);
    // A thin light rim just outside the body keeps a dark piece legible on a dark square.
    QPen rim(BlackRim, 2 * Weight(1.0, size));
    rim.setJoinStyle(Qt::RoundJoin);
    painter.strokePath(design.silhouette, rim);
    painter.fillPath(design.silhouette, BlackDetail);
    painter.fillPath(design.body, VerticalGradient(BlackTop, BlackBottom));
    StrokeInside(painter, design.details, design.silhouette, BlackDetail, Weight(0.9, size));
}

QImage BoxDownsample(const QImage& image, int factor) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(source.width() / factor, source.height() / factor,
                  QImage::Format_ARGB32_Premultiplied);
    const int area = factor * factor;
    for (int y = 0; y < result.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const auto* in =
                    reinterpret_cast<const QRgb*>(source.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb pixel = in[x * factor + dx];
                    sum[0] += qRed(pixel);
                    sum[1] += qGreen(pixel);
                    sum[2] += qBlue(pixel);
                    sum[3] += qAlpha(pixel);
                }
            }
            // Rounded averages; a premultiplied channel cannot exceed alpha after averaging.
            out[x] = qRgba((sum[0] + area / 2) / area, (sum[1] + area / 2) / area,
                           (sum[2] + area / 2) / area, (sum[3] + area / 2) / area);
        }
    }
    return result;
}

} // namespace quorrin::artwork
