// Driving the game window's board with the mouse, as a player does, and reading it back.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

class QWidget;

namespace quorrin {
class brdChessboard;
}

namespace quorrin::test {

// The centre of square index 1..64 of the board, in the coordinates of the board's window.
QPoint SquareCentreInWindow(const brdChessboard& board, int square);

// Drags with the left button from one square to another through the board's window.
void DragPiece(brdChessboard& board, int from, int to);

// The layout string of the board's position (as NewGame takes it).
QString LayoutOf(const brdChessboard& board);

// The picture of each square (1..64) of the board as it is drawn now.
QImage SquarePicture(brdChessboard& board, int square);

} // namespace quorrin::test
