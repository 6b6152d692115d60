// A move dropped by the mouse on the shown game window: from the release to its entry in the
// move list, and on to the painted squares. The sounds are silent. Offscreen by default; each
// benchmark takes some 4 s, most of it spent waiting for drag ticks.
#include "GAME.h"
#include "SoundPlayer.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"
#include "engine/Pgn.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using quorrin::brdChessboard;

QPoint SquareCentre(const brdChessboard& board, const char* name) {
    const auto* square = board.findChild<QWidget*>(
        QStringLiteral("picSquare%1").arg(quorrin::SquareNameToIndex(name)));
    return square->mapTo(board.window(), square->rect().center());
}

// Knights out and back, so that every drop is a legal move, from a new game every four drops.
// Timed: the release, and with paintSquares the paints it left pending. As in play, each drop
// waits (untimed) for the drag tick that ends it; drops in quicker succession measure faster.
void DropKnights(benchmark::State& state, bool paintSquares) {
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    const auto* board = window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    auto* newGame = window.findChild<QAction*>(QStringLiteral("mnuGameNew"));
    const auto* whiteList = window.findChild<QListWidget*>(QStringLiteral("lstWhiteMoves"));
    const auto* dragTimer = board->findChild<QTimer*>(QStringLiteral("tmrDrag"));
    const char* const cycle[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    for (int drop = 0; auto _ : state) {
        state.PauseTiming();
        if (drop == 0) {
            newGame->trigger();
        }
        const QPoint to = SquareCentre(*board, cycle[drop][1]);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {},
                          SquareCentre(*board, cycle[drop][0]));
        QTest::mouseMove(window.windowHandle(), to);
        state.ResumeTiming();
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, to);
        if (paintSquares) {
            QCoreApplication::processEvents();
        }
        state.PauseTiming();
        drop = (drop + 1) % 4;
        if (whiteList->count() != (drop == 0 ? 2 : (drop + 1) / 2)) {
            state.SkipWithError("a dropped move was not listed");
            break;
        }
        while (dragTimer->isActive()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.ResumeTiming();
    }
}

void BM_DropToListEntry(benchmark::State& state) {
    DropKnights(state, false);
}
BENCHMARK(BM_DropToListEntry)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_DropToPaintedSquares(benchmark::State& state) {
    DropKnights(state, true);
}
BENCHMARK(BM_DropToPaintedSquares)->Unit(benchmark::kMillisecond)->Iterations(40);

// A game of random legal moves, plies long, whose last move gives no check and ends nothing,
// as PGN.
std::string RandomGame(int plies) {
    for (std::mt19937 random(1);;) {
        quorrin::ChessEngine engine;
        while (static_cast<int>(engine.State().MoveHistory.size()) < plies) {
            const quorrin::MoveList moves = engine.LegalMoves();
            if (moves.empty()) {
                break;
            }
            engine.MakeMove(moves[random() % moves.size()]);
        }
        const std::string last = engine.MoveSan(engine.State().MoveHistory.size() - 1);
        if (static_cast<int>(engine.State().MoveHistory.size()) == plies &&
            last.find_first_of("+#") == std::string::npos &&
            quorrin::GameResult(engine) == std::string_view("*")) {
            return quorrin::WritePgn(engine, {});
        }
    }
}

// "Paste Game or Position" with a 300-ply game: read, checked in a fresh engine, replayed on
// the board with both lists filled.
void BM_PasteGame300(benchmark::State& state) {
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    window.show();
    QApplication::clipboard()->setText(QString::fromStdString(RandomGame(300)));
    auto* paste = window.findChild<QAction*>(QStringLiteral("mnuRecordPaste"));
    const auto* blackList = window.findChild<QListWidget*>(QStringLiteral("lstBlackMoves"));
    for (auto _ : state) {
        paste->trigger();
        QCoreApplication::processEvents();
    }
    if (blackList->count() != 150) {
        state.SkipWithError("the game was not loaded");
    }
}
BENCHMARK(BM_PasteGame300)->Unit(benchmark::kMillisecond)->Iterations(20);

// Looking back through a 300-ply game: from the command to the end of the board's paint, for
// the longest jumps (to the start, back to the end) and single steps back.
void BM_BrowseGame300(benchmark::State& state, const char* command) {
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    QApplication::clipboard()->setText(QString::fromStdString(RandomGame(300)));
    window.findChild<QAction*>(QStringLiteral("mnuRecordPaste"))->trigger();
    auto* step = window.findChild<QAction*>(QLatin1String(command));
    auto* toEnd = window.findChild<QAction*>(QStringLiteral("mnuReviewEnd"));
    auto* board = window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        step->trigger();
        board->repaint(); // the paint, now rather than at the next turn of the event loop
        state.PauseTiming();
        if (!board->ShownPlies() && command != std::string_view("mnuReviewEnd")) {
            state.SkipWithError("no earlier position shown");
            break;
        }
        // From the game's end each time, except for To End, which starts from the start.
        command == std::string_view("mnuReviewEnd")
            ? window.findChild<QAction*>(QStringLiteral("mnuReviewStart"))->trigger()
            : toEnd->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_BrowseGame300, ToStart, "mnuReviewStart")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);
BENCHMARK_CAPTURE(BM_BrowseGame300, ToEnd, "mnuReviewEnd")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);
BENCHMARK_CAPTURE(BM_BrowseGame300, Back, "mnuReviewBack")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);

} // namespace
