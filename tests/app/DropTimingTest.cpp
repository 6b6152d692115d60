// How long a drop takes to reach the move list and the painted squares.
#include "GAME.h"
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

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

    // Knights out and back: every drop is a legal move.
    const char* const cycle[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    std::vector<double> toList;
    std::vector<double> toScreen;
    constexpr int Drops = 40;
    for (int i = 0; i < Drops; ++i) {
        const QPoint from = SquareCentreInWindow(*board, SquareNameToIndex(cycle[i % 4][0]));
        const QPoint to = SquareCentreInWindow(*board, SquareNameToIndex(cycle[i % 4][1]));
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(window.windowHandle(), to);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, to);
        toList.push_back(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents(); // the pending paints of the two squares
        toScreen.push_back(clock.nsecsElapsed() / 1e6);
        QCOMPARE(whiteList->count(), i / 2 + 1);
        QTest::qWait(110); // the drag timer's tick ends the drag
    }
    std::sort(toList.begin(), toList.end());
    std::sort(toScreen.begin(), toScreen.end());
    qInfo("drop to list entry: median %.3f ms, worst %.3f ms", toList[Drops / 2], toList.back());
    qInfo("drop to painted squares: median %.3f ms, worst %.3f ms", toScreen[Drops / 2],
          toScreen.back());
    QVERIFY(toScreen[Drops / 2] < 100.0); // generous: sanitizer builds are much slower
}

QTEST_MAIN(DropTimingTest)
#include "DropTimingTest.moc"
