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

// Background, a frame on the outermost pixels, then the piece cell ANDed and ORed in at offset.
inline QImage ExpectedSquare(QSize size, QRgb background, std::optional<QRgb> frame,
                             std::optional<int> piece, QPoint offset) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    for (int i = 0; frame && i < size.width(); ++i) {
        for (const QPoint edge : {QPoint(i, 0), QPoint(i, size.height() - 1), QPoint(0, i),
                                  QPoint(size.width() - 1, i)}) {
            image.setPixel(edge, *frame);
        }
    }
    const auto artwork = PieceArtwork::Shared();
    for (int y = 0; piece && y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QPoint at = offset + QPoint(x, y);
            if (image.rect().contains(at)) {
                image.setPixel(at,
                               (image.pixel(at) & artwork->AndLayer().pixel(*piece * 32 + x, y)) |
                                   artwork->OrLayer().pixel(*piece * 32 + x, y));
            }
        }
    }
    return image;
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
