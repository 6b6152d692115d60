// Saves a picture of the game window in the middle of a game: both move lists filled and the
// last move framed. Run it on a real display or under Xvfb:
//   game_screenshot docs/screenshot.png
#include "GAME.h"
#include "SoundPlayer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorrin-screenshot OUTPUT.png\n");
        return 2;
    }
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    // An Italian opening, typed into the window's own move box.
    auto* typedMove = window.findChild<QLineEdit*>(QStringLiteral("txtMovePiece"));
    auto* moveButton = window.findChild<QPushButton*>(QStringLiteral("cmdMovePiece"));
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6", "d2d3", "f8c5", "c2c3",
                             "d7d6", "b1d2", "a7a6"}) {
        typedMove->setText(QLatin1String(move));
        moveButton->click();
    }
    QTest::qWait(300);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
