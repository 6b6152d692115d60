// Speed of drawing the board: a whole-board repaint, a move made and taken back on a shown
// board, a move dropped by the mouse from pick-up to the tick that ends the drag, and the
// pictures recomposed per move of a game.
// board_bench_2x runs the same at device pixel ratio 2.
// Offscreen by default; run it under X11 (xvfb-run) to include the pointer grab's round trips.
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <utility>

using quorrin::brdChessboard;
using quorrin::SquareSurface;

#ifdef QUORRIN_BENCH_SCALE_FACTOR
// This build draws at a device pixel ratio above 1, as on a high-density screen. Qt reads the
// factor when the application starts, which is after this.
static const bool ScaleFactorSet = qputenv("QT_SCALE_FACTOR", QUORRIN_BENCH_SCALE_FACTOR);
#endif

namespace {

// The game window's board: 6135 twips, 51-pixel squares, shown.
struct ShownBoard {
    ShownBoard() {
        board.SetExtentTwips(6135, 6135);
        board.show();
        QCoreApplication::processEvents();
    }
    brdChessboard board;
};

// Every square recomposed: both square colours change, each write repaints the board; with
// painted, each recomposed board is also painted by Qt into the window's backing store.
void RepaintWholeBoard(benchmark::State& state, bool painted) {
    ShownBoard shown;
    quint32 shade = 0;
    for (auto _ : state) {
        shade ^= 0x00010101;
        shown.board.setDarkSquareColor(0x00808080 ^ shade);
        shown.board.setLightSquareColor(0x00E0E0E0 ^ shade);
        if (painted) {
            shown.board.repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * 64);
    state.counters["ratio"] = shown.board.devicePixelRatioF();
}

void BM_RepaintWholeBoard(benchmark::State& state) {
    RepaintWholeBoard(state, false);
}
BENCHMARK(BM_RepaintWholeBoard)->Unit(benchmark::kMicrosecond);

void BM_RepaintWholeBoardPainted(benchmark::State& state) {
    RepaintWholeBoard(state, true);
}
BENCHMARK(BM_RepaintWholeBoardPainted)->Unit(benchmark::kMicrosecond);

// A repaint that finds every square already showing what it should: a square colour written
// again with its own value.
void BM_RepaintUnchangedBoard(benchmark::State& state) {
    ShownBoard shown;
    const quint32 dark = shown.board.DarkSquareColor();
    for (auto _ : state) {
        shown.board.setDarkSquareColor(dark);
    }
}
BENCHMARK(BM_RepaintUnchangedBoard)->Unit(benchmark::kMicrosecond);

void BM_MoveAndUndo(benchmark::State& state) {
    ShownBoard shown;
    const QString from = QStringLiteral("e2");
    const QString to = QStringLiteral("e4");
    for (auto _ : state) {
        shown.board.MovePiece(from, to);
        shown.board.UndoLastMove();
    }
}
BENCHMARK(BM_MoveAndUndo)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Pick-up on e2 (square cleared, pointer set, mouse grabbed), release over e4 (pointer back,
// MovePiece with its redraws), then the tick of tmrDrag that redraws e2. The events go to the
// squares themselves, without Qt's event loop and painting. The undo is not timed.
void BM_DroppedMove(benchmark::State& state) {
    ShownBoard shown;
    auto* e2 = shown.board.findChild<SquareSurface*>(QStringLiteral("picSquare53"));
    auto* e4 = shown.board.findChild<SquareSurface*>(QStringLiteral("picSquare37"));
    auto* tmrDrag = shown.board.findChild<QTimer*>(QStringLiteral("tmrDrag"));
    for (auto _ : state) {
        QTest::mousePress(e2, Qt::LeftButton);
        QTest::mouseRelease(e4, Qt::LeftButton);
        QMetaObject::invokeMethod(tmrDrag, "timeout");
        state.PauseTiming();
        if (shown.board.State().MoveHistory.size() != 1 || tmrDrag->isActive()) {
            state.SkipWithError("the dropped move was not made, or its drag did not end");
            break;
        }
        shown.board.UndoLastMove();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DroppedMove)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Pictures recomposed per move over a game with captures, castling on both sides and an en
// passant capture: the moves made by MovePiece (range 1 = 0), or dropped with the mouse from
// pick-up to the tick that ends the drag (1); the board's Coordinates and ShowLegalMoves off
// (range 0 = 0) or on. Counters: the average and the most per move.
void BM_RedrawsPerMove(benchmark::State& state) {
    ShownBoard shown;
    const bool options = state.range(0) != 0, dropped = state.range(1) != 0;
    shown.board.setCoordinates(options);
    shown.board.setShowLegalMoves(options);
    const QStringList game = QStringLiteral("e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6 d2d4 e5d4 "
                                            "e4e5 d7d5 e5d6 d8d6 f1e1 c8e6 c4e6 f7e6 f3g5 e8g8")
                                 .split(' ');
    auto* tmrDrag = shown.board.findChild<QTimer*>(QStringLiteral("tmrDrag"));
    const auto surface = [&](const QString& name) {
        return shown.board.findChild<SquareSurface*>(
            QStringLiteral("picSquare%1").arg(quorrin::SquareNameToIndex(name.toStdString())));
    };
    std::array<qint64, 65> keys{};
    // The pictures changed since the last call.
    const auto changed = [&] {
        int count = 0;
        for (int k = 1; k <= 64; ++k) {
            const qint64 key =
                surface(QString::fromStdString(quorrin::SquareIndexToName(k)))->Image().cacheKey();
            count += std::exchange(keys[k], key) != key ? 1 : 0;
        }
        return count;
    };
    int total = 0, most = 0;
    for (auto _ : state) {
        shown.board.NewGame();
        changed();
        for (const QString& move : game) {
            int redraws = 0;
            if (dropped) {
                QTest::mousePress(surface(move.left(2)), Qt::LeftButton);
                redraws += changed();
                QTest::mouseRelease(surface(move.mid(2)), Qt::LeftButton);
                redraws += changed();
                QMetaObject::invokeMethod(tmrDrag, "timeout");
            } else {
                shown.board.MovePiece(move.left(2), move.mid(2));
            }
            redraws += changed();
            total += redraws;
            most = std::max(most, redraws);
        }
        if (shown.board.State().MoveHistory.size() != std::size_t(game.size())) {
            state.SkipWithError("a move of the game was not made");
            break;
        }
    }
    state.counters["redraws_avg"] = double(total) / (double(state.iterations()) * game.size());
    state.counters["redraws_max"] = most;
}
BENCHMARK(BM_RedrawsPerMove)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace
