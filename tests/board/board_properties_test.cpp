// The six properties: defaults, change reports, what each write redraws, saving and loading,
// and the About box.
#include "BoardTestSupport.h"
#include "board/PropertyStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace quorrin;

namespace {

// A store in memory, counting reads so that a test can see the order of the keys.
class MemoryStore final : public PropertyStore {
public:
    QVariant Read(const QString& key, const QVariant& defaultValue) const override {
        readOrder.append(key);
        const auto found = values.find(key);
        return found != values.end() ? found->second : defaultValue;
    }
    void Write(const QString& key, const QVariant& value) override {
        values[key] = value;
        writeOrder.append(key);
    }

    std::map<QString, QVariant> values;
    mutable QStringList readOrder;
    QStringList writeOrder;
};

const QStringList KeyOrder = {"DarkSquareColor", "LightSquareColor", "Locked",
                              "SideView",        "HighlightMove",    "HighlightMoveColor"};

// Picks up the piece on a square so that it shows empty; tells whether a later write
// brought the piece back, that is redrew the square.
struct ClearedSquare {
    ClearedSquare(brdChessboard& board, const char* name) : board(board), name(name) {
        BoardTestAccess::MouseDown(board, SquareNameToIndex(name), Qt::LeftButton);
    }
    ~ClearedSquare() { BoardTestAccess::Tick(board); }
    bool Redrawn() const {
        return test::Picture(board, name) == test::ExpectedSquare(board, name, false);
    }
    brdChessboard& board;
    const char* name;
};

} // namespace

class BoardPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void everyWriteIsReported_data();
    void everyWriteIsReported();
    void whatEachWriteRedraws();
    void saveAndLoadRoundTrip();
    void loadingOrderAndReports();
    void unreadableValuesTakeDefaults_data();
    void unreadableValuesTakeDefaults();
    void loadedBlackViewFromTheFirstPaint();
    void readOnlyStoreInResources();
    void firstPlacement();
    void aboutBox_data();
    void aboutBox();
};

void BoardPropertiesTest::defaults() {
    brdChessboard board;
    QCOMPARE(board.DarkSquareColor(), 0x00808080u);
    QCOMPARE(board.LightSquareColor(), 0x00E0E0E0u);
    QCOMPARE(board.Locked(), false);
    QCOMPARE(board.SideView(), 0);
    QCOMPARE(board.HighlightMove(), true);
    QCOMPARE(board.HighlightMoveColor(), 0x00FF0000u);
    QCOMPARE(board.SideTurn(), 0);
}

void BoardPropertiesTest::everyWriteIsReported_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("DarkSquareColor") << "DarkSquareColor" << QVariant::fromValue(0xFFFFFFFFu);
    QTest::newRow("LightSquareColor") << "LightSquareColor" << QVariant::fromValue(0x00E0E0E0u);
    QTest::newRow("Locked") << "Locked" << QVariant(false);
    QTest::newRow("SideView") << "SideView" << QVariant(qint32(-2147483647 - 1));
    QTest::newRow("HighlightMove") << "HighlightMove" << QVariant(true);
    QTest::newRow("HighlightMoveColor") << "HighlightMoveColor" << QVariant::fromValue(7u);
}

void BoardPropertiesTest::everyWriteIsReported() {
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    brdChessboard board;
    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    // Twice: the second write stores the same value and is reported all the same.
    QVERIFY(board.setProperty(name.toLatin1(), value));
    QVERIFY(board.setProperty(name.toLatin1(), value));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(1).at(0).toString(), name);
    QCOMPARE(board.property(name.toLatin1()), value);
}

