// How long a drop takes to reach the move list and the redrawn squares.
#include "BoardDriving.h"
#include "GAME.h"
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <vector>

using namespace quorrin;
using namespace quorrin::test;

class DropTimingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IgnoreOffscreenPlatformWarnings(); }
    void dropReachesListAndSquaresQuickly();
};

void DropTimingTest::dropReachesListAndSquaresQuickly() {
    EventLog log;
    RecordingSoundPlayer sounds(log);
    GAME window(sounds);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* board = window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    auto* whiteList = window.findChild<QListWidget*>(QStringLiteral("lstWhiteMoves"));
    auto* blackList = window.findChild<QListWidget*>(QStringLiteral("lstBlackMoves"));
    QWindow* handle = window.windowHandle();

    // Knights out and back: a legal drop every time.
    const char* const cycle[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    std::vector<double> toList;
    std::vector<double> toScreen;
    constexpr int Drops = 40;
    for (int i = 0; i < Drops; ++i) {
        const auto& move = cycle[i % 4];
        const int from = SquareNameToIndex(move[0]);
        const int to = SquareNameToIndex(move[1]);
        const int entriesBefore = whiteList->count() + blackList->count();
        QTest::mousePress(handle, Qt::LeftButton, {}, SquareCentreInWindow(*board, from));
        QTest::mouseMove(handle, SquareCentreInWindow(*board, to));

        QElapsedTimer clock;
        clock.start();
        QTest::mouseRelease(handle, Qt::LeftButton, {}, SquareCentreInWindow(*board, to));
        QCOMPARE(whiteList->count() + blackList->count(), entriesBefore + 1);
        toList.push_back(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents(); // the pending paints of the two squares
        toScreen.push_back(clock.nsecsElapsed() / 1e6);
        QTest::qWait(110); // the drag timer's tick ends the drag
    }
    std::sort(toList.begin(), toList.end());
    std::sort(toScreen.begin(), toScreen.end());
    qInfo("drop to list entry: median %.3f ms, worst %.3f ms", toList[Drops / 2], toList.back());
    qInfo("drop to painted squares: median %.3f ms, worst %.3f ms", toScreen[Drops / 2],
          toScreen.back());
    // Generous: sanitizer builds are several times slower than the release build.
    QVERIFY(toScreen[Drops / 2] < 100.0);
}

QTEST_MAIN(DropTimingTest)
#include "DropTimingTest.moc"
