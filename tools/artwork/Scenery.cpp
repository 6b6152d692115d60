#include "Scenery.h"

#include "PiecePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quorrin::artwork {

namespace {

const QColor Lavender(0xa6, 0xaa, 0xec);
const QColor Twilight(0x4a, 0x4e, 0x9a);
const QColor NearBlack(0x08, 0x08, 0x10);
const QColor Ivory(0xff, 0xfe, 0xf6);
const QColor IvoryShade(0xe4, 0xd8, 0xbc);
const QColor Ink(0x1c, 0x1a, 0x18);
const QColor LightSquare(0xe0, 0xe0, 0xe0);
const QColor DarkSquare(0x80, 0x80, 0x80);

// Small images are drawn larger and averaged down for smooth edges.
constexpr int Supersample = 4;

int Channel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// Runs `draw` on a transparent width x height picture (in units of `scale` pixels), drawn
// larger and averaged down.
template <typename Draw> QImage Smooth(int width, int height, int scale, Draw draw) {
    QImage large(width * scale * Supersample, height * scale * Supersample,
                 QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    QPainter painter(&large);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(Supersample * scale, Supersample * scale);
    draw(painter);
    painter.end();
    return BoxDownsample(large, Supersample);
}

QImage OnWhite(const QImage& picture) {
    QImage result(picture.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return result;
}

} // namespace

bool Scenery::LoadFont(const QString& boldFontFile) {
    boldFont_ = QRawFont(boldFontFile, 100.0);
    return boldFont_.isValid();
}

QImage Scenery::Background() const {
    constexpr int Width = 800;
    constexpr int Height = 600;
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        // A quadratic blend from Lavender to NearBlack that passes through Twilight halfway
        // down: blue rather than grey in the middle, and free of any visible kink. The fall
        // spans about 200 levels over 600 rows, too gentle for 8-bit steps to show as bands.
        const double t = y / double(Height - 1);
        auto level = [t](int top, int middle, int bottom) {
            const double control = 2.0 * middle - 0.5 * (top + bottom);
            return (1 - t) * (1 - t) * top + 2 * t * (1 - t) * control + t * t * bottom;
        };
        const double red = level(Lavender.red(), Twilight.red(), NearBlack.red());
        const double green = level(Lavender.green(), Twilight.green(), NearBlack.green());
        const double blue = level(Lavender.blue(), Twilight.blue(), NearBlack.blue());

        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            // A gentle darkening towards the left and right edges.
            const double across = (x - Width / 2.0) / (Width / 2.0);
            const double shade = 1.0 - 0.10 * across * across;
            line[x] = qRgb(Channel(red * shade), Channel(green * shade), Channel(blue * shade));
        }
    }
    return image;
}

QImage Scenery::Emblem(int size) const {
    return Smooth(size, size, 1, [&](QPainter& painter) {
        const qreal unit = size / 32.0;
        const QRectF tile(unit * 0.5, unit * 0.5, size - unit, size - unit);
        QPainterPath outline;
        outline.addRoundedRect(tile, unit * 6, unit * 6);

        QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
        sky.setColorAt(0, Lavender);
        sky.setColorAt(1, QColor(0x24, 0x28, 0x6a));
        painter.fillPath(outline, sky);

        // A faint 4 x 4 board behind the knight.
        painter.save();
        painter.setClipPath(outline);
        const qreal step = tile.width() / 4;
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                if ((row + column) % 2) {
                    painter.fillRect(
                        QRectF(tile.left() + column * step, tile.top() + row * step, step, step),
                        QColor(255, 255, 255, 40));
                }
            }
        }
        painter.restore();
        painter.strokePath(outline, QPen(QColor(0x14, 0x16, 0x3c), unit));

        const QPointF base(size / 2.0 + unit * 0.5, size - unit * 3.5);
        const qreal height = unit * 25;
        const QPainterPath hollow = glyphs_.Hollow(PieceShape::Knight, base, height);
        const QPainterPath body = FilledSilhouette(glyphs_.Solid(PieceShape::Knight, base, height))
                                      .united(FilledSilhouette(hollow));
        QLinearGradient ivory(0, base.y() - height, 0, base.y());
        ivory.setColorAt(0, Ivory);
        ivory.setColorAt(1, IvoryShade);
        painter.fillPath(body, ivory);
        painter.fillPath(hollow, Ink);
    });
}

QImage Scenery::OkButton(int scale) const {
    constexpr int Width = 222;
    constexpr int Height = 79;
    const QImage button = Smooth(Width, Height, scale, [&](QPainter& painter) {
        const QRectF face(6, 5, Width - 12, Height - 13);
        const qreal radius = 16;

        // A soft shadow: a few widening, fading copies of the face below it.
        for (int ring = 4; ring >= 1; --ring) {
            QPainterPath shadow;
            shadow.addRoundedRect(face.translated(0, 3).adjusted(-ring, -ring, ring, ring),
                                  radius + ring, radius + ring);
            painter.fillPath(shadow, QColor(0x20, 0x22, 0x50, 14));
        }

        QPainterPath shape;
        shape.addRoundedRect(face, radius, radius);
        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, QColor(0x9c, 0xa2, 0xee));
        fill.setColorAt(1, QColor(0x3c, 0x42, 0xa0));
        painter.fillPath(shape, fill);

        // A gloss over the upper half.
        QPainterPath gloss;
        gloss.addRoundedRect(face.adjusted(3, 2, -3, -face.height() / 2), radius - 3, radius - 3);
        QLinearGradient shine(face.topLeft(), QPointF(face.left(), face.center().y()));
        shine.setColorAt(0, QColor(255, 255, 255, 110));
        shine.setColorAt(1, QColor(255, 255, 255, 10));
        painter.fillPath(gloss, shine);
        painter.strokePath(shape, QPen(QColor(0x26, 0x2a, 0x70), 1.2));

        // The caption, centred on the face by its own outline.
        QRawFont font = boldFont_;
        font.setPixelSize(36);
        const QList<quint32> glyphIndexes = font.glyphIndexesForString(QStringLiteral("OK"));
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphIndexes);
        QPainterPath caption;
        QPointF pen;
        for (int i = 0; i < glyphIndexes.size(); ++i) {
            caption.addPath(font.pathForGlyph(glyphIndexes[i]).translated(pen));
            pen += advances[i];
        }
        const QRectF bounds = caption.boundingRect();
        caption.translate(face.center() - bounds.center());
        painter.fillPath(caption.translated(0, 1.5), QColor(0x1a, 0x1c, 0x50, 150));
        painter.fillPath(caption, Qt::white);
    });
    return OnWhite(button);
}

QImage Scenery::Decoration(int n, int scale) const {
    constexpr int Size = 24;
    // White's first rank from a1 to g1: rook, knight, bishop, queen, king, bishop, knight.
    constexpr int Codes[7] = {8, 9, 10, 7, 6, 10, 9};
    const int index = std::clamp(n, 1, 7) - 1;
    const QColor square = index % 2 == 0 ? DarkSquare : LightSquare; // a1 is dark

    const QImage tile = Smooth(Size, Size, scale, [&](QPainter& painter) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(0.5, 0.5, Size - 1, Size - 1), 3, 3);
        painter.fillPath(shape, square);
    });
    QImage result = OnWhite(tile);
    QPainter painter(&result);
    painter.drawImage(0, 0, PiecePainter(glyphs_).Render(Codes[index], Size * scale));
    return result;
}

} // namespace quorrin::artwork
