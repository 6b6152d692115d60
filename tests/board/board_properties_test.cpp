// The six properties: change reports, what each write redraws, saving and loading.
#include "BoardTestSupport.h"
#include "board/PropertyStore.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorrin;

class BoardPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void everyWriteIsReported_data();
    void everyWriteIsReported();
    void whatEachWriteRedraws();
    void saveAndLoadThroughAnIniFile();
    void loadedBlackViewFromTheFirstPaint();
};

void BoardPropertiesTest::everyWriteIsReported_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::newRow("DarkSquareColor") << QVariant(0xFFFFFFFFu) << QVariant(0x00808080u);
    QTest::newRow("LightSquareColor") << QVariant(0x00E0E0E0u) << QVariant(0x00E0E0E0u);
    QTest::newRow("Locked") << QVariant(true) << QVariant(false);
    QTest::newRow("SideView") << QVariant(INT_MIN) << QVariant(0);
    QTest::newRow("HighlightMove") << QVariant(true) << QVariant(true);
    QTest::newRow("HighlightMoveColor") << QVariant(7u) << QVariant(0x00FF0000u);
}

void BoardPropertiesTest::everyWriteIsReported() {
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    const QByteArray name = QTest::currentDataTag();
    brdChessboard board;
    QCOMPARE(board.property(name), defaultValue);
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    // The second write stores the same value and is reported all the same.
    QVERIFY(board.setProperty(name, value));
    QVERIFY(board.setProperty(name, value));
    QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{QString(name)}, {QString(name)}}));
    QCOMPARE(board.property(name), value);
}

void BoardPropertiesTest::whatEachWriteRedraws() {
    // A picked-up piece leaves its square drawn empty: a probe for which writes redraw it.
    brdChessboard board;
    QVERIFY(board.MovePiece(QStringLiteral("g1"), QStringLiteral("f3")));
    QVERIFY(board.MovePiece(QStringLiteral("g8"), QStringLiteral("f6")));
    BoardTestAccess::PickUp(board, "f3");
    const QImage cleared = test::Picture(board, "f3");
    board.setLocked(true);
    board.setSideView(1);
    board.setHighlightMove(true);        // redraws g8 and f6 only
    board.setHighlightMoveColor(0x00FF); // the same two
    QCOMPARE(test::Picture(board, "f3"), cleared);
    QCOMPARE(test::Picture(board, "f6"), test::ExpectedSquare(board, "f6", true));
    board.setLightSquareColor(0x00E0E0E0); // the whole board
    QCOMPARE(test::Picture(board, "f3"), test::ExpectedSquare(board, "f3", false));
    BoardTestAccess::Tick(board);
}

void BoardPropertiesTest::saveAndLoadThroughAnIniFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GAME.ini"));
    {
        brdChessboard board;
        SettingsPropertyStore store(path, QStringLiteral("defaults"));
        board.WriteProperties(store); // every key, although all hold their defaults
        board.setLightSquareColor(0x01020304);
        board.setLocked(true);
        board.setSideView(-7);
        board.setHighlightMove(false);
        SettingsPropertyStore saved(path, QStringLiteral("brdChessboard1"));
        board.WriteProperties(saved);
    }
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("defaults"));
    QCOMPARE(file.childKeys().size(), 6);

    brdChessboard loaded;
    loaded.ReadProperties(SettingsPropertyStore(path, QStringLiteral("brdChessboard1")));
    QCOMPARE(loaded.LightSquareColor(), 0x01020304u);
    QCOMPARE(loaded.Locked(), true);
    QCOMPARE(loaded.SideView(), -7);
    QCOMPARE(loaded.HighlightMove(), false);
    QCOMPARE(test::Picture(loaded, "a8").pixel(0, 0), qRgb(0x04, 0x03, 0x02));
}

void BoardPropertiesTest::loadedBlackViewFromTheFirstPaint() {
    // A saved state compiled into the resources (read-only), with values of every kind.
    SettingsPropertyStore store(QStringLiteral(":/saved-board.ini"),
                                QStringLiteral("brdChessboard1"));
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.ReadProperties(store);
    QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{QStringLiteral("SideView")}}));
    QCOMPARE(board.DarkSquareColor(), 0x00336699u);
    QCOMPARE(board.LightSquareColor(), 0x00E0E0E0u);   // over 32 bits: the default
    QCOMPARE(board.Locked(), true);                    // "TRUE"
    QCOMPARE(board.SideView(), -1);                    // 4294967295 read as 32 bits
    QCOMPARE(board.HighlightMove(), true);             // "yes": the default
    QCOMPARE(board.HighlightMoveColor(), 0xFFFFFFFFu); // -1 read as 32 bits
    board.WriteProperties(store);
    store.Sync(); // dropped quietly

    board.SetExtentTwips(6135, 6135);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    const QImage screen = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.copy(0, 0, 51, 51), test::ExpectedSquare(board, "h1", false));
    QCOMPARE(screen.copy(357, 0, 51, 51), test::ExpectedSquare(board, "a1", false));
}

QTEST_MAIN(BoardPropertiesTest)
#include "board_properties_test.moc"
