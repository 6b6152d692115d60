// The board on a high-density screen. CTest runs this with QT_SCALE_FACTOR 2 and 3: the layout
// stays in logical pixels while squares, frames and pieces are composed at device resolution
// from the pictures drawn for that density.
#include "BoardTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace quorrin;

class BoardHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boardAtDeviceResolution_data();
    void boardAtDeviceResolution();
    void dragCursorIsSharp();
    void resampledDensityKeepsTheRule_data();
    void resampledDensityKeepsTheRule();

private:
    // A picture drawn for this run's density, read straight from the resources.
    QImage Drawn(const QString& name) const {
        return QImage(QStringLiteral(":/board/%1@%2x.png").arg(name).arg(ratio_))
            .convertToFormat(QImage::Format_RGB32);
    }

    int ratio_ = 1;
};

void BoardHiDpiTest::initTestCase() {
    ratio_ = qRound(qApp->devicePixelRatio());
    if (ratio_ != 2 && ratio_ != 3) {
        QSKIP("run with QT_SCALE_FACTOR=2 or 3");
    }
    PieceArtwork::Shared(); // registers the resources
}

void BoardHiDpiTest::boardAtDeviceResolution_data() {
    QTest::addColumn<int>("extent"); // twips
    QTest::addColumn<int>("pixels"); // logical pixels of a square, as at normal density
    QTest::addColumn<int>("sideView");
    QTest::newRow("host design size") << 6135 << 51 << 0;
    QTest::newRow("even margin, Black's view") << 8000 << 66 << 1;
    QTest::newRow("smallest square") << 1000 << 32 << 0;
}

void BoardHiDpiTest::boardAtDeviceResolution() {
    QFETCH(int, extent);
    QFETCH(int, pixels);
    QFETCH(int, sideView);
    brdChessboard board;
    board.SetExtentTwips(extent, extent);
    board.setSideView(sideView);
    QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCOMPARE(board.size(), QSize(8 * pixels, 8 * pixels));

    // What Qt shows, grabbed at device resolution, against the squares composed here from
    // the pictures of this density: the frame as wide as the ratio, the cell centred.
    const QImage shown = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), board.size() * ratio_);
    const QImage andLayer = Drawn(QStringLiteral("pieces-and"));
    const QImage orLayer = Drawn(QStringLiteral("pieces-or"));
    const int side = pixels * ratio_;
    const QPoint offset((side - andLayer.height()) / 2, (side - andLayer.height()) / 2);
    QImage expected(shown.size(), QImage::Format_RGB32);
    QPainter painter(&expected);
    for (int k = 1; k <= 64; ++k) {
        const BoardSquare& square = board.State().Squares[k];
        const QWidget* surface = brdChessboardPrivate::Of(board).picSquare_[k];
        const bool framed = k == SquareNameToIndex("e2") || k == SquareNameToIndex("e4");
        painter.drawImage(surface->pos() * ratio_,
                          test::ExpectedSquare(
                              QSize(side, side),
                              SquareSurface::RgbOf(square.IsDark ? board.DarkSquareColor()
                                                                 : board.LightSquareColor()),
                              framed
                                  ? std::optional(SquareSurface::RgbOf(board.HighlightMoveColor()))
                                  : std::nullopt,
                              square.Occupied ? std::optional(square.Piece.Kind) : std::nullopt,
                              offset, andLayer, orLayer, ratio_));
    }
    painter.end();
    expected.setDevicePixelRatio(ratio_);
    QCOMPARE(shown, expected);
}

void BoardHiDpiTest::dragCursorIsSharp() {
    brdChessboard board;
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    BoardTestAccess::PickUp(board, "g1");
    QVERIFY(QApplication::overrideCursor() != nullptr);
    const QPixmap pointer = QApplication::overrideCursor()->pixmap();
    QCOMPARE(pointer.devicePixelRatio(), qreal(ratio_));
    QCOMPARE(pointer.toImage().convertToFormat(QImage::Format_RGB32),
             Drawn(QStringLiteral("icons/piece-09")));
    QCOMPARE(QApplication::overrideCursor()->hotSpot(), QPoint(16, 16) * ratio_);
    brdChessboardPrivate::Of(board).EndDrag();
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
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        int covered = 0;
        for (int y = 0; y < cell; ++y) {
            for (int x = kind * cell; x < (kind + 1) * cell; ++x) {
                const QRgb mask = density.andLayer.pixel(x, y) & RGB_MASK;
                QVERIFY(mask == 0 || mask == RGB_MASK);
                QVERIFY(mask == 0 || (density.orLayer.pixel(x, y) & RGB_MASK) == 0);
                covered += mask == 0 ? 1 : 0;
            }
        }
        int normal = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = kind * 32; x < (kind + 1) * 32; ++x) {
                normal += (artwork->AndLayer().pixel(x, y) & RGB_MASK) == 0 ? 1 : 0;
            }
        }
        const qreal share = covered / (normal * ratio * ratio);
        QVERIFY2(share > 0.9 && share < 1.1, qPrintable(QString::number(share)));
    }
}

QTEST_MAIN(BoardHiDpiTest)
#include "board_hidpi_test.moc"
