// Thousands of random presses, moves and releases on the board and random menu commands, with
// boxes and pop-ups answered at random; afterwards the window must agree with the game.
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

namespace {

std::string LayoutOf(const brdChessboard& board) {
    std::string layout;
    for (int square = 1; square <= 64; ++square) {
        const BoardSquare& record = board.State().Squares[square];
        layout += record.Occupied ? PieceCodes[record.Piece.Kind] : EmptyCode;
    }
    return layout;
}

// Where the piece on from may go, judged on a copy of the position without its history (so
// castling and en passant may be judged differently): it only steers the monkey.
std::vector<int> LikelyTargets(const brdChessboard& board, int from) {
    std::vector<int> targets;
    ChessEngine probe;
    for (int to = 1; to <= 64; ++to) {
        probe.NewGame(LayoutOf(board), board.State().WhitesTurn);
        if (probe.MovePiece(SquareIndexToName(from), SquareIndexToName(to))) {
            targets.push_back(to);
        }
    }
    return targets;
}

QImage Picture(const brdChessboard& board, int square) {
    return board.findChild<QWidget*>(QStringLiteral("picSquare%1").arg(square))->grab().toImage();
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IgnoreOffscreenPlatformWarnings(); }
    void randomPlayLeavesBoardAndListsInAgreement();

private:
    int Pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random_);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    void RandomCommand(GAME& window);

    std::mt19937 random_{20261206};
};

void MonkeyTest::RandomCommand(GAME& window) {
    const char* const actions[] = {"mnuGameNew",        "mnuBoardView",   "mnuBoardLock",
                                   "mnuBoardHighlight", "mnuActionsUndo", "mnuActionsUndo"};
    const int choice = Pick(8);
    if (choice < 6) {
        window.findChild<QAction*>(QLatin1String(actions[choice]))->trigger();
        return;
    }
    if (choice == 7) {
        window.findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))
            ->setText(QString::fromStdString(SquareIndexToName(1 + Pick(64)) +
                                             SquareIndexToName(1 + Pick(64))));
    }
    window
        .findChild<QPushButton*>(QLatin1String(choice == 6 ? "cmdTestStalemate" : "cmdMovePiece"))
        ->click();
}

void MonkeyTest::randomPlayLeavesBoardAndListsInAgreement() {
    EventLog log;
    RecordingSoundPlayer sounds(log);
    DialogAnswerer answerer(log);
    answerer.SetPopupPolicy([this](QMenu& menu) {
        return Chance(0.25) ? QString() : menu.actions()[Pick(menu.actions().size())]->text();
    });
    GAME window(sounds);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* board = window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    const auto* dragPoll = board->findChild<QTimer*>(QStringLiteral("tmrDrag"));
    const auto waitForDragEnd = [dragPoll] {
        QTRY_VERIFY_WITH_TIMEOUT(!dragPoll->isActive(), 3000);
    };
    QWindow* handle = window.windowHandle();
    const auto anywhere = [&] { return QPoint(Pick(window.width()), Pick(window.height())); };

    int movesMade = 0;
    int refusedOrigin = 0; // the square of a piece whose drop was refused
    for (int episode = 0; episode < 2500; ++episode) {
        if (Chance(0.04)) {
            RandomCommand(window);
            continue;
        }
        // Mostly a piece of the side to move that can go somewhere, after a refused drop
        // mostly the same piece again; sometimes a press anywhere.
        int from = 0;
        std::vector<int> targets;
        std::vector<int> own;
        for (int square = 1; square <= 64; ++square) {
            const BoardSquare& record = board->State().Squares[square];
            if (record.Occupied && record.Piece.IsWhite == board->State().WhitesTurn) {
                own.push_back(square);
            }
        }
        if (refusedOrigin != 0 && Chance(0.75)) {
            from = refusedOrigin;
            targets = LikelyTargets(*board, from);
        } else if (!own.empty() && Chance(0.8)) {
            for (int attempt = 0; attempt < 4 && targets.empty(); ++attempt) {
                from = own[Pick(own.size())];
                targets = LikelyTargets(*board, from);
            }
        }
        const Qt::MouseButton button = Chance(0.95) ? Qt::LeftButton : Qt::RightButton;
        const bool pickUp = from != 0 && button == Qt::LeftButton && !board->Locked();
        const auto historyBefore = board->State().MoveHistory.size();

        QTest::mousePress(handle, button, {},
                          from != 0 ? SquareCentreInWindow(*board, from) : anywhere());
        for (int step = Pick(4); step > 0; --step) {
            QTest::mouseMove(handle, anywhere());
        }
        if (Chance(0.01)) {
            QTest::qWait(110); // the drag tick sees the button still down
        }
        QPoint to = anywhere();
        if (!targets.empty() && Chance(0.85)) {
            to = SquareCentreInWindow(*board, targets[Pick(targets.size())]);
        } else if (Chance(0.9)) {
            to = SquareCentreInWindow(*board, 1 + Pick(64));
        }
        QTest::mouseRelease(handle, button, {}, to);
        if (Chance(0.02)) {
            QTest::qWait(110); // and up again
        }
        const bool moved = board->State().MoveHistory.size() > historyBefore;
        movesMade += moved ? 1 : 0;
        refusedOrigin = pickUp && !moved ? from : 0;
    }
    waitForDragEnd();
    qInfo("%d moves made, %lld boxes and pop-ups answered", movesMade,
          static_cast<long long>(log.filter(QRegularExpression("^(message|popup) ")).size()));
    QVERIFY(movesMade > 200);
    QCOMPARE(log.filter(QStringLiteral("odd message")), QStringList{});

    // Each list holds the moves made by its side.
    const EngineState& state = board->State();
    qsizetype whiteMoves = 0;
    for (const MoveRecord& record : state.MoveHistory) {
        whiteMoves += record.WhiteMoved ? 1 : 0;
    }
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstWhiteMoves"))->count(), whiteMoves);
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstBlackMoves"))->count(),
             state.MoveHistory.size() - whiteMoves);

    // A board freshly set up with the position draws every square alike, without the frame.
    board->setHighlightMove(false);
    brdChessboard reference;
    reference.setHighlightMove(false);
    reference.SetExtentTwips(board->ExtentWidthTwips(), board->ExtentHeightTwips());
    reference.setSideView(board->SideView());
    QVERIFY(reference.NewGame(QString::fromStdString(LayoutOf(*board)), state.WhitesTurn));
    for (int square = 1; square <= 64; ++square) {
        QVERIFY2(Picture(*board, square) == Picture(reference, square),
                 SquareIndexToName(square).c_str());
    }
}

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
