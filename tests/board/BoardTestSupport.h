// Shared by the board's tests: access to the board's private parts, and the picture a square
// should show, worked out pixel by pixel with plain bitwise operations.
#pragma once

#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard_p.h"
#include "engine/Notation.h"

#include <QTimer>

#include <optional>

namespace quorrin {

class BoardTestAccess {
public:
    static SquareSurface* Surface(const brdChessboard& board, const char* name) {
        return brdChessboardPrivate::Of(board).picSquare_[SquareNameToIndex(name)];
    }
    static QTimer* DragTimer(const brdChessboard& board) {
        return brdChessboardPrivate::Of(board).tmrDrag_;
    }
    static void PickUp(brdChessboard& board, const char* name) {
        brdChessboardPrivate::Of(board).picSquare_MouseDown(SquareNameToIndex(name),
                                                            Qt::LeftButton);
    }
};

namespace test {

inline QImage Picture(const brdChessboard& board, const char* name) {
    return BoardTestAccess::Surface(board, name)->Image();
}

// Background, a frame frameWidth pixels wide on the outermost pixels, then the piece cell
// (as high as the layers) ANDed and ORed in at offset.
inline QImage ExpectedSquare(QSize size, QRgb background, std::optional<QRgb> frame,
                             std::optional<int> piece, QPoint offset, const QImage& andLayer,
                             const QImage& orLayer, int frameWidth) {
    QImage image(size, QImage::Format_RGB32);
    const QRect inside = image.rect().adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
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

// The same at normal density, with the board's own piece layers and a one-pixel frame.
inline QImage ExpectedSquare(QSize size, QRgb background, std::optional<QRgb> frame,
                             std::optional<int> piece, QPoint offset) {
    const auto artwork = PieceArtwork::Shared();
    return ExpectedSquare(size, background, frame, piece, offset, artwork->AndLayer(),
                          artwork->OrLayer(), 1);
}

// Whether a square shows its colour, its piece centred and, when framed, the frame.
inline bool Shows(const brdChessboard& board, const char* name, bool framed) {
    const BoardSquare& square = board.State().Squares[SquareNameToIndex(name)];
    const QImage picture = Picture(board, name);
    const QSize size = picture.size();
    const quint32 colour = square.IsDark ? board.DarkSquareColor() : board.LightSquareColor();
    return picture ==
           ExpectedSquare(size, SquareSurface::RgbOf(colour),
                          framed ? std::optional(SquareSurface::RgbOf(board.HighlightMoveColor()))
                                 : std::nullopt,
                          square.Occupied ? std::optional(square.Piece.Kind) : std::nullopt,
                          QPoint((size.width() - 32) / 2, (size.height() - 32) / 2));
}

} // namespace test
} // namespace quorrin
