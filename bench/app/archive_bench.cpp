// Keeping a 300-ply game in an archive of 1,000 games: the whole write as the archive makes it
// (QSaveFile: a new file, its sync to the disk, the rename), the same replace without the sync,
// and what the window pays on the move path (the game's text made and handed to the writer).
#include "GAME.h"
#include "GameArchive.h"
#include "SoundPlayer.h"
#include "UserSettings.h"
#include "engine/ChessEngine.h"
#include "engine/Pgn.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

using quorrin::GameArchive;

constexpr int GamesInFolder = 1000;

// A game of random legal moves, 300 plies long, whose last move gives no check and ends nothing.
QByteArray Game300() {
    for (std::mt19937 random(1);;) {
        quorrin::ChessEngine engine;
        while (engine.State().MoveHistory.size() < 300) {
            const quorrin::MoveList moves = engine.LegalMoves();
            if (moves.empty()) {
                break;
            }
            engine.MakeMove(moves[random() % moves.size()]);
        }
        const std::string last = engine.MoveSan(engine.State().MoveHistory.size() - 1);
        if (engine.State().MoveHistory.size() == 300 &&
            last.find_first_of("+#") == std::string::npos &&
            quorrin::GameResult(engine) == std::string_view("*")) {
            return QByteArray::fromStdString(
                quorrin::WritePgn(engine, {{"White", "A"}, {"Black", "B"}}));
        }
    }
}

// The window's archive folder (under a private data folder) holding 1,000 games, and the
// player's limit raised above them so that nothing is pruned.
const QString& ArchiveOf1000() {
    static const QTemporaryDir home;
    static const QString folder = [] {
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        quorrin::UserSettings()->setValue(QStringLiteral("Archive/Keep"), 5 * GamesInFolder);
        const QString made = GameArchive::DefaultFolder();
        QDir().mkpath(made);
        const QByteArray text = Game300();
        for (int n = 0; n < GamesInFolder; ++n) {
            QFile file(
                QStringLiteral("%1/20240101-000%2-1-1.pgn").arg(made).arg(n, 6, 10, QChar('0')));
            file.open(QIODevice::WriteOnly);
            file.write(text);
        }
        return made;
    }();
    return folder;
}

bool Filled() {
    return QDir(ArchiveOf1000()).entryList({QStringLiteral("*.pgn")}).size() >= GamesInFolder;
}

// The archive's write, handed over and waited for: the new file, its sync and the rename.
void BM_ArchiveWrite300(benchmark::State& state) {
    GameArchive archive(ArchiveOf1000());
    const QByteArray text = Game300();
    for (auto _ : state) {
        archive.Write(text, true);
        archive.Flush();
    }
    if (!Filled() || !QFile::exists(archive.CurrentFile())) {
        state.SkipWithError("the game or the folder's games are missing");
    }
}
BENCHMARK(BM_ArchiveWrite300)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same replace (a new file renamed over the old) without the sync.
void BM_UnsyncedReplace300(benchmark::State& state) {
    const QString path = ArchiveOf1000() + QStringLiteral("/unsynced.pgn");
    const QString part = path + QStringLiteral(".part");
    const QByteArray text = Game300();
    for (auto _ : state) {
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            state.SkipWithError("cannot write");
            break;
        }
        file.close();
        std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData());
    }
}
BENCHMARK(BM_UnsyncedReplace300)->Unit(benchmark::kMillisecond)->Iterations(200);

// What a move waits for: the window's game as PGN, handed to the writer (whose writes are
// waited for outside the timing).
void BM_WindowArchiveGame300(benchmark::State& state) {
    ArchiveOf1000();
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    QApplication::clipboard()->setText(QString::fromLatin1(Game300()));
    window.findChild<QAction*>(QStringLiteral("mnuRecordPaste"))->trigger();
    auto* archive = window.findChild<GameArchive*>();
    for (auto _ : state) {
        window.ArchiveGame();
        state.PauseTiming();
        archive->Flush();
        state.ResumeTiming();
    }
    if (archive->CurrentFile().isEmpty() || !Filled()) {
        state.SkipWithError("the pasted game was not kept");
    }
}
BENCHMARK(BM_WindowArchiveGame300)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
