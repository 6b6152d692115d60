// The six properties: change reports, what each write redraws, saving and loading.
#include "BoardTestSupport.h"
#include "board/PropertyStore.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

using namespace quorrin;

class BoardPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void everyWriteIsReportedAndRedrawsItsPart_data();
    void everyWriteIsReportedAndRedrawsItsPart();
    void garbageAndRoundTripThroughAnIniFile();
};

void BoardPropertiesTest::everyWriteIsReportedAndRedrawsItsPart_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::newRow("DarkSquareColor") << QVariant(0xFFFFFFFFu) << QVariant(0x00808080u);
    QTest::newRow("LightSquareColor") << QVariant(0x00123456u) << QVariant(0x00E0E0E0u);
    QTest::newRow("Locked") << QVariant(true) << QVariant(false);
    QTest::newRow("SideView") << QVariant(INT_MIN) << QVariant(0);
    QTest::newRow("HighlightMove") << QVariant(false) << QVariant(true);
    QTest::newRow("HighlightMoveColor") << QVariant(7u) << QVariant(0x00FF0000u);
}

void BoardPropertiesTest::everyWriteIsReportedAndRedrawsItsPart() {
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    const QByteArray name = QTest::currentDataTag();
    brdChessboard board;
    QCOMPARE(board.property(name), defaultValue);
    // A picked-up piece leaves its square drawn empty until something redraws it.
    QVERIFY(board.MovePiece(QStringLiteral("g1"), QStringLiteral("f3")));
    QVERIFY(board.MovePiece(QStringLiteral("g8"), QStringLiteral("f6")));
    BoardTestAccess::PickUp(board, "f3");
    const QImage cleared = test::Picture(board, "f3");
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    // The second write stores the same value and is reported all the same.
    QVERIFY(board.setProperty(name, value));
    QVERIFY(board.setProperty(name, value));
    QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{QString(name)}, {QString(name)}}));
    QCOMPARE(board.property(name), value);
    // The square colours repaint the board, the frame settings the last move's squares.
    if (name.endsWith("SquareColor")) {
        QVERIFY(test::Shows(board, "f3", false));
    } else {
        QCOMPARE(test::Picture(board, "f3"), cleared);
    }
    const bool framed = board.HighlightMove();
    QVERIFY(test::Shows(board, "f6", framed) && test::Shows(board, "g8", framed));
}

void BoardPropertiesTest::garbageAndRoundTripThroughAnIniFile() {
    // A saved state compiled into the resources (read-only), with values of every kind.
    SettingsPropertyStore garbage(QStringLiteral(":/saved-board.ini"),
                                  QStringLiteral("brdChessboard1"));
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.ReadProperties(garbage);
    QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{QStringLiteral("SideView")}}));
    QCOMPARE(board.DarkSquareColor(), 0x00336699u);
    QCOMPARE(board.LightSquareColor(), 0x00E0E0E0u);   // over 32 bits: the default
    QCOMPARE(board.Locked(), true);                    // "TRUE"
    QCOMPARE(board.SideView(), -1);                    // 4294967295 read as 32 bits
    QCOMPARE(board.HighlightMove(), true);             // "yes": the default
    QCOMPARE(board.HighlightMoveColor(), 0xFFFFFFFFu); // -1 read as 32 bits
    board.WriteProperties(garbage);
    garbage.Sync(); // dropped quietly

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GAME.ini"));
    SettingsPropertyStore defaults(path, QStringLiteral("defaults"));
    brdChessboard().WriteProperties(defaults); // every key, although all hold their defaults
    QCOMPARE(QSettings(path, QSettings::IniFormat).allKeys().filter("defaults/").size(), 6);
    const std::pair<const char*, QVariant> saved[] = {{"DarkSquareColor", 0x00000001u},
                                                      {"LightSquareColor", 0x01020304u},
                                                      {"Locked", false},
                                                      {"SideView", -7},
                                                      {"HighlightMove", false},
                                                      {"HighlightMoveColor", 0xFF000000u}};
    for (const auto& [name, value] : saved) {
        board.setProperty(name, value);
    }
    SettingsPropertyStore store(path, QStringLiteral("brdChessboard1"));
    board.WriteProperties(store);
    store.Sync();
    brdChessboard loaded;
    loaded.ReadProperties(SettingsPropertyStore(path, QStringLiteral("brdChessboard1")));
    for (const auto& [name, value] : saved) {
        QCOMPARE(loaded.property(name), value);
    }
    // Black's view and the loaded colours from the first paint on.
    loaded.SetExtentTwips(6135, 6135);
    loaded.show();
    QVERIFY(QTest::qWaitForWindowExposed(&loaded));
    const QImage screen = loaded.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.copy(0, 0, 51, 51), test::Picture(loaded, "h1"));
    QCOMPARE(screen.copy(357, 0, 51, 51), test::Picture(loaded, "a1"));
    QVERIFY(test::Shows(loaded, "h1", false) && test::Shows(loaded, "a1", false));
    QCOMPARE(test::Picture(loaded, "h1").pixel(0, 0), qRgb(0x04, 0x03, 0x02));
}

QTEST_MAIN(BoardPropertiesTest)
#include "board_properties_test.moc"
