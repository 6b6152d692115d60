// The six properties: change reports, what each write redraws, saving and loading, About.
#include "BoardTestSupport.h"
#include "board/PropertyStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorrin;

namespace {

const QStringList KeyOrder = {"DarkSquareColor", "LightSquareColor", "Locked",
                              "SideView",        "HighlightMove",    "HighlightMoveColor"};

class MemoryStore final : public PropertyStore {
public:
    QVariant Read(const QString& key, const QVariant& defaultValue) const override {
        readOrder << key;
        return values.value(key, defaultValue);
    }
    void Write(const QString& key, const QVariant& value) override { values[key] = value; }

    QVariantMap values;
    mutable QStringList readOrder;
};

} // namespace

class BoardPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void everyWriteIsReported_data();
    void everyWriteIsReported();
    void whatEachWriteRedraws();
    void saveAndLoadThroughAnIniFile();
    void unreadableValuesTakeDefaults_data();
    void unreadableValuesTakeDefaults();
    void loadingShowsBlackViewFromTheFirstPaint();
    void firstPlacementAndReadOnlyStore();
    void aboutBox();
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
    QStringList keys = file.childKeys();
    keys.sort();
    QStringList expected = KeyOrder;
    expected.sort();
    QCOMPARE(keys, expected);

    brdChessboard loaded;
    loaded.ReadProperties(SettingsPropertyStore(path, QStringLiteral("brdChessboard1")));
    QCOMPARE(loaded.LightSquareColor(), 0x01020304u);
    QCOMPARE(loaded.Locked(), true);
    QCOMPARE(loaded.SideView(), -7);
    QCOMPARE(loaded.HighlightMove(), false);
    QCOMPARE(test::Picture(loaded, "a8").pixel(0, 0), qRgb(0x04, 0x03, 0x02));
}

void BoardPropertiesTest::unreadableValuesTakeDefaults_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");
    const QVariant grey(0x00808080u);
    QTest::newRow("colour text") << "DarkSquareColor" << QVariant("blue") << grey;
    QTest::newRow("colour over 32 bits") << "DarkSquareColor" << QVariant("4294967296") << grey;
    QTest::newRow("colour list") << "DarkSquareColor" << QVariant(QStringList{"1", "2"}) << grey;
    QTest::newRow("colour signed") << "DarkSquareColor" << QVariant("-1") << QVariant(~0u);
    QTest::newRow("SideView fraction") << "SideView" << QVariant("1.5") << QVariant(0);
    QTest::newRow("SideView unsigned") << "SideView" << QVariant(4294967295u) << QVariant(-1);
    QTest::newRow("Locked TRUE") << "Locked" << QVariant("TRUE") << QVariant(true);
    QTest::newRow("Locked -1") << "Locked" << QVariant(-1) << QVariant(true);
    QTest::newRow("Locked garbage") << "Locked" << QVariant("yes") << QVariant(false);
    QTest::newRow("HighlightMove 0") << "HighlightMove" << QVariant("0") << QVariant(false);
}

void BoardPropertiesTest::unreadableValuesTakeDefaults() {
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);
    MemoryStore store;
    store.values[key] = stored;
    brdChessboard board;
    board.ReadProperties(store);
    QCOMPARE(board.property(key.toLatin1()), expected);
}

void BoardPropertiesTest::loadingShowsBlackViewFromTheFirstPaint() {
    MemoryStore store;
    store.values[QStringLiteral("SideView")] = QStringLiteral("5");
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.ReadProperties(store);
    QCOMPARE(store.readOrder, KeyOrder);
    QCOMPARE(QList<QVariantList>(changes), (QList<QVariantList>{{QStringLiteral("SideView")}}));

    board.SetExtentTwips(6135, 6135);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    const QImage screen = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.copy(0, 0, 51, 51), test::ExpectedSquare(board, "h1", false));
    QCOMPARE(screen.copy(357, 357, 51, 51), test::ExpectedSquare(board, "a8", false));
}

void BoardPropertiesTest::firstPlacementAndReadOnlyStore() {
    // A saved state compiled into the resources; the keys it lacks take their defaults.
    SettingsPropertyStore store(QStringLiteral(":/saved-board.ini"),
                                QStringLiteral("brdChessboard1"));
    brdChessboard board;
    board.ReadProperties(store);
    QCOMPARE(board.DarkSquareColor(), 0x00336699u);
    QCOMPARE(board.LightSquareColor(), 0x00E0E0E0u);
    QCOMPARE(board.Locked(), true);
    QCOMPARE(board.SideView(), 1);
    board.WriteProperties(store);
    store.Sync(); // dropped quietly

    // First placement: defaults again, except Locked, and eight template squares.
    board.InitProperties();
    QCOMPARE(board.DarkSquareColor(), 0x00808080u);
    QCOMPARE(board.SideView(), 0);
    QCOMPARE(board.Locked(), true);
    QCOMPARE(board.ExtentWidthTwips(), 4920);
    QCOMPARE(board.SquarePixels(), 41);
    QCOMPARE(test::Picture(board, "b8").pixel(5, 5), qRgb(0x80, 0x80, 0x80));
}

void BoardPropertiesTest::aboutBox() {
    brdChessboard board;
    for (const QString& name : {QString(), QStringLiteral("brdChessboard1")}) {
        board.setObjectName(name);
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        board.About();
        QCOMPARE(title, name.isEmpty() ? QStringLiteral("About brdChessboard") : "About " + name);
        QCOMPARE(icon, QMessageBox::Information);
        QVERIFY(text.contains(QStringLiteral("Quorrin chess board")));
    }
}

QTEST_MAIN(BoardPropertiesTest)
#include "board_properties_test.moc"
