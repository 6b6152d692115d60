// Quorrin: a chess board for two players at one computer.
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "GameApplication.h"
#include "ReadErrorText.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

// Prints text on standard error and returns the exit status of a bad command line.
int Refuse(const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorrin::SetUpGameApplication();

    QCommandLineParser options;
    options.setApplicationDescription(
        QApplication::translate("main", "A chess board for two players at one computer."));
    const QCommandLineOption helpOption = options.addHelpOption();
    const QCommandLineOption versionOption = options.addVersionOption();
    const QCommandLineOption timeControlOption(
        QStringLiteral("time-control"),
        QApplication::translate("main", "Plays with a clock: CONTROL as the PGN TimeControl tag "
                                        "writes it (-, 300, 180+2, 40/5400+30:1800+30), 300d5 "
                                        "for a simple delay, 300b5 for Bronstein."),
        QStringLiteral("CONTROL"));
    options.addOption(timeControlOption);
    options.addPositionalArgument(
        QStringLiteral("FILE"),
        QApplication::translate("main", "A game (PGN) or a position (a FEN line) to open."),
        QStringLiteral("[FILE]"));
    // parse, not process: a bad command line exits with 2, as programs on the command line do.
    if (!options.parse(QApplication::arguments())) {
        return Refuse(options.errorText() + QLatin1Char('\n') + options.helpText());
    }
    if (options.isSet(helpOption)) {
        options.showHelp(0);
    }
    if (options.isSet(versionOption)) {
        options.showVersion();
    }
    std::optional<quorrin::TimeControl> control;
    if (options.isSet(timeControlOption)) {
        const QString written = options.value(timeControlOption);
        const quorrin::ReadResult<quorrin::SideTimeControl> read =
            quorrin::ReadTimeControl(written.toStdString());
        if (!read) {
            return Refuse(QApplication::translate("main", "quorrin: bad --time-control '%1': %2")
                              .arg(written, quorrin::ReadErrorText(read.Error())));
        }
        control = quorrin::TimeControl{*read, *read};
    }

    quorrin::EffectSoundPlayer sounds;
    quorrin::GAME window(sounds);
    if (control) {
        window.SetTimeControl(*control);
    }
    window.show();
    // A file named wins over a game an interrupted run left, which stays in Recent Games.
    if (const QStringList files = options.positionalArguments(); !files.isEmpty()) {
        window.OpenFile(files.first());
    } else {
        window.RecoverInterruptedGame();
    }
    return QApplication::exec();
}
