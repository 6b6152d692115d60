// The board on high-density screens. The test runs on three offscreen screens side by side at
// device pixel ratios 1, 2 and 3: the layout stays in logical pixels while squares, frames and
// pieces are composed at the resolution of the screen the board is on, from the pictures drawn
// for that density, also after the window moves to a screen of another density.
#include "BoardTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

#include <array>
#include <climits>

using namespace quorrin;

namespace {

QScreen* ScreenOfRatio(int ratio) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (qFuzzyCompare(screen->devicePixelRatio(), qreal(ratio))) {
            return screen;
        }
    }
    return nullptr;
}

// Moves a shown window onto the screen of that ratio and waits until Qt has it there.
bool MoveToRatio(QWidget& window, int ratio) {
    window.move(ScreenOfRatio(ratio)->geometry().topLeft() + QPoint(10, 10));
    return QTest::qWaitFor([&] { return qFuzzyCompare(window.devicePixelRatioF(), qreal(ratio)); });
}

// The board as it should look at a ratio: every square composed from the pictures of that
// density, with the frame as wide as the ratio and the cell centred in device pixels.
QImage ExpectedBoard(const brdChessboard& board, int ratio, const QStringList& framed) {
    QImage expected(board.size() * ratio, QImage::Format_RGB32);
    QPainter painter(&expected);
    for (int k = 1; k <= 64; ++k) {
        const QString name = QString::fromStdString(SquareIndexToName(k));
        painter.drawImage(brdChessboardPrivate::Of(board).picSquare_[k]->pos() * ratio,
                          test::ExpectedSquare(board, k, framed.contains(name), ratio));
    }
    painter.end();
    expected.setDevicePixelRatio(ratio);
    return expected;
}

QImage Shown(brdChessboard& board) {
    return board.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class BoardHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boardAtDeviceResolution_data();
    void boardAtDeviceResolution();
    void largestSquareBounded();
    void resampledDensityKeepsTheRule_data();
    void resampledDensityKeepsTheRule();
};

void BoardHiDpiTest::initTestCase() {
    QVERIFY(ScreenOfRatio(1) && ScreenOfRatio(2) && ScreenOfRatio(3));
}

void BoardHiDpiTest::boardAtDeviceResolution_data() {
    QTest::addColumn<int>("extent"); // twips
    QTest::addColumn<int>("pixels"); // logical pixels of a square, as at normal density
    QTest::addColumn<int>("sideView");
    QTest::addColumn<int>("ratio");
    QTest::newRow("host design size, ratio 2") << 6135 << 51 << 0 << 2;
    QTest::newRow("even margin, Black's view, ratio 3") << 8000 << 66 << 1 << 3;
    QTest::newRow("smallest square, ratio 2") << 1000 << 32 << 0 << 2;
}

void BoardHiDpiTest::boardAtDeviceResolution() {
    QFETCH(int, extent);
    QFETCH(int, pixels);
    QFETCH(int, sideView);
    QFETCH(int, ratio);
    brdChessboard board;
    board.SetExtentTwips(extent, extent);
    board.setSideView(sideView);
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCOMPARE(Shown(board), ExpectedBoard(board, 1, {"e2", "e4"}));

    // Taken to a denser screen, the same board in the same logical size is composed again.
    QVERIFY(MoveToRatio(board, ratio));
    QCOMPARE(board.size(), QSize(8 * pixels, 8 * pixels));
    QCOMPARE(Shown(board), ExpectedBoard(board, ratio, {"e2", "e4"}));
    // Moves made there are composed at that density at once, and so is the way back.
    QVERIFY(board.MovePiece(QStringLiteral("d7"), QStringLiteral("d5")));
    QCOMPARE(Shown(board), ExpectedBoard(board, ratio, {"d7", "d5"}));
    // The knight picked up there is carried by a sharp pointer. X11 takes the hot spot in the
    // picture's own pixels: the middle of the icon.
    BoardTestAccess::PickUp(board, "g1");
    QVERIFY(QApplication::overrideCursor() != nullptr);
    const QPixmap pointer = QApplication::overrideCursor()->pixmap();
    QCOMPARE(pointer.devicePixelRatio(), qreal(ratio));
    QCOMPARE(pointer.toImage().convertToFormat(QImage::Format_RGB32),
             test::Drawn(QStringLiteral("icons/piece-09"), ratio));
    QCOMPARE(QApplication::overrideCursor()->hotSpot(), QPoint(16, 16) * ratio);
    brdChessboardPrivate::Of(board).EndDrag();
    QVERIFY(MoveToRatio(board, 1));
    QCOMPARE(Shown(board), ExpectedBoard(board, 1, {"d7", "d5"}));
}

