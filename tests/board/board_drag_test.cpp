// Dragging pieces with the mouse: pick-up, carrying, drop, and the poll that ends a drag.
#include "BoardTestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace quorrin;

namespace {

// A board shown on its own at 51-pixel squares, driven through its window as a pointer is.
struct ShownBoard {
    ShownBoard() {
        board.SetExtentTwips(6135, 6135);
        board.show();
        exposed = QTest::qWaitForWindowExposed(&board);
    }
    QPoint Centre(const char* name) {
        return BoardTestAccess::Surface(board, name)->geometry().center();
    }
    void Press(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(board.windowHandle(), button, {}, Centre(name));
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(board.windowHandle(), at);
        QTest::mouseRelease(board.windowHandle(), button, {}, at);
    }
    void Drag(const char* from, const char* to) {
        Press(from);
        Release(Centre(to));
    }
    bool Carrying() const { return BoardTestAccess::DragTimer(board)->isActive(); }
    // The tick that finds the button up ends the drag within about 100 ms.
    bool DragEnds() {
        return QTest::qWaitFor([this] { return !Carrying(); }, 1000);
    }
    std::size_t Moves() const { return board.State().MoveHistory.size(); }

    brdChessboard board;
    bool exposed = false;
};

bool PointerIsNormal() {
    return QApplication::overrideCursor() == nullptr && QWidget::mouseGrabber() == nullptr;
}

} // namespace

class BoardDragTest : public QObject {
    Q_OBJECT

private slots:
    void completedDrags();
    void dragsThatMakeNoMove_data();
    void dragsThatMakeNoMove();
    void promotionByDragWithABusyHost();
};

void BoardDragTest::completedDrags() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QSignalSpy moves(&shown.board, &brdChessboard::PieceMovement);
    shown.Press("e2");
    // The square shows empty, the position is unchanged, the pointer carries the pawn's icon.
    QVERIFY(shown.Carrying());
    QCOMPARE(test::Picture(shown.board, "e2"),
             test::ExpectedSquare(QSize(51, 51), qRgb(0xE0, 0xE0, 0xE0), {}, {}, {}));
    QVERIFY(shown.board.State().Squares[SquareNameToIndex("e2")].Occupied);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->pixmap().toImage(),
             PieceArtwork::Shared()->Icon(WhitePawn).toImage());
    QCOMPARE(QWidget::mouseGrabber(), &shown.board);

    shown.Release(shown.Centre("e4"));
    QCOMPARE(QList<QVariantList>(moves), (QList<QVariantList>{{true, "e2", "e4"}}));
    QCOMPARE(shown.Moves(), 1u);
    QVERIFY(PointerIsNormal());
    QVERIFY(shown.DragEnds());
    QVERIFY(test::Shows(shown.board, "e2", true) && test::Shows(shown.board, "e4", true));

    // Turned board: each surface still stands for its own square.
    shown.board.setSideView(1);
    shown.Drag("g8", "f6");
    QCOMPARE(moves.count(), 2);
    QCOMPARE(moves.at(1).at(2).toString(), QStringLiteral("f6"));
    QVERIFY(shown.DragEnds());
    QVERIFY(test::Shows(shown.board, "g8", true));
}

void BoardDragTest::dragsThatMakeNoMove_data() {
    QTest::addColumn<QString>("square");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<QString>("meanwhile"); // what happens while the piece is carried
    const QPoint e4(229, 229);
    const QPoint f3(280, 280); // a legal target for the knight on g1
    QTest::newRow("right button") << "e2" << Qt::RightButton << e4 << "";
    QTest::newRow("middle button") << "e2" << Qt::MiddleButton << e4 << "";
    QTest::newRow("locked") << "e2" << Qt::LeftButton << e4 << "";
    QTest::newRow("empty square") << "e4" << Qt::LeftButton << e4 << "";
    QTest::newRow("other side's piece") << "e7" << Qt::LeftButton << e4 << "";
    QTest::newRow("back on its own square") << "g1" << Qt::LeftButton << QPoint(331, 382) << "";
    QTest::newRow("on an illegal square") << "g1" << Qt::LeftButton << QPoint(229, 127) << "";
    QTest::newRow("off the board") << "g1" << Qt::LeftButton << QPoint(-40, 600) << "";
    // The rest would be the legal g1-f3 but for what happens in between.
    QTest::newRow("another window over the target") << "g1" << Qt::LeftButton << f3 << "cover";
    QTest::newRow("Escape") << "g1" << Qt::LeftButton << f3 << "escape";
    // The release goes to another window unheard (minimised windows lose the activation too);
    // the carry ends all the same, and the next plain click is not taken for its drop.
    QTest::newRow("window deactivated") << "g1" << Qt::LeftButton << f3 << "deactivate";
    QTest::newRow("a new press") << "g1" << Qt::LeftButton << f3 << "press";
}

