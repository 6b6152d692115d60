// Renders the chess pieces in Quorrin's colours.
#pragma once

#include "PieceGlyphs.h"

#include <QColor>
#include <QImage>

class QPainter;

namespace quorrin::artwork {

class PiecePainter {
public:
    explicit PiecePainter(const PieceGlyphs& glyphs) : glyphs_(glyphs) {}

    // Piece code 0..11 drawn anti-aliased on a transparent square of `size` pixels, centred
    // across and standing on the common base line (two pixels above the bottom edge at 32
    // pixels). Format_ARGB32_Premultiplied.
    QImage Render(int code, int size) const;

    // The colour of the piece's outermost ring: where a pixel lies only partly inside the
    // piece and must nevertheless be drawn opaque, this is the colour it takes.
    static QColor EdgeColour(int code);

private:
    void PaintWhite(QPainter& painter, PieceShape shape, int size) const;
    void PaintBlack(QPainter& painter, PieceShape shape, int size) const;

    const PieceGlyphs& glyphs_;
};

// Shrinks an image by a whole factor, averaging each block of premultiplied pixels.
QImage BoxDownsample(const QImage& image, int factor);

} // namespace quorrin::artwork