// The largest square at ratio 3 would take 2.4 GB of pictures: they stay at 1024 pixels.
void BoardHiDpiTest::largestSquareBounded() {
    brdChessboard board;
    board.setScreen(ScreenOfRatio(3));
    board.SetExtentTwips(INT_MAX, 0);
    QCOMPARE(board.SquarePixels(), 1024);
    QCOMPARE(test::Picture(board, "a1").size(), QSize(1024, 1024));
    QCOMPARE(test::Picture(board, "a1").devicePixelRatio(), 1.0);
}

void BoardHiDpiTest::resampledDensityKeepsTheRule_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("cell");
    QTest::newRow("1.5 from the double-density pictures") << 1.5 << 48;
    QTest::newRow("1.25") << 1.25 << 40;
    QTest::newRow("4 from the triple-density pictures") << 4.0 << 128;
}

// Ratios without pictures of their own get resampled layers that still compose exactly: the
// AND layer black or white, the OR layer black wherever the AND layer is white, and each piece
// covering about as much of its cell as at normal density.
void BoardHiDpiTest::resampledDensityKeepsTheRule() {
    QFETCH(qreal, ratio);
    QFETCH(int, cell);
    const auto artwork = PieceArtwork::Shared();
    const PieceArtwork::Density& density = artwork->At(ratio);
    QCOMPARE(density.andLayer.size(), QSize(cell * PieceTypeCount, cell));
    QCOMPARE(density.icons[WhiteKnight].size(), QSize(cell, cell));
    QCOMPARE(density.icons[WhiteKnight].devicePixelRatio(), ratio);
    QCOMPARE(&artwork->At(ratio), &density); // made once
    // Pixels inside each piece at a density; a pixel that breaks the rule makes its piece's
    // count hugely negative.
    const auto covered = [](const PieceArtwork::Density& drawn) {
        std::array<int, PieceTypeCount> pixels{};
        for (int y = 0; y < drawn.cell; ++y) {
            for (int x = 0; x < drawn.andLayer.width(); ++x) {
                const QRgb mask = drawn.andLayer.pixel(x, y) & RGB_MASK;
                const bool rule =
                    mask == 0 || (mask == RGB_MASK && (drawn.orLayer.pixel(x, y) & RGB_MASK) == 0);
                pixels[x / drawn.cell] += !rule ? -1000000 : mask == 0 ? 1 : 0;
            }
        }
        return pixels;
    };
    const std::array<int, PieceTypeCount> inside = covered(density);
    const std::array<int, PieceTypeCount> normal = covered(artwork->At(1));
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        const qreal share = inside[kind] / (normal[kind] * ratio * ratio);
        QVERIFY2(share > 0.9 && share < 1.1, qPrintable(QString::number(share)));
    }
}

int main(int argc, char** argv) {
    // Three screens side by side, at device pixel ratios 1 (the first, primary), 2 and 3.
    QTemporaryFile screens;
    if (!screens.open()) {
        return 1;
    }
    screens.write(R"({"screens": [
        {"name": "normal", "x": 0, "y": 0, "width": 1000, "height": 1000},
        {"name": "dense", "x": 1000, "y": 0, "width": 2000, "height": 2000},
        {"name": "denser", "x": 3000, "y": 0, "width": 3000, "height": 3000}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "normal=1;dense=2;denser=3");
    qunsetenv("QT_SCALE_FACTOR"); // it would multiply all three
    QApplication app(argc, argv);
    BoardHiDpiTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "board_hidpi_test.moc"
