// Thousands of random presses, moves and releases on the board and random menu commands, with
// boxes and pop-ups answered at random; afterwards the window must still agree with the game.
#include "BoardDriving.h"
#include "GAME.h"
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <random>
#include <vector>

using namespace quorrin;
using namespace quorrin::test;

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IgnoreOffscreenPlatformWarnings(); }
    void randomPlayLeavesBoardAndListsInAgreement();

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    QPoint RandomPointIn(const QWidget& window);
    std::vector<int> LegalTargets(const brdChessboard& board, int from);
    void RandomMenuCommand(GAME& window);
    void CheckAgreement(GAME& window, brdChessboard& board);

    std::mt19937 random_{20261206};
};

namespace {

void WaitForDragToEnd(const brdChessboard& board) {
    const auto* poll = board.findChild<QTimer*>(QStringLiteral("tmrDrag"));
    for (int waited = 0; poll != nullptr && poll->isActive() && waited < 500; waited += 5) {
        QTest::qWait(5);
    }
}

} // namespace

QPoint MonkeyTest::RandomPointIn(const QWidget& window) {
    return {Pick(window.width()), Pick(window.height())};
}

// The squares the piece on from may move to, judged on a copy of the position (without its
// history, so castling and en passant may be judged differently: this only steers the
// monkey towards moves that are likely legal).
std::vector<int> MonkeyTest::LegalTargets(const brdChessboard& board, int from) {
    const std::string layout = LayoutOf(board).toStdString();
    const std::string fromName = SquareIndexToName(from);
    std::vector<int> targets;
    ChessEngine probe;
    for (int to = 1; to <= 64; ++to) {
        probe.NewGame(layout, board.State().WhitesTurn);
        if (probe.MovePiece(fromName, SquareIndexToName(to))) {
            targets.push_back(to);
        }
    }
    return targets;
}

void MonkeyTest::RandomMenuCommand(GAME& window) {
    static const char* const commands[] = {"mnuGameNew",        "mnuBoardView",   "mnuBoardLock",
                                           "mnuBoardHighlight", "mnuActionsUndo", "mnuActionsUndo"};
    const int choice = Pick(8);
    if (choice < 6) {
        window.findChild<QAction*>(QLatin1String(commands[choice]))->trigger();
    } else if (choice == 6) {
        window.findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->click();
    } else {
        const char files[] = "abcdefgh";
        const QString typed = QStringLiteral("%1%2%3%4")
                                  .arg(QLatin1Char(files[Pick(8)]))
                                  .arg(1 + Pick(8))
                                  .arg(QLatin1Char(files[Pick(8)]))
                                  .arg(1 + Pick(8));
        window.findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))->setText(typed);
        window.findChild<QPushButton*>(QStringLiteral("cmdMovePiece"))->click();
    }
}

void MonkeyTest::CheckAgreement(GAME& window, brdChessboard& board) {
    const EngineState& state = board.State();
    int whiteMoves = 0;
    int blackMoves = 0;
    for (const MoveRecord& record : state.MoveHistory) {
        ++(record.WhiteMoved ? whiteMoves : blackMoves);
    }
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstWhiteMoves"))->count(), whiteMoves);
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstBlackMoves"))->count(), blackMoves);

    // A board freshly set up with the same position and settings draws every square alike,
    // but for the last move's frame.
    brdChessboard reference;
    reference.setHighlightMove(false);
    reference.SetExtentTwips(board.ExtentWidthTwips(), board.ExtentHeightTwips());
    reference.setSideView(board.SideView());
    QVERIFY(reference.NewGame(LayoutOf(board), state.WhitesTurn));
    for (int square = 1; square <= 64; ++square) {
        const bool framed =
            board.HighlightMove() && (square == state.LastMoveFrom || square == state.LastMoveTo);
        if (!framed) {
            QVERIFY2(SquarePicture(board, square) == SquarePicture(reference, square),
                     qPrintable(QString::fromStdString(SquareIndexToName(square))));
        }
    }
    board.setHighlightMove(false);
    for (int square : {state.LastMoveFrom, state.LastMoveTo}) {
        if (square != 0) {
            QVERIFY2(SquarePicture(board, square) == SquarePicture(reference, square),
                     qPrintable(QString::fromStdString(SquareIndexToName(square))));
        }
    }
}

