// Sizing the board in twips, placing its squares for either view, and the pictures drawn.
#include "BoardTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <climits>

using namespace quorrin;

namespace {

const char* const Files = "abcdefgh";

// Every square shows its colour and piece; exactly the named squares carry a frame.
void VerifyBoard(const brdChessboard& board, std::initializer_list<QString> framed) {
    for (int k = 0; k < 64; ++k) {
        const QByteArray name = QByteArray(1, Files[k % 8]) + QByteArray::number(8 - k / 8);
        const bool hasFrame = std::find(framed.begin(), framed.end(), name) != framed.end();
        QVERIFY2(test::Picture(board, name) == test::ExpectedSquare(board, name, hasFrame), name);
    }
}

} // namespace

class BoardLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void resizeSquaresTheBoard_data();
    void resizeSquaresTheBoard();
    void hostResizeInPixels();
    void layoutForEitherView_data();
    void layoutForEitherView();
    void picturesFollowTheGame();
};

void BoardLayoutTest::resizeSquaresTheBoard_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QPoint>("offset");

    QTest::newRow("higher than wide, small") << 1000 << 3000 << 3840 << 32 << QPoint(0, 0);
    QTest::newRow("wider than high") << 8000 << 2000 << 8000 << 66 << QPoint(17, 17);
    QTest::newRow("host design size") << 6135 << 6135 << 6128 << 51 << QPoint(9, 9);
    QTest::newRow("square multiple of 8 kept") << 4000 << 4000 << 4000 << 33 << QPoint(0, 0);
    QTest::newRow("negative") << -5000 << -1 << 3840 << 32 << QPoint(0, 0);
    QTest::newRow("absurdly large") << INT_MAX << 0 << 8 * 15360 << 1024 << QPoint(496, 496);
}

void BoardLayoutTest::resizeSquaresTheBoard() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, extent);
    QFETCH(int, pixels);
    QFETCH(QPoint, offset);
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.SetExtentTwips(width, height);

    QCOMPARE(board.ExtentWidthTwips(), extent);
    QCOMPARE(board.ExtentHeightTwips(), extent);
    QCOMPARE(board.SquarePixels(), pixels);
    QCOMPARE(board.size(), QSize(8 * pixels, 8 * pixels));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), QStringLiteral("SideView"));
    // The white queen on d1, a light square, is composed at exactly that offset.
    QCOMPARE(test::Picture(board, "d1"),
             test::ExpectedSquare(QSize(pixels, pixels), qRgb(0xE0, 0xE0, 0xE0), {}, WhiteQueen,
                                  offset));
}

void BoardLayoutTest::hostResizeInPixels() {
    QWidget host;
    auto* board = new brdChessboard(&host);
    host.resize(800, 800);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    // 500 x 300 pixels are 7500 x 4500 twips: squares of 937 twips, 62 pixels.
    board->resize(500, 300);
    QCOMPARE(board->ExtentWidthTwips(), 7496);
    QCOMPARE(board->size(), QSize(496, 496));
    QCOMPARE(BoardTestAccess::Surface(*board, "h1")->geometry(), QRect(434, 434, 62, 62));
    QCOMPARE(test::Picture(*board, "h1").size(), QSize(62, 62));

    // The board's own size, which Qt delivers when a hidden board is shown, changes nothing:
    // 6128 twips stay 6128 rather than becoming 408 pixels of 15 twips.
    brdChessboard hidden;
    QCOMPARE(hidden.SquarePixels(), 41); // the template's design size until a resize
    hidden.SetExtentTwips(6135, 6135);
    hidden.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden));
    QCOMPARE(hidden.ExtentWidthTwips(), 6128);
}

void BoardLayoutTest::layoutForEitherView_data() {
    QTest::addColumn<int>("sideView");
    QTest::addColumn<QStringList>("corners"); // top-left, top-right, bottom-left, bottom-right
    QTest::newRow("White's view") << 0 << QStringList{"a8", "h8", "a1", "h1"};
    QTest::newRow("Black's view") << 1 << QStringList{"h1", "a1", "h8", "a8"};
    QTest::newRow("any non-zero value") << INT_MIN << QStringList{"h1", "a1", "h8", "a8"};
}

void BoardLayoutTest::layoutForEitherView() {
    QFETCH(int, sideView);
    QFETCH(QStringList, corners);
    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    const QImage e4 = test::Picture(board, "e4");
    board.setSideView(sideView);

    QStringList found;
    for (const QPoint corner : {QPoint(0, 0), QPoint(407, 0), QPoint(0, 407), QPoint(407, 407)}) {
        auto* surface = qobject_cast<SquareSurface*>(board.childAt(corner));
        QVERIFY(surface != nullptr);
        found << QString::fromStdString(SquareIndexToName(surface->Index()));
    }
    QCOMPARE(found, corners);
    QCOMPARE(test::Picture(board, "e4"), e4); // moved, not redrawn, picture kept
}

void BoardLayoutTest::picturesFollowTheGame() {
    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    VerifyBoard(board, {});
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    VerifyBoard(board, {"e2", "e4"});
    QVERIFY(board.MovePiece(QStringLiteral("d7"), QStringLiteral("d5")));
    QVERIFY(board.MovePiece(QStringLiteral("e4"), QStringLiteral("d5")));
    QVERIFY(!board.MovePiece(QStringLiteral("d5"), QStringLiteral("d3")));
    VerifyBoard(board, {"e4", "d5"});

    board.setHighlightMove(false);
    VerifyBoard(board, {});
    board.setHighlightMove(true);
    QVERIFY(board.UndoLastMove());
    VerifyBoard(board, {"d7", "d5"});
}

QTEST_MAIN(BoardLayoutTest)
#include "board_layout_test.moc"