void BoardDragTest::dragsThatMakeNoMove() {
    QFETCH(QString, square);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(QString, meanwhile);
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QWidget other; // another window: over the target, or taking the activation
    other.setGeometry(QRect(shown.board.mapToGlobal(releaseAt) - QPoint(20, 20), QSize(40, 40)));
    other.setVisible(meanwhile == "cover");
    QVERIFY(meanwhile != "cover" || QTest::qWaitForWindowExposed(&other));
    shown.board.setLocked(QTest::currentDataTag() == QByteArray("locked"));
    const QByteArray name = square.toLatin1();
    shown.Press(name, button);
    // Only a left press on a piece of the side to move, unlocked, picks it up (and hides it).
    const bool picked = name == "g1";
    QCOMPARE(shown.Carrying(), picked);
    QCOMPARE(PointerIsNormal(), !picked);
    QCOMPARE(test::Shows(shown.board, name, false), !picked);
    shown.board.setLocked(true); // a lock during a drag does not cancel it
    if (meanwhile == "escape") {
        QTest::keyClick(shown.board.windowHandle(), Qt::Key_Escape);
    } else if (meanwhile == "deactivate") {
        other.show();
        QApplication::setActiveWindow(&other);
    } else if (meanwhile == "press") {
        QTest::mousePress(shown.board.windowHandle(), Qt::LeftButton, {}, releaseAt);
    }
    if (!meanwhile.isEmpty() && meanwhile != "cover") { // ended at once, the piece shown again
        QVERIFY(!shown.Carrying() && PointerIsNormal() && test::Shows(shown.board, name, false));
    }
    shown.Release(releaseAt, button);
    QVERIFY(PointerIsNormal());
    QCOMPARE(shown.Moves(), 0u);
    // Another pick-up before the tick shows the first piece again at once.
    shown.board.setLocked(false);
    shown.Press("b1");
    QVERIFY(test::Shows(shown.board, name, false));
    shown.Release(releaseAt);
    QVERIFY(shown.DragEnds());
    QVERIFY(test::Shows(shown.board, name, false) && test::Shows(shown.board, "b1", false));
    // A lock holds back the mouse only; the host still moves pieces.
    shown.board.setLocked(true);
    QVERIFY(shown.board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
}

void BoardDragTest::promotionByDragWithABusyHost() {
    // The host's promotion handler calls back into the board and runs an event loop of its
    // own (as a pop-up menu does) in which the player starts another drag.
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QString layout(128, QLatin1Char('X')); // b7 white pawn, e1 white king, h8 black king
    layout.replace(18, 2, "WP").replace(120, 2, "WK").replace(14, 2, "BK");
    QVERIFY(shown.board.NewGame(layout));
    QStringList seen;
    connect(&shown.board, &brdChessboard::PawnPromotion, this, [&](bool, int& eChoice) {
        seen << (shown.Carrying() ? "carrying" : "idle") << (PointerIsNormal() ? "free" : "held");
        seen << (shown.board.MovePiece(QStringLiteral("e1"), QStringLiteral("d1")) ||
                         shown.board.UndoLastMove() || shown.board.NewGame()
                     ? "accepted"
                     : "refused");
        shown.board.setSideView(1);
        shown.board.setDarkSquareColor(0x00000080);
        shown.Drag("e1", "e2");
        seen << (shown.board.State().Squares[SquareNameToIndex("e2")].Occupied ? "e2" : "");
        QEventLoop menu;
        QTimer::singleShot(250, &menu, &QEventLoop::quit);
        menu.exec();
        eChoice = WhiteKnight;
    });
    shown.Drag("b7", "b8");
    QCOMPARE(seen, (QStringList{"carrying", "free", "refused", ""}));
    QVERIFY(PointerIsNormal());
    QCOMPARE(shown.Moves(), 1u);
    QCOMPARE(shown.board.State().Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteKnight);
    QVERIFY(shown.DragEnds());
    QVERIFY(test::Shows(shown.board, "b7", true) && test::Shows(shown.board, "e1", false));
    QVERIFY(test::Shows(shown.board, "a1", false));
}

QTEST_MAIN(BoardDragTest)
#include "board_drag_test.moc"
