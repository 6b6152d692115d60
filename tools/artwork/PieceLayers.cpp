#include "PieceLayers.h"

#include <QPainter>

namespace quorrin::artwork {

namespace {

constexpr QRgb OpaqueWhite = 0xffffffff;
constexpr QRgb OpaqueBlack = 0xff000000;
constexpr int HalfCovered = 128;

// A partly covered premultiplied pixel laid over an opaque colour.
QRgb OverColour(QRgb premultiplied, const QColor& under) {
    const int uncovered = 255 - qAlpha(premultiplied);
    auto channel = [uncovered](int top, int bottom) {
        return top + (bottom * uncovered + 127) / 255;
    };
    return qRgb(channel(qRed(premultiplied), under.red()),
                channel(qGreen(premultiplied), under.green()),
                channel(qBlue(premultiplied), under.blue()));
}

} // namespace

QString ScaledName(const QString& name, int scale) {
    if (scale == 1) {
        return name;
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
}

PieceLayers SplitIntoLayers(const QList<QImage>& pieces, const QList<QColor>& edgeColours) {
    const int cell = pieces.isEmpty() ? CellSize : pieces[0].width();
    PieceLayers layers;
    layers.andLayer = QImage(cell * PieceCount, cell, QImage::Format_RGB32);
    layers.orLayer = QImage(cell * PieceCount, cell, QImage::Format_RGB32);
    layers.andLayer.fill(OpaqueWhite);
    layers.orLayer.fill(OpaqueBlack);

    for (int code = 0; code < PieceCount && code < pieces.size(); ++code) {
        const QImage piece = pieces[code].convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < cell; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
            auto* andLine = reinterpret_cast<QRgb*>(layers.andLayer.scanLine(y));
            auto* orLine = reinterpret_cast<QRgb*>(layers.orLayer.scanLine(y));
            for (int x = 0; x < cell; ++x) {
                if (qAlpha(in[x]) < HalfCovered) {
                    continue;
                }
                andLine[code * cell + x] = OpaqueBlack;
                orLine[code * cell + x] = OverColour(in[x], edgeColours.value(code));
            }
        }
    }
    return layers;
}

QString CheckLayers(const QImage& andLayer, const QImage& orLayer) {
    const QSize expected(andLayer.height() * PieceCount, andLayer.height());
    if (expected.isEmpty() || andLayer.size() != expected || orLayer.size() != expected) {
        return QStringLiteral("the layers must be %1 x %2 pixels")
            .arg(expected.width())
            .arg(expected.height());
    }
    if (andLayer.hasAlphaChannel() || orLayer.hasAlphaChannel()) {
        return QStringLiteral("the layers must be opaque, without an alpha channel");
    }
    const QImage andPixels = andLayer.convertToFormat(QImage::Format_RGB32);
    const QImage orPixels = orLayer.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        const auto* andLine = reinterpret_cast<const QRgb*>(andPixels.constScanLine(y));
        const auto* orLine = reinterpret_cast<const QRgb*>(orPixels.constScanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb mask = andLine[x] & RGB_MASK;
            if (mask != 0 && mask != RGB_MASK) {
                return QStringLiteral("AND layer pixel (%1, %2) is neither black nor white")
                    .arg(x)
                    .arg(y);
            }
            if (mask == RGB_MASK && (orLine[x] & RGB_MASK) != 0) {
                return QStringLiteral("OR layer pixel (%1, %2) is not black outside the piece")
                    .arg(x)
                    .arg(y);
            }
        }
    }
    return {};
}

QImage ComposeOnSquare(const PieceLayers& layers, int code, const QColor& square, int squareSize,
                       const QPoint& offset) {
    QImage result(squareSize, squareSize, QImage::Format_RGB32);
    result.fill(square);
    const int side = layers.andLayer.height();
    const QRect cell(code * side, 0, side, side);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(offset, layers.andLayer, cell);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(offset, layers.orLayer, cell);
    return result;
}

} // namespace quorrin::artwork
