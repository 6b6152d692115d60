// Sizing the board in twips and laying its squares out for either side's view.
#include "BoardTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace quorrin;

class BoardLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void resizeSquaresTheBoard_data();
    void resizeSquaresTheBoard();
    void resizeReportsSideView();
    void designSizeBeforeAnyResize();
    void hostResizeInPixels();
    void absurdExtentStaysBounded();
    void layoutForEitherView_data();
    void layoutForEitherView();
    void turningKeepsPictures();
};

void BoardLayoutTest::resizeSquaresTheBoard_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("squarePixels");
    QTest::addColumn<QPoint>("pieceOffset");

    QTest::newRow("higher than wide, below the smallest square")
        << 1000 << 3000 << 3840 << 32 << QPoint(0, 0);
    QTest::newRow("wider than high") << 8000 << 2000 << 8000 << 66 << QPoint(17, 17);
    QTest::newRow("host design size") << 6135 << 6135 << 6128 << 51 << QPoint(9, 9);
    QTest::newRow("square multiple of 8 is kept") << 4000 << 4000 << 4000 << 33 << QPoint(0, 0);
    QTest::newRow("exactly the smallest board") << 3840 << 3840 << 3840 << 32 << QPoint(0, 0);
    QTest::newRow("nothing at all") << 0 << 0 << 3840 << 32 << QPoint(0, 0);
    QTest::newRow("negative") << -5000 << -1 << 3840 << 32 << QPoint(0, 0);
}

void BoardLayoutTest::resizeSquaresTheBoard() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, extent);
    QFETCH(int, squarePixels);
    QFETCH(QPoint, pieceOffset);

    brdChessboard board;
    board.SetExtentTwips(width, height);

    QCOMPARE(board.ExtentWidthTwips(), extent);
    QCOMPARE(board.ExtentHeightTwips(), extent);
    QCOMPARE(board.SquarePixels(), squarePixels);
    QCOMPARE(board.size(), QSize(8 * squarePixels, 8 * squarePixels));

    // The white queen on d1 (a light square) is composed at exactly that offset.
    const QImage picture = test::Picture(board, "d1");
    QCOMPARE(picture, test::ExpectedSquare(QSize(squarePixels, squarePixels),
                                           qRgb(0xE0, 0xE0, 0xE0), {}, WhiteQueen, pieceOffset));
}

void BoardLayoutTest::resizeReportsSideView() {
    brdChessboard board;
    board.setSideView(3);
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.SetExtentTwips(6135, 6135);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), QStringLiteral("SideView"));
    QCOMPARE(board.SideView(), 3);
    QCOMPARE(board.childAt(0, 0), test::Surface(board, "h1"));
}

void BoardLayoutTest::designSizeBeforeAnyResize() {
    brdChessboard board;
    QCOMPARE(board.SquarePixels(), 41);
    QCOMPARE(board.size(), QSize(328, 328));
    board.InitProperties();
    QCOMPARE(board.ExtentWidthTwips(), 4920);
    QCOMPARE(board.ExtentHeightTwips(), 4920);
    QCOMPARE(board.SquarePixels(), 41);
}

void BoardLayoutTest::hostResizeInPixels() {
    QWidget host;
    host.resize(800, 800);
    auto* board = new brdChessboard(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    // 500 x 300 pixels are 7500 x 4500 twips: 937-twip squares of 62 pixels.
    board->resize(500, 300);
    QCOMPARE(board->ExtentWidthTwips(), 7496);
    QCOMPARE(board->ExtentHeightTwips(), 7496);
    QCOMPARE(board->SquarePixels(), 62);
    QCOMPARE(board->size(), QSize(496, 496));
    QCOMPARE(test::Picture(*board, "h1").size(), QSize(62, 62));
    QCOMPARE(test::Surface(*board, "h1")->geometry(), QRect(434, 434, 62, 62));

    // The board's own size, delivered by Qt only when a hidden board is shown, changes
    // nothing: 6128 twips stay 6128 rather than becoming 408 pixels of 15 twips.
    brdChessboard hidden;
    hidden.SetExtentTwips(6135, 6135);
    hidden.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden));
    QCOMPARE(hidden.ExtentWidthTwips(), 6128);
}

void BoardLayoutTest::absurdExtentStaysBounded() {
    brdChessboard board;
    board.SetExtentTwips(INT_MAX, INT_MAX);
    QCOMPARE(board.SquarePixels(), 1024);
    QCOMPARE(board.ExtentWidthTwips(), 8 * 1024 * 15);
    QCOMPARE(test::Picture(board, "a8").size(), QSize(1024, 1024));
}

void BoardLayoutTest::layoutForEitherView_data() {
    QTest::addColumn<int>("sideView");
    QTest::addColumn<QString>("topLeft");
    QTest::addColumn<QString>("topRight");
    QTest::addColumn<QString>("bottomLeft");
    QTest::addColumn<QString>("bottomRight");

    QTest::newRow("White's view") << 0 << "a8"
                                  << "h8"
                                  << "a1"
                                  << "h1";
    QTest::newRow("Black's view") << 1 << "h1"
                                  << "a1"
                                  << "h8"
                                  << "a8";
    QTest::newRow("any other value turns it") << -123456 << "h1"
                                              << "a1"
                                              << "h8"
                                              << "a8";
}

void BoardLayoutTest::layoutForEitherView() {
    QFETCH(int, sideView);
    QFETCH(QString, topLeft);
    QFETCH(QString, topRight);
    QFETCH(QString, bottomLeft);
    QFETCH(QString, bottomRight);

    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    board.setSideView(sideView);
    QCOMPARE(board.SideView(), sideView);

    const auto at = [&](int x, int y) {
        auto* surface = qobject_cast<SquareSurface*>(board.childAt(x, y));
        return surface ? QString::fromStdString(SquareIndexToName(surface->Index())) : QString();
    };
    QCOMPARE(at(0, 0), topLeft);
    QCOMPARE(at(407, 0), topRight);
    QCOMPARE(at(0, 407), bottomLeft);
    QCOMPARE(at(407, 407), bottomRight);

    // No gaps and no overlaps: every square is a 51-pixel cell of the grid.
    QRegion covered;
    for (int k = 1; k <= 64; ++k) {
        const QRect cell = BoardTestAccess::Surface(board, k)->geometry();
        QCOMPARE(cell.size(), QSize(51, 51));
        QCOMPARE(cell.x() % 51, 0);
        QCOMPARE(cell.y() % 51, 0);
        QVERIFY(!covered.intersects(cell));
        covered += cell;
    }
    QCOMPARE(covered, QRegion(0, 0, 408, 408));
}

void BoardLayoutTest::turningKeepsPictures() {
    brdChessboard board;
    board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4"));
    const QImage before = test::Picture(board, "e4");
    board.setSideView(1);
    QCOMPARE(test::Picture(board, "e4"), before);
    QCOMPARE(test::Picture(board, "e4"), test::ExpectedSquare(board, "e4", true));
}

QTEST_MAIN(BoardLayoutTest)
#include "board_layout_test.moc"
