// Speed of keyboard play on a shown board with the focus: an arrow key until the cursor has
// moved and been painted, and a move made by keys (Space, Up, Up, Space) until its squares are
// drawn; also the 64 square names compared after each move while a screen reader listens.
#include "board/SpokenText.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

using quorrin::brdChessboard;

namespace {

// The game window's board: 51-pixel squares, shown, with the focus given by Tab.
struct FocusedBoard {
    FocusedBoard() {
        board.SetExtentTwips(6135, 6135);
        board.show();
        board.activateWindow();
        active = QTest::qWaitForWindowActive(&board);
        board.setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    brdChessboard board;
    bool active = false;
};

// One arrow key (right, then left, alternately) through the shortcut check to the board; the
// painted variant also lets Qt paint the window, the cursor's two squares included.
void KeyMovesCursor(benchmark::State& state, bool painted) {
    FocusedBoard shown;
    if (!shown.active || !shown.board.hasFocus()) {
        state.SkipWithError("the board's window is not active or the board has no focus");
        return;
    }
    bool right = true;
    for (auto _ : state) {
        QTest::keyClick(&shown.board, right ? Qt::Key_Right : Qt::Key_Left);
        right = !right;
        if (painted) {
            QCoreApplication::processEvents();
        }
    }
}
void BM_KeyMovesCursor(benchmark::State& state) {
    KeyMovesCursor(state, false);
}
BENCHMARK(BM_KeyMovesCursor)->Unit(benchmark::kMicrosecond);
void BM_KeyMovesCursorPainted(benchmark::State& state) {
    KeyMovesCursor(state, true);
}
BENCHMARK(BM_KeyMovesCursorPainted)->Unit(benchmark::kMicrosecond);

// e2-e4 by keys: pick-up, two steps, put-down with MovePiece and its redraws, then Qt's
// paint. The undo, and the cursor's way back to e2, are not timed.
void BM_MoveByKeys(benchmark::State& state) {
    FocusedBoard shown;
    for (auto _ : state) {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space}) {
            QTest::keyClick(&shown.board, key);
        }
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (shown.board.State().MoveHistory.size() != 1) {
            state.SkipWithError("the move by keys was not made");
            break;
        }
        shown.board.UndoLastMove();
        QTest::keyClick(&shown.board, Qt::Key_Down);
        QTest::keyClick(&shown.board, Qt::Key_Down);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MoveByKeys)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// What a move adds while a screen reader listens: every square's spoken name worked out and
// compared with the last one told.
void BM_SpokenNames(benchmark::State& state) {
    quorrin::ChessEngine engine;
    std::array<QString, 65> told;
    for (auto _ : state) {
        for (quorrin::SquareIndex k = 1; k <= 64; ++k) {
            QString name = quorrin::SquareSpokenName(engine.State(), k, 0);
            if (name != told[k]) {
                told[k] = std::move(name);
            }
        }
        benchmark::DoNotOptimize(told);
    }
}
BENCHMARK(BM_SpokenNames)->Unit(benchmark::kMicrosecond);

} // namespace
