// Dragging pieces with the mouse: pick-up, carrying, drop, and the poll that ends a drag.
#include "BoardTestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace quorrin;

namespace {

// A board shown on its own, driven through its window as a real pointer would be.
class ShownBoard {
public:
    ShownBoard() {
        board.SetExtentTwips(6135, 6135);
        board.show();
        exposed = QTest::qWaitForWindowExposed(&board);
    }

    QWindow* Window() { return board.window()->windowHandle(); }
    QPoint Centre(const char* name) { return test::Surface(board, name)->geometry().center(); }
    void Press(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Window(), button, {}, Centre(name));
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(Window(), at);
        QTest::mouseRelease(Window(), button, {}, at);
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
    void completedDrag();
    void ignoredPresses_data();
    void ignoredPresses();
    void refusedOrLostDrops_data();
    void refusedOrLostDrops();
    void turnedBoard();
    void lockDuringDragKeepsIt();
    void promotionByDrag();
    void hostCallsFromHandlers();
    void dragInsideAPromotionHandler();
    void boardClosedWhileCarrying();
};

void BoardDragTest::completedDrag() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QSignalSpy moves(&shown.board, &brdChessboard::PieceMovement);

    shown.Press("e2");
    QVERIFY(shown.Carrying());
    // The square is cleared (the position is not), the pointer shows the white pawn.
    QCOMPARE(test::Picture(shown.board, "e2"),
             test::ExpectedSquare(QSize(51, 51), qRgb(0xE0, 0xE0, 0xE0), {}, {}, {}));
    QVERIFY(shown.board.State().Squares[SquareNameToIndex("e2")].Occupied);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->pixmap().toImage(),
             PieceArtwork::Shared()->Icon(WhitePawn).toImage());
    QCOMPARE(QWidget::mouseGrabber(), &shown.board);

    shown.Release(shown.Centre("e4"));
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0), (QList<QVariant>{true, QStringLiteral("e2"), QStringLiteral("e4")}));
    QCOMPARE(shown.board.State().MoveHistory.size(), 1u);
    QVERIFY(PointerIsNormal());

    QVERIFY(shown.DragEnds());
    QCOMPARE(test::Picture(shown.board, "e2"), test::ExpectedSquare(shown.board, "e2", true));
    QCOMPARE(test::Picture(shown.board, "e4"), test::ExpectedSquare(shown.board, "e4", true));
    QCOMPARE(moves.count(), 1);

    // Black's turn now: the same drag works for Black.
    shown.Drag("e7", "e5");
    QCOMPARE(moves.count(), 2);
    QVERIFY(shown.DragEnds());
}

void BoardDragTest::ignoredPresses_data() {
    QTest::addColumn<QString>("square");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("locked");
    QTest::newRow("right button") << "e2" << Qt::RightButton << false;
    QTest::newRow("middle button") << "e2" << Qt::MiddleButton << false;
    QTest::newRow("locked") << "e2" << Qt::LeftButton << true;
    QTest::newRow("empty square") << "e4" << Qt::LeftButton << false;
    QTest::newRow("other side's piece") << "e7" << Qt::LeftButton << false;
}

void BoardDragTest::ignoredPresses() {
    QFETCH(QString, square);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, locked);
    ShownBoard shown;
    QVERIFY(shown.exposed);
    shown.board.setLocked(locked);
    const QByteArray name = square.toLatin1();
    const QImage before = test::Picture(shown.board, name);

    shown.Press(name, button);
    QVERIFY(!shown.Carrying());
    QVERIFY(PointerIsNormal());
    QCOMPARE(test::Picture(shown.board, name), before);
    shown.Release(shown.Centre("e4"), button);
    QCOMPARE(shown.board.State().MoveHistory.size(), 0u);

    // A lock holds back the mouse only; the host still moves pieces.
    QVERIFY(shown.board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
}

void BoardDragTest::refusedOrLostDrops_data() {
    QTest::addColumn<QPoint>("releaseAt");
    QTest::newRow("on its own square") << QPoint(331, 382);
    QTest::newRow("on an illegal square") << QPoint(229, 127);
    QTest::newRow("off the board") << QPoint(-40, 600);
}

void BoardDragTest::refusedOrLostDrops() {
    QFETCH(QPoint, releaseAt);
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QSignalSpy moves(&shown.board, &brdChessboard::PieceMovement);
    shown.Press("g1"); // the knight, centred at (331, 382)
    shown.Release(releaseAt);
    QVERIFY(PointerIsNormal());
    QCOMPARE(moves.count(), 0);
    QCOMPARE(shown.board.State().MoveHistory.size(), 0u);
    QVERIFY(shown.DragEnds());
    QCOMPARE(test::Picture(shown.board, "g1"), test::ExpectedSquare(shown.board, "g1", false));
}

