// Shared by the board's tests: a square found by its name as any host finds a child widget, and
// the picture a square should show, worked out pixel by pixel with plain bitwise operations.
#pragma once

#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QTest>

#include <map>
#include <optional>

namespace quorrin::test {

// The surface of the square with that name ("e4"): the child widget picSquare<index>.
inline SquareSurface* Surface(const brdChessboard& board, const char* name) {
    return board.findChild<SquareSurface*>(
        QStringLiteral("picSquare%1").arg(SquareNameToIndex(name)));
}

inline QImage Picture(const brdChessboard& board, const char* name) {
    return Surface(board, name)->Image();
}

// A picture drawn for a density (":/board/pieces-and@2x.png" at ratio 2), read once.
inline const QImage& Drawn(const QString& name, int ratio) {
    static std::map<std::pair<QString, int>, QImage> read;
    QImage& image = read[{name, ratio}];
    if (image.isNull()) {
        PieceArtwork::Shared(); // registers the resources
        const QString suffix = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
        image = QImage(QStringLiteral(":/board/%1%2.png").arg(name, suffix))
                    .convertToFormat(QImage::Format_RGB32);
    }
    return image;
}

// Background, a frame as wide as the ratio on the outermost pixels, then the piece cell drawn
// for that density ANDed and ORed in at offset.
inline QImage ExpectedSquare(QSize size, QRgb background, std::optional<QRgb> frame,
                             std::optional<int> piece, QPoint offset, int ratio = 1) {
    const QImage& andLayer = Drawn(QStringLiteral("pieces-and"), ratio);
    const QImage& orLayer = Drawn(QStringLiteral("pieces-or"), ratio);
    QImage image(size, QImage::Format_RGB32);
    const QRect inside = image.rect().adjusted(ratio, ratio, -ratio, -ratio);
    const int cell = andLayer.height();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            QRgb pixel = frame && !inside.contains(x, y) ? *frame : background;
            const QPoint at = QPoint(x, y) - offset;
            if (piece && at.x() >= 0 && at.x() < cell && at.y() >= 0 && at.y() < cell) {
                pixel = (pixel & andLayer.pixel(*piece * cell + at.x(), at.y())) |
                        orLayer.pixel(*piece * cell + at.x(), at.y());
            }
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

// What square k should show at a ratio: its colour (&H00BBGGRR, the top byte ignored), its
// piece centred and, when framed, the frame.
inline QImage ExpectedSquare(const brdChessboard& board, int k, bool framed, int ratio = 1) {
    const auto rgb = [](quint32 c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
    const BoardSquare& square = board.State().Squares[k];
    const int side = board.SquarePixels() * ratio;
    const int margin = (side - PieceArtwork::CellPixels * ratio) / 2;
    return ExpectedSquare(QSize(side, side),
                          rgb(square.IsDark ? board.DarkSquareColor() : board.LightSquareColor()),
                          framed ? std::optional(rgb(board.HighlightMoveColor())) : std::nullopt,
                          square.Occupied ? std::optional(square.Piece.Kind) : std::nullopt,
                          QPoint(margin, margin), ratio);
}

inline bool Shows(const brdChessboard& board, const char* name, bool framed) {
    return Picture(board, name) == ExpectedSquare(board, SquareNameToIndex(name), framed);
}

} // namespace quorrin::test
