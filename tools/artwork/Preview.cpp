#include "Preview.h"

#include <QPainter>

namespace quorrin::artwork {

namespace {

// The board's squares at its design size, with the piece drawn at (9, 9).
constexpr int SquareSize = 51;
const QPoint PieceOffset(9, 9);
const QColor LightSquare(0xe0, 0xe0, 0xe0);
const QColor DarkSquare(0x80, 0x80, 0x80);

} // namespace

QImage PiecePreview(const PieceLayers& layers, const QList<QImage>& icons, int firstCode, int count,
                    int zoom) {
    const QList<QColor> squares = {LightSquare,
                                   DarkSquare,
                                   QColor(0xff, 0xff, 0xff),
                                   QColor(0x20, 0x20, 0x20),
                                   QColor(0x30, 0x60, 0xc0),
                                   QColor(0x60, 0x90, 0x50)};
    const int rows = static_cast<int>(squares.size()) + 1;
    QImage sheet(SquareSize * count, SquareSize * rows, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int row = 0; row < squares.size(); ++row) {
        for (int column = 0; column < count; ++column) {
            const QImage square =
                ComposeOnSquare(layers, firstCode + column, squares[row], SquareSize, PieceOffset);
            painter.drawImage(column * SquareSize, row * SquareSize, square);
        }
    }
    // The drag icons over a fine checkerboard, which shows any stray transparency.
    const int iconRow = static_cast<int>(squares.size()) * SquareSize;
    for (int y = 0; y < SquareSize; y += 4) {
        for (int x = 0; x < sheet.width(); x += 4) {
            painter.fillRect(x, iconRow + y, 4, 4, ((x + y) / 4) % 2 ? DarkSquare : LightSquare);
        }
    }
    for (int column = 0; column < count; ++column) {
        painter.drawImage(column * SquareSize + PieceOffset.x(), iconRow + PieceOffset.y(),
                          icons.value(firstCode + column));
    }
    painter.end();
    return sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage DetailPreview(const PieceLayers& layers, int firstCode, int count, int zoom) {
    constexpr int Margin = 2;
    constexpr int Side = CellSize + 2 * Margin;
    QImage sheet(Side * count, Side * 2, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int column = 0; column < count; ++column) {
        for (int row = 0; row < 2; ++row) {
            const QColor colour = row == 0 ? LightSquare : DarkSquare;
            painter.drawImage(
                column * Side, row * Side,
                ComposeOnSquare(layers, firstCode + column, colour, Side, QPoint(Margin, Margin)));
        }
    }
    painter.end();
    return sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage BoardPreview(const PieceLayers& layers) {
    // Codes of the start position, rank 8 first; -1 is an empty square.
    const int backRank[8] = {2, 3, 4, 1, 0, 4, 3, 2};
    QImage board(SquareSize * 8, SquareSize * 8, QImage::Format_RGB32);
    QPainter painter(&board);
    for (int row = 0; row < 8; ++row) {
        for (int file = 0; file < 8; ++file) {
            const QColor colour = (row + file) % 2 ? DarkSquare : LightSquare;
            int code = -1;
            if (row == 0 || row == 7) {
                code = backRank[file] + (row == 7 ? 6 : 0);
            } else if (row == 1 || row == 6) {
                code = row == 1 ? 5 : 11;
            }
            QImage square(SquareSize, SquareSize, QImage::Format_RGB32);
            square.fill(colour);
            if (code >= 0) {
                square = ComposeOnSquare(layers, code, colour, SquareSize, PieceOffset);
            }
            painter.drawImage(file * SquareSize, row * SquareSize, square);
        }
    }
    return board;
}

} // namespace quorrin::artwork
