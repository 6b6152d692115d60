// What the board shows: its size in twips, its squares placed for either view and composed at the
// device pixel ratio of its screen (offscreen screens at ratios 1, 2 and 3), also after its window
// moves to another, coordinates and legal-move hints, and the eight properties that change the
// pictures, saved and loaded.
#include "BoardTestSupport.h"
#include "board/PropertyStore.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <array>
#include <climits>

using namespace quorrin;

namespace {

QScreen* ScreenOfRatio(int ratio) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return *std::find_if(screens.begin(), screens.end(),
                         [&](QScreen* screen) { return screen->devicePixelRatio() == ratio; });
}

// Moves a shown window onto the screen of that ratio and waits until Qt has it there.
bool MoveToRatio(QWidget& window, int ratio) {
    window.move(ScreenOfRatio(ratio)->geometry().topLeft() + QPoint(10, 10));
    return QTest::qWaitFor([&] { return qFuzzyCompare(window.devicePixelRatioF(), qreal(ratio)); });
}

// The board as it should look at a ratio: a8 top-left in White's view (SideView 0), h1 in any
// other, every square composed from the pictures of that density.
QImage ExpectedBoard(const brdChessboard& board, int ratio, const QStringList& framed) {
    QImage expected(board.size() * ratio, QImage::Format_RGB32);
    QPainter painter(&expected);
    for (int k = 1; k <= 64; ++k) {
        const int cell = board.SideView() == 0 ? k - 1 : 64 - k;
        const bool frame = framed.contains(QString::fromStdString(SquareIndexToName(k)));
        painter.drawImage(QPoint(cell % 8, cell / 8) * board.SquarePixels() * ratio,
                          test::ExpectedSquare(board, k, frame, ratio));
    }
    painter.end();
    expected.setDevicePixelRatio(ratio);
    return expected;
}