void BoardPropertiesTest::whatEachWriteRedraws() {
    brdChessboard board;
    {
        // Locked, SideView and the frame properties before any move redraw nothing.
        ClearedSquare e2(board, "e2");
        board.setLocked(true);
        board.setSideView(1);
        board.setHighlightMove(true);
        board.setHighlightMoveColor(0x000000FF);
        QVERIFY(!e2.Redrawn());
        QCOMPARE(test::Picture(board, "e2").pixel(20, 20), qRgb(0xE0, 0xE0, 0xE0));
        // A square colour repaints the whole board, the carried piece's square included.
        board.setDarkSquareColor(0x00808080);
        QVERIFY(e2.Redrawn());
    }
    board.setLocked(false);
    {
        ClearedSquare d2(board, "d2");
        board.setLightSquareColor(0x00E0E0E0);
        QVERIFY(d2.Redrawn());
    }
    QVERIFY(board.MovePiece(QStringLiteral("g1"), QStringLiteral("f3")));
    QVERIFY(board.MovePiece(QStringLiteral("g8"), QStringLiteral("f6")));
    {
        // The frame properties redraw exactly the last move's two squares.
        ClearedSquare f3(board, "f3");
        board.setHighlightMoveColor(0x000000FF);
        QVERIFY(!f3.Redrawn());
        QCOMPARE(test::Picture(board, "f6"), test::ExpectedSquare(board, "f6", true));
    }
}

void BoardPropertiesTest::saveAndLoadRoundTrip() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("GAME.ini"));
    {
        brdChessboard board;
        board.setDarkSquareColor(0xFFFFFFFF);
        board.setLightSquareColor(0x01020304);
        board.setLocked(true);
        board.setSideView(-7);
        board.setHighlightMove(false);
        board.setHighlightMoveColor(0);
        SettingsPropertyStore store(path, QStringLiteral("brdChessboard1"));
        board.WriteProperties(store);
        store.Sync();
    }
    brdChessboard loaded;
    loaded.ReadProperties(SettingsPropertyStore(path, QStringLiteral("brdChessboard1")));
    QCOMPARE(loaded.DarkSquareColor(), 0xFFFFFFFFu);
    QCOMPARE(loaded.LightSquareColor(), 0x01020304u);
    QCOMPARE(loaded.Locked(), true);
    QCOMPARE(loaded.SideView(), -7);
    QCOMPARE(loaded.HighlightMove(), false);
    QCOMPARE(loaded.HighlightMoveColor(), 0u);
    QCOMPARE(test::Picture(loaded, "a8").pixel(0, 0), qRgb(0x04, 0x03, 0x02));

    // Defaults are saved too: every key is in the file.
    {
        brdChessboard board;
        SettingsPropertyStore store(path, QStringLiteral("fresh"));
        board.WriteProperties(store);
    }
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("fresh"));
    QStringList saved = file.childKeys();
    QStringList expected = KeyOrder;
    saved.sort();
    expected.sort();
    QCOMPARE(saved, expected);
    QCOMPARE(file.value(QStringLiteral("HighlightMoveColor")).toString(),
             QStringLiteral("16711680"));
    QCOMPARE(file.value(QStringLiteral("Locked")).toString(), QStringLiteral("false"));
}

void BoardPropertiesTest::loadingOrderAndReports() {
    MemoryStore store;
    brdChessboard board;
    board.WriteProperties(store);
    QCOMPARE(store.writeOrder, KeyOrder);

    QSignalSpy changes(&board, &brdChessboard::PropertyChanged);
    board.ReadProperties(store);
    QCOMPARE(store.readOrder, KeyOrder);
    // Only the SideView write at the end of loading is reported.
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), QStringLiteral("SideView"));
}

