// Quorrin: a chess board for two players at one computer.
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "GameApplication.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorrin::SetUpGameApplication();
    quorrin::EffectSoundPlayer sounds;
    quorrin::GAME window(sounds);
    window.show();
    return QApplication::exec();
}
