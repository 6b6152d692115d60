// Pictures around the board: window background, program emblem, About box images.
#pragma once

#include "PieceGlyphs.h"

#include <QImage>
#include <QRawFont>
#include <QString>

namespace quorrin::artwork {

// The emblem's sizes for the desktop's icon theme (hicolor), besides the window icon's 32, 64
// and 256: each is drawn at its size, so that small ones stay sharp.
inline constexpr int ThemeIconSizes[] = {16, 22, 24, 48, 128, 512};

class Scenery {
public:
    explicit Scenery(const PieceGlyphs& glyphs) : glyphs_(glyphs) {}

    // The bold face used for button captions; false when the file cannot be read.
    bool LoadFont(const QString& boldFontFile);

    // 800 x 600, opaque: lavender-blue at the top fading to almost black at the bottom.
    QImage Background() const;
    // The program's emblem, a white knight on a small blue board, `size` pixels square with a
    // transparent surround.
    QImage Emblem(int size) const;
    // 222 x 79 units of `scale` pixels, opaque: a rounded "OK" button on white.
    QImage OkButton(int scale = 1) const;
    // 24 x 24 units of `scale` pixels, opaque, n = 1..7: one square of a board's first rank
    // with its white piece, so that the seven in a row read as a1 to g1.
    QImage Decoration(int n, int scale = 1) const;

private:
    const PieceGlyphs& glyphs_;
    QRawFont boldFont_;
};

} // namespace quorrin::artwork