void BoardPropertiesTest::unreadableValuesTakeDefaults_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    const QVariant grey = QVariant::fromValue(0x00808080u);
    QTest::newRow("missing colour") << "DarkSquareColor" << QVariant() << grey;
    QTest::newRow("colour text") << "DarkSquareColor" << QVariant("blue") << grey;
    QTest::newRow("colour too large") << "DarkSquareColor" << QVariant("4294967296") << grey;
    QTest::newRow("colour list") << "DarkSquareColor" << QVariant(QStringList{"1", "2"}) << grey;
    QTest::newRow("colour as a signed number")
        << "DarkSquareColor" << QVariant("-1") << QVariant::fromValue(0xFFFFFFFFu);
    QTest::newRow("colour as a number")
        << "HighlightMoveColor" << QVariant(255) << QVariant::fromValue(255u);
    QTest::newRow("SideView text") << "SideView" << QVariant("up") << QVariant(0);
    QTest::newRow("SideView unsigned pattern")
        << "SideView" << QVariant("4294967295") << QVariant(-1);
    QTest::newRow("SideView fraction") << "SideView" << QVariant("1.5") << QVariant(0);
    QTest::newRow("Locked true") << "Locked" << QVariant("TRUE") << QVariant(true);
    QTest::newRow("Locked one") << "Locked" << QVariant("1") << QVariant(true);
    QTest::newRow("Locked minus one") << "Locked" << QVariant(-1) << QVariant(true);
    QTest::newRow("Locked garbage") << "Locked" << QVariant("yes please") << QVariant(false);
    QTest::newRow("HighlightMove zero") << "HighlightMove" << QVariant("0") << QVariant(false);
    QTest::newRow("HighlightMove empty") << "HighlightMove" << QVariant("") << QVariant(true);
}

void BoardPropertiesTest::unreadableValuesTakeDefaults() {
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);
    MemoryStore store;
    if (stored.isValid()) {
        store.values[key] = stored;
    }
    brdChessboard board;
    board.ReadProperties(store);
    QCOMPARE(board.property(key.toLatin1()), expected);
}

void BoardPropertiesTest::loadedBlackViewFromTheFirstPaint() {
    MemoryStore store;
    store.values[QStringLiteral("SideView")] = QStringLiteral("5");
    brdChessboard board;
    board.ReadProperties(store);
    board.SetExtentTwips(6135, 6135);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCOMPARE(board.SideView(), 5);
    // What is on screen: h1 (light, white rook) top-left, a8 (light, black rook) bottom-right.
    const QImage screen = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.copy(0, 0, 51, 51), test::ExpectedSquare(board, "h1", false));
    QCOMPARE(screen.copy(357, 357, 51, 51), test::ExpectedSquare(board, "a8", false));
}

void BoardPropertiesTest::readOnlyStoreInResources() {
    SettingsPropertyStore store(QStringLiteral(":/saved-board.ini"),
                                QStringLiteral("brdChessboard1"));
    brdChessboard board;
    board.ReadProperties(store);
    QCOMPARE(board.DarkSquareColor(), 0x00336699u);
    QCOMPARE(board.Locked(), true);
    QCOMPARE(board.SideView(), 1);
    QCOMPARE(board.HighlightMove(), true); // missing in the file
    // Writing to it is dropped quietly.
    board.WriteProperties(store);
    store.Sync();
}

void BoardPropertiesTest::firstPlacement() {
    brdChessboard board;
    board.setDarkSquareColor(1);
    board.setSideView(9);
    board.setHighlightMove(false);
    board.setLocked(true);
    board.SetExtentTwips(9000, 9000);
    board.InitProperties();
    QCOMPARE(board.DarkSquareColor(), brdChessboard::DefaultDarkSquareColor);
    QCOMPARE(board.SideView(), 0);
    QCOMPARE(board.HighlightMove(), true);
    QCOMPARE(board.Locked(), true); // not part of the first placement
    // Eight template squares of the size last set: 1125 twips a square.
    QCOMPARE(board.ExtentWidthTwips(), 9000);
    QCOMPARE(test::Picture(board, "b8").pixel(5, 5), qRgb(0x80, 0x80, 0x80));
}

void BoardPropertiesTest::aboutBox_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("named") << "brdChessboard1"
                           << "About brdChessboard1";
    QTest::newRow("unnamed") << ""
                             << "About brdChessboard";
}

void BoardPropertiesTest::aboutBox() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    brdChessboard board;
    board.setObjectName(name);
    QString shownTitle;
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        shownTitle = box->windowTitle();
        shownText = box->text();
        shownIcon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    board.About();
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownIcon, QMessageBox::Information);
    QVERIFY(shownText.contains(QStringLiteral("Quorrin chess board")));
}

QTEST_MAIN(BoardPropertiesTest)
#include "board_properties_test.moc"
