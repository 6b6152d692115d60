// Renders two boards side by side into a PNG: the start position, and the position after
// e2-e4 with its last-move frame. Run it on a real display (or Xvfb) to refresh the picture
// in docs/: board_screenshot docs/board.png
#include "board/brdChessboard.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <cstdio>

using quorrin::brdChessboard;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: board_screenshot <output.png>\n");
        return 2;
    }

    constexpr int Margin = 16;
    constexpr int CaptionHeight = 24;
    QWidget sheet;
    QPalette palette = sheet.palette();
    palette.setColor(QPalette::Window, Qt::white);
    sheet.setPalette(palette);
    sheet.setAutoFillBackground(true);

    const auto place = [&](int column, const QString& caption) {
        auto* board = new brdChessboard(&sheet);
        board->setObjectName(QStringLiteral("brdChessboard%1").arg(column + 1));
        board->SetExtentTwips(6135, 6135); // the game window's board
        const int left = Margin + column * (board->width() + Margin);
        board->move(left, Margin);
        auto* label = new QLabel(caption, &sheet);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(left, Margin + board->height(), board->width(), CaptionHeight);
        return board;
    };
    place(0, QStringLiteral("Start position"));
    brdChessboard* afterMove = place(1, QStringLiteral("After e2-e4"));
    afterMove->MovePiece(QStringLiteral("e2"), QStringLiteral("e4"));

    sheet.resize(Margin + 2 * (afterMove->width() + Margin),
                 Margin + afterMove->height() + CaptionHeight + Margin / 2);
    sheet.show();
    QApplication::processEvents();
    if (!sheet.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
