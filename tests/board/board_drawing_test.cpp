// The pictures of drawn squares: colour, last-move frame, piece composition.
#include "BoardTestSupport.h"

#include <QTest>

using namespace quorrin;

namespace {

const char* const AllSquares[] = {
    "a8", "b8", "c8", "d8", "e8", "f8", "g8", "h8", "a7", "b7", "c7", "d7", "e7", "f7", "g7", "h7",
    "a6", "b6", "c6", "d6", "e6", "f6", "g6", "h6", "a5", "b5", "c5", "d5", "e5", "f5", "g5", "h5",
    "a4", "b4", "c4", "d4", "e4", "f4", "g4", "h4", "a3", "b3", "c3", "d3", "e3", "f3", "g3", "h3",
    "a2", "b2", "c2", "d2", "e2", "f2", "g2", "h2", "a1", "b1", "c1", "d1", "e1", "f1", "g1", "h1"};

// Every square shows its colour and piece; exactly the named squares carry a frame.
void VerifyBoard(const brdChessboard& board, std::initializer_list<const char*> framed) {
    for (const char* name : AllSquares) {
        const bool hasFrame = std::find_if(framed.begin(), framed.end(), [&](const char* f) {
                                  return qstrcmp(f, name) == 0;
                              }) != framed.end();
        if (test::Picture(board, name) != test::ExpectedSquare(board, name, hasFrame)) {
            QFAIL(qPrintable(QStringLiteral("square %1 is drawn wrong").arg(name)));
        }
    }
}

} // namespace

class BoardDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void startPosition();
    void lastMoveFrame();
    void frameColourAndPieceOverIt();
    void framesFollowTheMoves();
    void highlightSwitch();
    void coloursUseTheirLow24Bits();
    void oneColourBoard();
    void squareZeroAndUndo();
};

void BoardDrawingTest::startPosition() {
    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    VerifyBoard(board, {});
    // a8 is light, b8 dark, a1 dark, h1 light, in the default greys.
    QCOMPARE(test::Picture(board, "a8").pixel(0, 0), qRgb(0xE0, 0xE0, 0xE0));
    QCOMPARE(test::Picture(board, "b8").pixel(0, 0), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(test::Picture(board, "a1").pixel(0, 0), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(test::Picture(board, "h1").pixel(0, 0), qRgb(0xE0, 0xE0, 0xE0));
}

void BoardDrawingTest::lastMoveFrame() {
    brdChessboard board;
    board.SetExtentTwips(6135, 6135);
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    VerifyBoard(board, {"e2", "e4"});

    // The frame runs along the outermost pixels only; inside is the square's colour.
    const QImage e2 = test::Picture(board, "e2");
    const QRgb blue = qRgb(0, 0, 0xFF);
    for (int i = 0; i < 51; ++i) {
        QCOMPARE(e2.pixel(i, 0), blue);
        QCOMPARE(e2.pixel(i, 50), blue);
        QCOMPARE(e2.pixel(0, i), blue);
        QCOMPARE(e2.pixel(50, i), blue);
    }
    QCOMPARE(e2.pixel(1, 1), qRgb(0xE0, 0xE0, 0xE0));
    QCOMPARE(e2.pixel(49, 49), qRgb(0xE0, 0xE0, 0xE0));
}

void BoardDrawingTest::frameColourAndPieceOverIt() {
    // On a square of the smallest size the piece covers the frame where it reaches the edge.
    brdChessboard board;
    board.SetExtentTwips(3840, 3840);
    board.setHighlightMoveColor(0x0000FF00);
    QVERIFY(board.MovePiece(QStringLiteral("g1"), QStringLiteral("f3")));
    QCOMPARE(test::Picture(board, "f3"),
             test::ExpectedSquare(QSize(32, 32), qRgb(0xE0, 0xE0, 0xE0), qRgb(0, 0xFF, 0),
                                  WhiteKnight, QPoint(0, 0)));
}

void BoardDrawingTest::framesFollowTheMoves() {
    brdChessboard board;
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    QVERIFY(board.MovePiece(QStringLiteral("d7"), QStringLiteral("d5")));
    VerifyBoard(board, {"d7", "d5"});
    QVERIFY(board.MovePiece(QStringLiteral("e4"), QStringLiteral("d5")));
    VerifyBoard(board, {"e4", "d5"});
    // A refused move leaves the frames where they were.
    QVERIFY(!board.MovePiece(QStringLiteral("d5"), QStringLiteral("d3")));
    VerifyBoard(board, {"e4", "d5"});
}

void BoardDrawingTest::highlightSwitch() {
    brdChessboard board;
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    board.setHighlightMove(false);
    VerifyBoard(board, {});
    QVERIFY(board.MovePiece(QStringLiteral("e7"), QStringLiteral("e5")));
    VerifyBoard(board, {});
    board.setHighlightMove(true);
    VerifyBoard(board, {"e7", "e5"});
    board.setHighlightMoveColor(0x00123456);
    QCOMPARE(test::Picture(board, "e5").pixel(0, 0), qRgb(0x56, 0x34, 0x12));
    VerifyBoard(board, {"e7", "e5"});
}

void BoardDrawingTest::coloursUseTheirLow24Bits() {
    brdChessboard board;
    board.setDarkSquareColor(0xFF102030);
    board.setLightSquareColor(0x80FFFFFF);
    QCOMPARE(board.DarkSquareColor(), 0xFF102030u);
    QCOMPARE(test::Picture(board, "b8").pixel(0, 0), qRgb(0x30, 0x20, 0x10));
    QCOMPARE(test::Picture(board, "a8").pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    board.setHighlightMoveColor(0xFFFFFFFF);
    QVERIFY(board.MovePiece(QStringLiteral("b1"), QStringLiteral("c3")));
    QCOMPARE(test::Picture(board, "c3").pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    VerifyBoard(board, {"b1", "c3"});
}

void BoardDrawingTest::oneColourBoard() {
    brdChessboard board;
    board.setDarkSquareColor(0x00336699);
    board.setLightSquareColor(0x00336699);
    VerifyBoard(board, {});
    QCOMPARE(test::Picture(board, "d4"), test::Picture(board, "e4"));
}

void BoardDrawingTest::squareZeroAndUndo() {
    brdChessboard board;
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    BoardTestAccess::DrawSquare(board, 0, true);
    VerifyBoard(board, {"e2", "e4"});
    QVERIFY(board.UndoLastMove());
    VerifyBoard(board, {});
}

QTEST_MAIN(BoardDrawingTest)
#include "board_drawing_test.moc"
