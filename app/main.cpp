// Quorrin: a chess board for two players at one computer.
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "StartupDiagnostics.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorrin"));
    QApplication::setApplicationVersion(QStringLiteral("1.5"));
    // Closing the game window by its frame leaves a still open About box running; the program
    // ends with its last window (or at once through "Quit").
    QApplication::setQuitOnLastWindowClosed(true);

    quorrin::EffectSoundPlayer sounds;
    quorrin::GAME window(sounds);
    quorrin::InstallStartupDiagnostics(window);
    window.show();
    return QApplication::exec();
}
