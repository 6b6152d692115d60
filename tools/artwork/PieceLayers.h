// The two opaque pictures that the board combines to draw a piece on a square:
// square AND andLayer, then OR orLayer.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace quorrin::artwork {

constexpr int CellSize = 32;
constexpr int PieceCount = 12;

// The densities the pieces are drawn at: 1 for normal screens, 2 and 3 for high-density ones,
// where a cell has CellSize * scale pixels.
constexpr int Scales[] = {1, 2, 3};

// A picture's file name at a density: "pieces-and.png" at scale 2 is "pieces-and@2x.png", the
// name under which Qt's own image look-up finds the sharper picture too.
QString ScaledName(const QString& name, int scale);

struct PieceLayers {
    QImage andLayer; // Format_RGB32: white where the square shows, black inside each piece
    QImage orLayer;  // Format_RGB32: black where the square shows, the piece's colours inside
};

// Splits anti-aliased pieces (one square image per code, premultiplied ARGB, all of one size)
// into the two layers, cell n at x = n * that size. A pixel at least half covered by a piece
// belongs to it and becomes opaque: its partial colour is laid over edgeColours[n]. Every other
// pixel is left to the square, so the result has hard edges and is exact on any square colour.
PieceLayers SplitIntoLayers(const QList<QImage>& pieces, const QList<QColor>& edgeColours);

// Empty when the layers obey the composition rule; otherwise what is wrong with them.
// The rule: both layers are PieceCount square cells wide and one cell high (a cell as high as
// the layers), neither has an alpha
// channel, the AND layer holds only pure black and pure white, and the OR layer is black
// wherever the AND layer is white.
QString CheckLayers(const QImage& andLayer, const QImage& orLayer);

// Draws piece `code` on a square of one colour exactly as the board does: AND with the AND
// layer's cell, then OR with the OR layer's cell, at `offset`.
QImage ComposeOnSquare(const PieceLayers& layers, int code, const QColor& square, int squareSize,
                       const QPoint& offset);

} // namespace quorrin::artwork
