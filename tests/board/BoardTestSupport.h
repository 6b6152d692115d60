// Shared by the board's tests: a window into the board's private drawing and mouse handling,
// the picture a square should show worked out pixel by pixel, and position helpers.
#pragma once

#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

#include <QImage>
#include <QString>
#include <QTimer>

#include <initializer_list>
#include <optional>
#include <utility>

namespace quorrin {

class BoardTestAccess {
public:
    static SquareSurface* Surface(const brdChessboard& board, int k) { return board.picSquare_[k]; }
    static QTimer* DragTimer(const brdChessboard& board) { return board.tmrDrag_; }
    static void DrawSquare(brdChessboard& board, int k, bool showHighlight) {
        board.DrawSquare(static_cast<SquareIndex>(k), showHighlight);
    }
    static void MouseDown(brdChessboard& board, int k, Qt::MouseButton button) {
        board.picSquare_MouseDown(k, button);
    }
    static void Drop(brdChessboard& board, int k) { board.picSquare_DragDrop(k); }
    static void Tick(brdChessboard& board) { board.tmrDrag_Timer(); }
};

namespace test {

inline SquareSurface* Surface(const brdChessboard& board, const char* name) {
    return BoardTestAccess::Surface(board, SquareNameToIndex(name));
}

inline QImage Picture(const brdChessboard& board, const char* name) {
    return Surface(board, name)->Image();
}

// What a square must show, composed with plain bitwise operations on the layer pixels:
// background, one-pixel frame, then AND and OR of the piece cell placed at offset.
inline QImage ExpectedSquare(QSize size, QRgb background, std::optional<QRgb> frame,
                             std::optional<int> piece, QPoint offset) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool edge = x == 0 || y == 0 || x == size.width() - 1 || y == size.height() - 1;
            if (frame && edge) {
                image.setPixel(x, y, *frame);
            }
        }
    }
    if (piece) {
        const auto artwork = PieceArtwork::Shared();
        const int cell = PieceArtwork::CellPixels;
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                const QPoint at = offset + QPoint(x, y);
                if (!image.rect().contains(at)) {
                    continue;
                }
                const QRgb andBits = artwork->AndLayer().pixel(*piece * cell + x, y);
                const QRgb orBits = artwork->OrLayer().pixel(*piece * cell + x, y);
                image.setPixel(at, (image.pixel(at) & andBits) | orBits);
            }
        }
    }
    return image;
}

// The picture of a square as the board's position and colours say it should be.
inline QImage ExpectedSquare(const brdChessboard& board, const char* name, bool framed) {
    const BoardSquare& square = board.State().Squares[SquareNameToIndex(name)];
    const quint32 colour = square.IsDark ? board.DarkSquareColor() : board.LightSquareColor();
    std::optional<int> piece;
    if (square.Occupied) {
        piece = square.Piece.Kind;
    }
    std::optional<QRgb> frame;
    if (framed) {
        frame = SquareSurface::RgbOf(board.HighlightMoveColor());
    }
    const QSize size = Surface(board, name)->Image().size();
    const QPoint centred((size.width() - 32) / 2, (size.height() - 32) / 2);
    return ExpectedSquare(size, SquareSurface::RgbOf(colour), frame, piece, centred);
}

// A layout string with the given pieces ("e1", "WK") on an otherwise empty board.
inline QString Layout(std::initializer_list<std::pair<const char*, const char*>> pieces) {
    QString layout(128, QLatin1Char('X'));
    for (const auto& [square, code] : pieces) {
        layout.replace(2 * (SquareNameToIndex(square) - 1), 2, QLatin1String(code));
    }
    return layout;
}

} // namespace test
} // namespace quorrin