void MonkeyTest::randomPlayLeavesBoardAndListsInAgreement() {
    EventLog log;
    RecordingSoundPlayer sounds(log);
    DialogAnswerer answerer(log);
    answerer.SetPopupPolicy([this](QMenu& menu) {
        const QList<QAction*> items = menu.actions();
        return Chance(0.25) ? QString() : items[Pick(static_cast<int>(items.size()))]->text();
    });
    GAME window(sounds);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* board = window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    QWindow* handle = window.windowHandle();

    constexpr int Episodes = 2500;
    int movesMade = 0;
    int refusedOrigin = 0; // the square of a refused drop not yet redrawn
    int pacedPresses = 0;
    for (int episode = 0; episode < Episodes; ++episode) {
        if (Chance(0.04)) {
            RandomMenuCommand(window);
            continue;
        }
        // Mostly pick up a piece of the side to move; sometimes press anywhere.
        std::vector<int> ownPieces;
        for (int square = 1; square <= 64; ++square) {
            const BoardSquare& record = board->State().Squares[square];
            if (record.Occupied && record.Piece.IsWhite == board->State().WhitesTurn) {
                ownPieces.push_back(square);
            }
        }
        // Mostly a piece that can move, and after a refused drop mostly the same piece again.
        int fromSquare = 0;
        std::vector<int> targets;
        if (refusedOrigin != 0 && Chance(0.75)) {
            fromSquare = refusedOrigin;
            targets = LegalTargets(*board, fromSquare);
        } else if (!ownPieces.empty() && Chance(0.8)) {
            for (int attempt = 0; attempt < 4 && targets.empty(); ++attempt) {
                fromSquare = ownPieces[Pick(static_cast<int>(ownPieces.size()))];
                targets = LegalTargets(*board, fromSquare);
            }
        }
        const QPoint from =
            fromSquare != 0 ? SquareCentreInWindow(*board, fromSquare) : RandomPointIn(window);
        const Qt::MouseButton button = Chance(0.95) ? Qt::LeftButton : Qt::RightButton;
        // The board redraws a refused piece's square on its next drag tick, and only the
        // square of the latest pick-up: a second pick-up elsewhere before that tick would
        // leave the first square blank. Players are not that quick; wait for the tick.
        if (refusedOrigin != 0 && refusedOrigin != fromSquare) {
            WaitForDragToEnd(*board);
            ++pacedPresses;
        }
        refusedOrigin = 0;
        const auto historyBefore = board->State().MoveHistory.size();
        const bool pickUp = fromSquare != 0 && button == Qt::LeftButton && !board->Locked();
        QTest::mousePress(handle, button, {}, from);
        for (int step = Pick(4); step > 0; --step) {
            QTest::mouseMove(handle, RandomPointIn(window));
        }
        if (Chance(0.01)) {
            QTest::qWait(110); // let the drag timer see the button still down
        }
        QPoint to = RandomPointIn(window);
        if (!targets.empty() && Chance(0.85)) {
            to = SquareCentreInWindow(*board, targets[Pick(static_cast<int>(targets.size()))]);
        } else if (Chance(0.9)) {
            to = SquareCentreInWindow(*board, 1 + Pick(64));
        }
        QTest::mouseRelease(handle, button, {}, to);
        if (Chance(0.02)) {
            QTest::qWait(110); // and up again
        }
        const bool moved = board->State().MoveHistory.size() > historyBefore;
        movesMade += moved ? 1 : 0;
        if (pickUp && !moved) {
            refusedOrigin = fromSquare;
        }
    }
    QTest::qWait(250);
    qInfo("%d episodes, %d moves made, %d presses paced, %lld boxes and pop-ups answered", Episodes,
          movesMade, pacedPresses,
          static_cast<long long>(log.filter(QStringLiteral("message ")).size() +
                                 log.filter(QStringLiteral("popup ")).size()));
    QVERIFY(movesMade > 200);
    QCOMPARE(log.filter(QStringLiteral("odd message")), QStringList{});
    CheckAgreement(window, *board);
}

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