QImage Shown(brdChessboard& board) {
    return board.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class BoardDrawingTest : public QObject {
    Q_OBJECT

private slots:
    // Any extent ends in eight whole squares a side: extents in twips, or pixels when a host
    // resizes the board, on a screen of a ratio; the side after in twips, a square's in pixels.
    void resizeSquaresTheBoard() {
        for (const auto& [extent, byHost, ratio, side, pixels] :
             {std::tuple{QSize(1000, 3000), false, 1, 3840, 32}, // higher than wide, small
              {QSize(8000, 2000), false, 1, 8000, 66},           // wider than high
              {QSize(6135, 6135), false, 1, 6128, 51},           // the host's design size
              {QSize(4000, 4000), false, 1, 4000, 33},           // a square multiple of 8 kept
              {QSize(-5000, -1), false, 1, 3840, 32},
              // At ratio 3 these pictures would take 2.4 GB: they stay 1024 pixels, at ratio 1.
              {QSize(INT_MAX, 0), false, 3, 8 * 15360, 1024},
              {QSize(500, 300), true, 1, 7496, 62}}) { // 7500 x 4500 twips: squares of 937

            QWidget host;
            host.setScreen(ScreenOfRatio(ratio));
            auto& board = *new brdChessboard(&host);
            QCOMPARE(board.SquarePixels(), 41); // the template's design size until a resize
            host.setVisible(byHost);
            QVERIFY(!byHost || QTest::qWaitForWindowExposed(&host));
            QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
            if (byHost) {
                board.resize(extent);
            } else {
                board.SetExtentTwips(extent.width(), extent.height());
            }
            QCOMPARE(QSize(board.ExtentWidthTwips(), board.ExtentHeightTwips()), QSize(side, side));
            QCOMPARE(board.size(), QSize(8, 8) * pixels);
            QCOMPARE(QList<QVariantList>(changes), QList<QVariantList>{{"SideView"}});
            QVERIFY(test::Shows(board, "d1", false)); // the white queen, centred
        }
    }

    // White's view with the smallest squares, Black's with even margins, and any non-zero view
    // at the host's design size, taken to a denser screen and back.
    void picturesInEitherViewAtEveryDensity() {
        for (const auto& [extent, sideView, ratio] :
             {std::array{1000, 0, 2}, {8000, 1, 3}, {6135, INT_MIN, 2}}) {
            brdChessboard board;
            board.SetExtentTwips(extent, extent);
            const QSize size = board.size();
            const int side = board.ExtentWidthTwips();
            board.show();
            QVERIFY(QTest::qWaitForWindowExposed(&board));
            // The board's own size, which Qt delivers when a hidden board is shown, changes
            // nothing: 6128 twips stay 6128 rather than becoming 408 pixels of 15 twips.
            QCOMPARE(board.ExtentWidthTwips(), side);
            QVERIFY(board.MovePiece(QStringLiteral("e2"), QStringLiteral("e4")));
            board.setSideView(sideView);
            QCOMPARE(Shown(board), ExpectedBoard(board, 1, {"e2", "e4"}));

            // On a denser screen the same board in the same logical size is composed again, and
            // moves made there at once; a refused one changes nothing.
            QVERIFY(MoveToRatio(board, ratio));
            QCOMPARE(board.size(), size);
            QCOMPARE(Shown(board), ExpectedBoard(board, ratio, {"e2", "e4"}));
            QVERIFY(board.MovePiece("d7", "d5") && board.MovePiece("e4", "d5"));
            QVERIFY(!board.MovePiece("d5", "d3"));
            QCOMPARE(Shown(board), ExpectedBoard(board, ratio, {"e4", "d5"}));
            // The knight picked up there is carried by a sharp pointer. X11 takes the hot spot
            // in the picture's own pixels: the middle of the icon.
            const QPoint g8 = test::Surface(board, "g8")->geometry().center();
            QTest::mousePress(board.windowHandle(), Qt::LeftButton, {}, g8);
            const QCursor* pointer = QApplication::overrideCursor();
            QVERIFY(pointer != nullptr);
            QCOMPARE(pointer->pixmap().devicePixelRatio(), qreal(ratio));
            QCOMPARE(pointer->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                     test::Drawn(QStringLiteral("icons/piece-03"), ratio));
            QCOMPARE(pointer->hotSpot(), QPoint(16, 16) * ratio);
            QTest::keyClick(board.windowHandle(), Qt::Key_Escape); // puts it back at once
            QTest::mouseRelease(board.windowHandle(), Qt::LeftButton, {}, g8);
            // Taken back, and on the way back to normal density.
            QVERIFY(board.UndoLastMove());
            QVERIFY(MoveToRatio(board, 1));
            QCOMPARE(Shown(board), ExpectedBoard(board, 1, {"d7", "d5"}));
        }
    }

    // Ratios without pictures of their own get resampled layers and icons of their size that
    // still compose exactly: the AND layer black or white, the OR layer black wherever the AND
    // layer is white, and each piece covering about as much of its cell as at normal density.
    void resampledDensityKeepsTheRule() {
        const auto artwork = PieceArtwork::Shared();
        // Pixels inside each piece; a pixel that breaks the rule makes the count hugely negative.
        const auto covered = [](const PieceArtwork::Density& drawn) {
            std::array<int, PieceTypeCount> pixels{};
            for (int y = 0; y < drawn.cell; ++y) {
                for (int x = 0; x < drawn.andLayer.width(); ++x) {
                    const QRgb mask = drawn.andLayer.pixel(x, y) & RGB_MASK;
                    const bool rule = mask == 0 || (mask == RGB_MASK &&
                                                    (drawn.orLayer.pixel(x, y) & RGB_MASK) == 0);
                    pixels[x / drawn.cell] += !rule ? -1000000 : mask == 0 ? 1 : 0;
                }
            }
            return pixels;
        };
        const std::array<int, PieceTypeCount> normal = covered(artwork->At(1));
        for (const auto& [ratio, cell] : {std::pair(1.5, 48), {1.25, 40}, {4.0, 128}}) {
            const PieceArtwork::Density& density = artwork->At(ratio);
            QCOMPARE(density.andLayer.size(), QSize(cell * PieceTypeCount, cell));
            QCOMPARE(density.icons[WhiteKnight].size(), QSize(cell, cell));
            QCOMPARE(density.icons[WhiteKnight].devicePixelRatio(), ratio);
            QCOMPARE(&artwork->At(ratio), &density); // made once
            const std::array<int, PieceTypeCount> inside = covered(density);
            for (int kind = 0; kind < PieceTypeCount; ++kind) {
                const qreal share = inside[kind] / (normal[kind] * ratio * ratio);
                QVERIFY2(share > 0.9 && share < 1.1, qPrintable(QString::number(share)));
            }
        }
    }

    // After 1. e4 d5: the edge squares as shown (and they alone) carry coordinates, sharp at the
    // screen's density in the other square colour; the pawn on e4 in hand (mouse or keys) puts a
    // dot on e5 and a ring under the pawn on d5, redrawing only those squares (and e4, emptied
    // for the mouse); the capture takes them away with the squares of the move.
    void coordinatesAndLegalMoves() {
        for (const auto& [ratio, sideView, byKeys, edges] :
             {std::tuple{1, 0, false, "a8 a7 a6 a5 a4 a3 a2 a1 b1 c1 d1 e1 f1 g1 h1"},
              {2, 1, true, "a8 b8 c8 d8 e8 f8 g8 h8 h7 h6 h5 h4 h3 h2 h1"}}) {
            brdChessboard board;
            board.SetExtentTwips(6135, 6135);
            board.show();
            QVERIFY(QTest::qWaitForWindowExposed(&board) && MoveToRatio(board, ratio));
            QVERIFY(board.MovePiece("e2", "e4") && board.MovePiece("d7", "d5"));
            board.setCoordinates(true);
            board.setShowLegalMoves(true);
            board.setSideView(sideView);
            std::array<qint64, 65> keys{};
            QStringList marked, redrawn; // squares unlike the expected picture, and recomposed
            const auto look = [&](const QStringList& framed, double inner = 0, double outer = 0) {
                marked.clear();
                redrawn.clear();
                for (int k = 1; k <= 64; ++k) {
                    const QString name = QString::fromStdString(SquareIndexToName(k));
                    QImage expected =
                        test::ExpectedSquare(board, k, framed.contains(name), ratio, inner, outer);
                    expected.setDevicePixelRatio(ratio);
                    const QImage& shown = test::Surface(board, qPrintable(name))->Image();
                    marked << (shown != expected ? name : QString());
                    redrawn << (std::exchange(keys[k], shown.cacheKey()) != shown.cacheKey()
                                    ? name
                                    : QString());
                }
                marked.removeAll(QString());
                redrawn.removeAll(QString());
            };
            look({"d7", "d5"});
            QCOMPARE(marked.join(' '), QString(edges));
            const QImage corner = test::Surface(board, sideView == 0 ? "a1" : "h8")->Image();
            bool inked = false, sharp = false; // in the digit's corner, left of the piece
            for (int y = 0; y + 1 < corner.height() / 2; ++y) {
                for (int x = 0; x + 1 < corner.width() / 6; ++x) {
                    inked = inked || corner.pixel(x, y) == qRgb(0xE0, 0xE0, 0xE0);
                    sharp = sharp || corner.pixel(x, y) != corner.pixel(x | 1, y | 1);
                }
            }
            QVERIFY(inked && (ratio == 1 || sharp)); // not enlarged in 2 x 2 blocks

            // Keys as Black sees the board; the mouse presses on e4, lets go on d5.
            const auto hand = [&](Qt::Key step, const char* square, bool press) {
                for (const Qt::Key key : {Qt::Key_Down, step, Qt::Key_Space}) {
                    if (byKeys) {
                        QTest::keyClick(&board, key);
                    }
                }
                if (!byKeys && press) {
                    QTest::mousePress(test::Surface(board, square), Qt::LeftButton);
                } else if (!byKeys) {
                    QTest::mouseRelease(test::Surface(board, square), Qt::LeftButton);
                }
            };
            hand(Qt::Key_Down, "e4", true);
            look({"d7", "d5"}, 0, 1.0 / 6);
            QCOMPARE(redrawn, (byKeys ? QStringList{"d5", "e5"} : QStringList{"d5", "e5", "e4"}));
            QVERIFY(!marked.contains("e5")); // the dot
            look({"d7", "d5"}, 0.40, 0.47);
            QVERIFY(!marked.contains("d5")); // the ring
            hand(Qt::Key_Right, "d5", false);
            look({"e4", "d5"});
            QCOMPARE(redrawn, (QStringList{"d7", "d5", "e5", "e4"})); // d7 loses its frame
            QCOMPARE(marked.join(' '), QString(edges));
            // A piece carried from an edge square (Black's rook, after exd5) leaves the
            // square's digit in place.
            const auto digitCorner = [](const QImage& square) {
                return square.copy(0, 0, square.width() / 4, square.height() / 4);
            };
            const QImage before = test::Surface(board, "a8")->Image();
            QTest::mousePress(test::Surface(board, "a8"), Qt::LeftButton);
            const QImage& carried = test::Surface(board, "a8")->Image();
            QVERIFY(sideView != 0 ||
                    (carried != before && digitCorner(carried) == digitCorner(before)));
        }
    }

    void propertiesWrittenSavedAndLoaded_data() {
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("saved"); // another value as a saved file may hold it
        QTest::addColumn<QVariant>("read"); // and as it is read
        QTest::newRow("DarkSquareColor")
            << QVariant(0x00808080u) << QVariant(0xFFFFFFFFu) << "3368601" << QVariant(0x00336699u);
        QTest::newRow("LightSquareColor") << QVariant(0x00E0E0E0u) << QVariant(0x01020304u)
                                          << "4294967296" << QVariant(0x00E0E0E0u); // > 32 bits
        QTest::newRow("Locked") << QVariant(false) << QVariant(true) << "TRUE" << QVariant(true);
        QTest::newRow("SideView") << QVariant(0) << QVariant(INT_MIN) << "4294967295"
                                  << QVariant(-1);
        QTest::newRow("HighlightMove")
            << QVariant(true) << QVariant(false) << "yes" << QVariant(true);
        QTest::newRow("HighlightMoveColor")
            << QVariant(0x00FF0000u) << QVariant(7u) << "-1" << QVariant(0xFFFFFFFFu);
        QTest::newRow("Coordinates") << QVariant(false) << QVariant(true) << "0" << QVariant(false);
        QTest::newRow("ShowLegalMoves")
            << QVariant(false) << QVariant(true) << "False" << QVariant(false);
    }

    void propertiesWrittenSavedAndLoaded() {
        QFETCH(QVariant, value);
        const char* name = QTest::currentDataTag();
        brdChessboard board;
        QTEST(board.property(name), "defaultValue");
        QVERIFY(board.MovePiece("g1", "f3") && board.MovePiece("g8", "f6"));
        // A piece picked up and let go on a hidden board, where the board's grab does not take:
        // the square itself hears the release, and the carrying ends.
        QTest::mouseClick(test::Surface(board, "f3"), Qt::LeftButton);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // Each write is reported, a repeat too; colours redraw all squares, the frame a move's.
        QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
        QVERIFY(board.setProperty(name, value) && board.setProperty(name, value));
        QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{name}, {name}}));
        QCOMPARE(board.property(name), value);
        const bool framed = board.HighlightMove();
        QVERIFY(test::Shows(board, "f6", framed) && test::Shows(board, "g8", framed) &&
                test::Shows(board, "c2", false) && test::Shows(board, "d4", false));

        // Saved, every key even at its default; loaded, with SideView alone reported (its write
        // lays the squares out) and the loaded view and colours drawn from the first paint on.
        QTemporaryDir dir;
        SettingsPropertyStore store(dir.filePath("GAME.ini"), QStringLiteral("brdChessboard1"));
        board.WriteProperties(store);
        store.Sync();
        QCOMPARE(QSettings(dir.filePath("GAME.ini"), QSettings::IniFormat).allKeys().size(), 8);
        brdChessboard loaded;
        QSignalSpy loadChanges(&loaded, &brdChessboard::PropertyChanged);
        loaded.ReadProperties(store);
        QCOMPARE(loaded.property(name), value);
        QCOMPARE(QList<QVariantList>(loadChanges), QList<QVariantList>{{"SideView"}});
        loaded.show();
        QVERIFY(QTest::qWaitForWindowExposed(&loaded));
        if (!loaded.Coordinates()) { // their pictures are checked above
            QCOMPARE(Shown(loaded), ExpectedBoard(loaded, 1, {}));
        }
        // As a file may hold them: 32-bit numbers, true or false in any case; else the default.
        QFETCH(QString, saved);
        store.Write(name, saved);
        loaded.ReadProperties(store);
        QTEST(loaded.property(name), "read");
    }
};

int main(int argc, char** argv) {
    // Three screens side by side, at device pixel ratios 1 (the first, primary), 2 and 3.
    QTemporaryFile screens; // if it cannot be written, the screens are missing and tests fail
    screens.open();
    screens.write(R"({"screens": [
        {"name": "normal", "x": 0, "y": 0, "width": 1000, "height": 1000},
        {"name": "dense", "x": 1000, "y": 0, "width": 2000, "height": 2000},
        {"name": "denser", "x": 3000, "y": 0, "width": 3000, "height": 3000}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "normal=1;dense=2;denser=3");
    qunsetenv("QT_SCALE_FACTOR"); // it would multiply all three
    QApplication app(argc, argv);
    BoardDrawingTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "board_drawing_test.moc"
