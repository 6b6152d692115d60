// Sizing the board in twips, placing its squares for either view, and the pictures drawn.
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
    void hostResizeInPixels();
    void picturesInEitherView_data();
    void picturesInEitherView();
};

void BoardLayoutTest::resizeSquaresTheBoard_data() {
    QTest::addColumn<QSize>("extent");
    QTest::addColumn<int>("side");   // twips, after the resize
    QTest::addColumn<int>("pixels"); // of a square
    QTest::addColumn<int>("offset"); // of the piece in its square
    QTest::newRow("higher than wide, small") << QSize(1000, 3000) << 3840 << 32 << 0;
    QTest::newRow("wider than high") << QSize(8000, 2000) << 8000 << 66 << 17;
    QTest::newRow("host design size") << QSize(6135, 6135) << 6128 << 51 << 9;
    QTest::newRow("square multiple of 8 kept") << QSize(4000, 4000) << 4000 << 33 << 0;
    QTest::newRow("negative") << QSize(-5000, -1) << 3840 << 32 << 0;
    QTest::newRow("absurdly large") << QSize(INT_MAX, 0) << 8 * 15360 << 1024 << 496;
}

void BoardLayoutTest::resizeSquaresTheBoard() {
    QFETCH(QSize, extent);
    QFETCH(int, side);
    QFETCH(int, pixels);
    QFETCH(int, offset);
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.SetExtentTwips(extent.width(), extent.height());
    QCOMPARE(QSize(board.ExtentWidthTwips(), board.ExtentHeightTwips()), QSize(side, side));
    QCOMPARE(board.size(), QSize(8 * pixels, 8 * pixels));
    QCOMPARE(QList<QVariantList>(changes), QList<QVariantList>{{QStringLiteral("SideView")}});
    // The white queen on d1, a light square, is composed at exactly that offset.
    QCOMPARE(test::Picture(board, "d1"),
             test::ExpectedSquare(QSize(pixels, pixels), qRgb(0xE0, 0xE0, 0xE0), {}, WhiteQueen,
                                  QPoint(offset, offset)));
}

void BoardLayoutTest::hostResizeInPixels() {
    QWidget host;
    auto* board = new brdChessboard(&host);
    QCOMPARE(board->SquarePixels(), 41); // the template's design size until a resize
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    // 500 x 300 pixels are 7500 x 4500 twips: squares of 937 twips, 62 pixels.
    board->resize(500, 300);
    QCOMPARE(board->ExtentWidthTwips(), 7496);
    QCOMPARE(board->size(), QSize(496, 496));
    QCOMPARE(BoardTestAccess::Surface(*board, "h1")->geometry(), QRect(434, 434, 62, 62));
    // The board's own size, which Qt delivers when a hidden board is shown, changes nothing:
    // 6128 twips stay 6128 rather than becoming 408 pixels of 15 twips.
    brdChessboard hidden;
    hidden.SetExtentTwips(6135, 6135);
    hidden.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden));
    QCOMPARE(hidden.ExtentWidthTwips(), 6128);
}

void BoardLayoutTest::picturesInEitherView_data() {
    QTest::addColumn<int>("sideView");
    QTest::addColumn<QStringList>("corners"); // top-left, top-right, bottom-left, bottom-right
    QTest::newRow("White's view") << 0 << QStringList{"a8", "h8", "a1", "h1"};
    QTest::newRow("Black's view") << 1 << QStringList{"h1", "a1", "h8", "a8"};
    QTest::newRow("any non-zero value") << INT_MIN << QStringList{"h1", "a1", "h8", "a8"};
}

void BoardLayoutTest::picturesInEitherView() {
    QFETCH(int, sideView);
    QFETCH(QStringList, corners);
    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    // Every square shows its colour and piece; exactly the named squares carry a frame.
    auto verify = [&board](const QStringList& framed) {
        for (int k = 1; k <= 64; ++k) {
            const QByteArray name = QByteArray::fromStdString(SquareIndexToName(k));
            QVERIFY2(test::Shows(board, name, framed.contains(name)), name);
        }
    };
    verify({});
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    const QImage e4 = test::Picture(board, "e4");
    board.setSideView(sideView);
    QCOMPARE(test::Picture(board, "e4"), e4); // moved, not redrawn, and the picture kept
    QStringList found;
    for (const QPoint corner : {QPoint(0, 0), QPoint(407, 0), QPoint(0, 407), QPoint(407, 407)}) {
        auto* surface = qobject_cast<SquareSurface*>(board.childAt(corner));
        QVERIFY(surface != nullptr);
        found << QString::fromStdString(SquareIndexToName(surface->Index()));
    }
    QCOMPARE(found, corners);

    verify({"e2", "e4"});
    QVERIFY(board.MovePiece(QStringLiteral("d7"), QStringLiteral("d5")));
    QVERIFY(board.MovePiece(QStringLiteral("e4"), QStringLiteral("d5")));
    QVERIFY(!board.MovePiece(QStringLiteral("d5"), QStringLiteral("d3")));
    verify({"e4", "d5"});
    board.setHighlightMove(false);
    verify({});
    board.setHighlightMove(true);
    QVERIFY(board.UndoLastMove());
    verify({"d7", "d5"});
}

QTEST_MAIN(BoardLayoutTest)
#include "board_layout_test.moc"
