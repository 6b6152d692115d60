// Shared by the board's tests: a square found by its name as any host finds a child widget, and
// the picture a square should show, worked out pixel by pixel with plain bitwise operations.
#pragma once

#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QTest>

#include <cmath>

namespace quorrin::test {

// The surface of the square with that name ("e4"): the child widget picSquare<index>.
inline SquareSurface* Surface(const brdChessboard& board, const char* name) {
    return board.findChild<SquareSurface*>(
        QStringLiteral("picSquare%1").arg(SquareNameToIndex(name)));
}

// A picture drawn for a density (":/board/pieces-and@2x.png" at ratio 2).
inline QImage Drawn(const QString& name, int ratio) {
    PieceArtwork::Shared(); // registers the resources
    const QString suffix = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
    return QImage(QStringLiteral(":/board/%1%2.png").arg(name, suffix))
        .convertToFormat(QImage::Format_RGB32);
}

// What square k should show at a ratio: its colour (&H00BBGGRR, the top byte ignored), when
// framed a frame as wide as the ratio on the outermost pixels, and its piece: the cell drawn for
// that density ANDed and ORed in, centred (the extra pixel of an odd margin right and below).
// A hint: the pixels whose centres lie from inner to outer sides from the square's centre take
// the other square colour, under the piece.
inline QImage ExpectedSquare(const brdChessboard& board, int k, bool framed, int ratio = 1,
                             double inner = 0, double outer = 0) {
    const auto rgb = [](quint32 c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
    const QImage andLayer = Drawn(QStringLiteral("pieces-and"), ratio);
    const QImage orLayer = Drawn(QStringLiteral("pieces-or"), ratio);
    const BoardSquare& square = board.State().Squares[k];
    const int side = board.SquarePixels() * ratio, cell = andLayer.height();
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool edge = std::min({x, y, side - 1 - x, side - 1 - y}) < ratio;
            QRgb pixel = rgb(framed && edge  ? board.HighlightMoveColor()
                             : square.IsDark ? board.DarkSquareColor()
                                             : board.LightSquareColor());
            const double d = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0) / side;
            if (d >= inner && d < outer) {
                pixel = rgb(square.IsDark ? board.LightSquareColor() : board.DarkSquareColor());
            }
            const int u = x - (side - cell) / 2, v = y - (side - cell) / 2;
            if (square.Occupied && u >= 0 && u < cell && v >= 0 && v < cell) {
                const int at = square.Piece.Kind * cell + u;
                pixel = (pixel & andLayer.pixel(at, v)) | orLayer.pixel(at, v);
            }
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

inline bool Shows(const brdChessboard& board, const char* name, bool framed) {
    return Surface(board, name)->Image() == ExpectedSquare(board, SquareNameToIndex(name), framed);
}

} // namespace quorrin::test