void BoardDragTest::turnedBoard() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    shown.board.setSideView(1);
    QCOMPARE(shown.Centre("h1"), QPoint(25, 25));
    QSignalSpy moves(&shown.board, &brdChessboard::PieceMovement);
    shown.Drag("g1", "f3");
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0).at(2).toString(), QStringLiteral("f3"));
    QVERIFY(shown.DragEnds());
    QCOMPARE(test::Picture(shown.board, "f3"), test::ExpectedSquare(shown.board, "f3", true));
}

void BoardDragTest::lockDuringDragKeepsIt() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    shown.Press("d2");
    shown.board.setLocked(true);
    shown.Release(shown.Centre("d4"));
    QCOMPARE(shown.board.State().MoveHistory.size(), 1u);
    QVERIFY(shown.DragEnds());
    shown.Press("d7");
    QVERIFY(!shown.Carrying());
    shown.Release(shown.Centre("d5"));
    QCOMPARE(shown.board.State().MoveHistory.size(), 1u);
}

void BoardDragTest::promotionByDrag() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QVERIFY(shown.board.NewGame(test::Layout({{"b7", "WP"}, {"e1", "WK"}, {"h8", "BK"}})));
    bool timerRunning = false;
    bool pointerGivenBack = false;
    connect(&shown.board, &brdChessboard::PawnPromotion, this, [&](bool bWhite, int& eChoice) {
        QVERIFY(bWhite);
        timerRunning = shown.Carrying();
        pointerGivenBack = PointerIsNormal();
        eChoice = WhiteKnight;
    });
    shown.Drag("b7", "b8");
    QVERIFY(timerRunning);
    QVERIFY(pointerGivenBack);
    QCOMPARE(shown.board.State().Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteKnight);
    QVERIFY(shown.DragEnds());
    QCOMPARE(test::Picture(shown.board, "b8"), test::ExpectedSquare(shown.board, "b8", true));
    QCOMPARE(test::Picture(shown.board, "b7"), test::ExpectedSquare(shown.board, "b7", true));
}

void BoardDragTest::hostCallsFromHandlers() {
    ShownBoard shown;
    QVERIFY(shown.exposed);
    int refused = 0;
    connect(&shown.board, &brdChessboard::PieceMovement, this, [&] {
        refused += !shown.board.MovePiece(QStringLiteral("e7"), QStringLiteral("e5"));
        refused += !shown.board.UndoLastMove();
        refused += !shown.board.NewGame();
        shown.board.setSideView(1);
        shown.board.setDarkSquareColor(0x00000080);
        shown.board.SetExtentTwips(3840, 3840);
    });
    shown.Drag("e2", "e4");
    QCOMPARE(refused, 3);
    QCOMPARE(shown.board.State().MoveHistory.size(), 1u);
    QCOMPARE(shown.board.SideTurn(), 1);
    QVERIFY(shown.DragEnds());
    for (const char* name : {"e2", "e4", "a1", "h8"}) {
        const bool framed = qstrcmp(name, "e2") == 0 || qstrcmp(name, "e4") == 0;
        QCOMPARE(test::Picture(shown.board, name), test::ExpectedSquare(shown.board, name, framed));
    }
}

void BoardDragTest::dragInsideAPromotionHandler() {
    // A host that runs an event loop inside its promotion handler (a pop-up menu does) while
    // the player starts another drag: that move is refused and the pointer stays sane.
    ShownBoard shown;
    QVERIFY(shown.exposed);
    QVERIFY(shown.board.NewGame(test::Layout({{"b7", "WP"}, {"e1", "WK"}, {"h8", "BK"}})));
    bool innerMoveMade = true;
    connect(&shown.board, &brdChessboard::PawnPromotion, this, [&](bool, int& eChoice) {
        shown.Press("e1");
        QVERIFY(shown.Carrying());
        shown.Release(shown.Centre("e2"));
        innerMoveMade = shown.board.State().Squares[SquareNameToIndex("e2")].Occupied;
        QEventLoop menu;
        QTimer::singleShot(250, &menu, &QEventLoop::quit);
        menu.exec();
        eChoice = WhiteQueen;
    });
    shown.Drag("b7", "b8");
    QVERIFY(!innerMoveMade);
    QVERIFY(PointerIsNormal());
    QCOMPARE(shown.board.State().MoveHistory.size(), 1u);
    QCOMPARE(shown.board.State().Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteQueen);
    QVERIFY(shown.DragEnds());
    for (const char* name : {"b7", "b8", "e1", "e2"}) {
        const bool framed = qstrcmp(name, "b7") == 0 || qstrcmp(name, "b8") == 0;
        QCOMPARE(test::Picture(shown.board, name), test::ExpectedSquare(shown.board, name, framed));
    }
}

void BoardDragTest::boardClosedWhileCarrying() {
    {
        ShownBoard shown;
        QVERIFY(shown.exposed);
        shown.Press("e2");
        QVERIFY(!PointerIsNormal());
    }
    QVERIFY(PointerIsNormal());
    // The button is still down for Qt; let it go so that later tests start clean.
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::mouseRelease(other.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
}

QTEST_MAIN(BoardDragTest)
#include "board_drag_test.moc"
