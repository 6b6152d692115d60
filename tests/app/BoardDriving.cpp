#include "BoardDriving.h"

#include "board/brdChessboard.h"

#include <QTest>
#include <QWindow>

namespace quorrin::test {

namespace {

QWidget* SquareWidget(const brdChessboard& board, int square) {
    auto* widget = board.findChild<QWidget*>(QStringLiteral("picSquare%1").arg(square));
    if (widget == nullptr) {
        qFatal("the board has no square surface %d", square);
    }
    return widget;
}

} // namespace

QPoint SquareCentreInWindow(const brdChessboard& board, int square) {
    const QWidget* widget = SquareWidget(board, square);
    return widget->mapTo(board.window(), widget->rect().center());
}

void DragPiece(brdChessboard& board, int from, int to) {
    QWindow* window = board.window()->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, SquareCentreInWindow(board, from));
    QTest::mouseMove(window, SquareCentreInWindow(board, to));
    QTest::mouseRelease(window, Qt::LeftButton, {}, SquareCentreInWindow(board, to));
}

QString LayoutOf(const brdChessboard& board) {
    QString layout;
    for (int square = 1; square <= 64; ++square) {
        const BoardSquare& record = board.State().Squares[square];
        const std::string_view code =
            record.Occupied ? PieceCodes[static_cast<std::size_t>(record.Piece.Kind)] : EmptyCode;
        layout += QLatin1String(code.data(), static_cast<qsizetype>(code.size()));
    }
    return layout;
}

QImage SquarePicture(brdChessboard& board, int square) {
    return SquareWidget(board, square)->grab().toImage();
}

} // namespace quorrin::test
