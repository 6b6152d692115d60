// Thousands of random presses, moves and releases on the board and random menu commands, with
// boxes and pop-ups answered at random; the window must keep agreeing with the game.
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/Notation.h"
#include "tests/support/EngineChecks.h"

#include <QWindow>

#include <algorithm>
#include <random>
#include <vector>

using namespace quorrin;
using namespace quorrin::test;

namespace {

// Where the piece on from may go (nowhere unless it belongs to the side to move), judged on a copy
// of the position without its history (so castling and en passant may be judged differently): it
// only steers the monkey.
std::vector<int> LikelyTargets(const brdChessboard& board, int from) {
    std::vector<int> targets;
    ChessEngine probe;
    for (int to = 1; to <= 64 && board.State().Squares[from].Occupied; ++to) {
        probe.NewGame(testing::Board(board.State()), board.State().WhitesTurn);
        if (probe.MovePiece(SquareIndexToName(from), SquareIndexToName(to))) {
            targets.push_back(to);
        }
    }
    return targets;
}

QPoint CentreInWindow(const brdChessboard& board, int square) {
    const auto* widget = board.findChild<QWidget*>(QStringLiteral("picSquare%1").arg(square));
    return widget->mapTo(board.window(), widget->rect().center());
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomPlayKeepsBoardAndListsInAgreement();
};

void MonkeyTest::randomPlayKeepsBoardAndListsInAgreement() {
    std::mt19937 random(20261206);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random);
    };
    const auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };

    GameUnderTest game;
    // A random item or none, in promotion pop-ups and in menus opened by random clicks on the
    // bar alike; but never "Quit", which would take the window away from the monkey.
    game.PopupAnswer = [&](QMenu& menu) {
        const QString caption = menu.actions()[pick(menu.actions().size())]->text();
        return chance(0.25) || caption == QStringLiteral("Quit") ? QString() : caption;
    };
    game.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.Window));
    brdChessboard& board = game.Board;
    QWindow* handle = game.Window.windowHandle();
    const auto anywhere = [&] {
        return QPoint(pick(game.Window.width()), pick(game.Window.height()));
    };

    // Where the window parts from the game, once a drag has ended: each list should hold the
    // moves made by its side, and the board look like one freshly set up with its position
    // (without the frame of the last move).
    const auto* dragPoll = board.findChild<QTimer*>(QStringLiteral("tmrDrag"));
    const auto disagreement = [&]() -> QString {
        const auto& history = board.State().MoveHistory;
        const auto whiteMoves = std::count_if(
            history.begin(), history.end(), [](const MoveRecord& move) { return move.WhiteMoved; });
        const QStringList entries = game.Entries().split(' ');
        if (entries.indexOf("|") != whiteMoves || entries.size() - 1 != std::ssize(history)) {
            return QStringLiteral("move lists: ") + game.Entries();
        }
        const bool highlight = board.HighlightMove();
        board.setHighlightMove(false);
        brdChessboard reference;
        reference.setHighlightMove(false);
        reference.SetExtentTwips(board.ExtentWidthTwips(), board.ExtentHeightTwips());
        reference.setSideView(board.SideView());
        reference.NewGame(QString::fromStdString(testing::Board(board.State())),
                          board.State().WhitesTurn);
        const auto picture = [](brdChessboard& drawn) {
            return drawn.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const bool same = picture(board) == picture(reference);
        board.setHighlightMove(highlight);
        return same ? QString() : QStringLiteral("drawn board");
    };

    int movesMade = 0;
    int refusedOrigin = 0; // the square of a piece whose drop was refused
    for (int episode = 0; episode < 2500; ++episode) {
        if (episode % 100 == 99) {
            QTRY_VERIFY_WITH_TIMEOUT(!dragPoll->isActive(), 3000);
            QCOMPARE(disagreement(), QString());
        }
        if (chance(0.04)) {
            const char* const commands[] = {"mnuGameNew",        "mnuBoardView",   "mnuBoardLock",
                                            "mnuBoardHighlight", "mnuActionsUndo", "mnuActionsUndo",
                                            "cmdTestStalemate"};
            const int choice = pick(std::size(commands) + 1); // the last: a random typed move
            game.Run({choice < std::ssize(commands)
                          ? QString(commands[choice])
                          : QString::fromStdString(SquareIndexToName(1 + pick(64)) +
                                                   SquareIndexToName(1 + pick(64)))});
            continue;
        }
        // Mostly a piece of the side to move that can go somewhere, after a refused drop
        // mostly the same piece again; sometimes a press anywhere.
        int from = refusedOrigin != 0 && chance(0.75) ? refusedOrigin : 0;
        std::vector<int> targets = LikelyTargets(board, from);
        const bool search = from == 0 && chance(0.8);
        for (int attempt = 0; search && attempt < 16 && targets.empty(); ++attempt) {
            from = 1 + pick(64);
            targets = LikelyTargets(board, from);
        }
        const Qt::MouseButton button = chance(0.95) ? Qt::LeftButton : Qt::RightButton;
        const bool pickUp = !targets.empty() && button == Qt::LeftButton && !board.Locked();
        const auto historyBefore = board.State().MoveHistory.size();

        QTest::mousePress(handle, button, {}, from != 0 ? CentreInWindow(board, from) : anywhere());
        for (int step = pick(4); step > 0; --step) {
            QTest::mouseMove(handle, anywhere());
        }
        if (chance(0.01)) {
            QTest::qWait(110); // the drag tick sees the button still down
        }
        QPoint to = anywhere();
        if (!targets.empty() && chance(0.85)) {
            to = CentreInWindow(board, targets[pick(targets.size())]);
        } else if (chance(0.9)) {
            to = CentreInWindow(board, 1 + pick(64));
        }
        QTest::mouseRelease(handle, button, {}, to);
        if (chance(0.02)) {
            QTest::qWait(110); // and up again
        }
        const bool moved = board.State().MoveHistory.size() > historyBefore;
        movesMade += moved ? 1 : 0;
        refusedOrigin = pickUp && !moved ? from : 0;
    }
    qInfo("%d moves made, %lld boxes and pop-ups answered", movesMade,
          static_cast<long long>(game.Log.filter(QRegularExpression("^(message|popup) ")).size()));
    // About 400 when the machine is idle; the drags' timing varies with its load, so this only
    // makes sure that the monkey plays at all.
    QVERIFY(movesMade > 100);
    QCOMPARE(game.Log.filter(QRegularExpression("^odd ")), QStringList{});

    QTRY_VERIFY_WITH_TIMEOUT(!dragPoll->isActive(), 3000);
    QCOMPARE(disagreement(), QString());
}

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
