// The windows as designed: places, sizes, captions, colours and menus of the game window and
// the About box, the About box's links, where keyboard focus may go, and the move lists following
// the game.
#include "GameTestSupport.h"
#include "board/brdChessboard.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

using namespace quorrin;
using namespace quorrin::test;

namespace {

// Twips to pixels at normal density (15 twips a pixel); every designed length is a whole number
// of pixels.
int Px(int twips) {
    return twips / 15;
}

QString Describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The menu tree: "caption (hidden name) (check) [shortcut]" per item, "-" for a separator, a
// submenu's items in brackets after its caption.
QString DescribeMenu(const QList<QAction*>& actions) {
    QStringList items;
    for (const QAction* action : actions) {
        QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
        item += action->isVisible() ? "" : " (hidden " + action->objectName() + ")";
        item += action->isCheckable() ? " (check)" : "";
        item += action->shortcut().isEmpty() ? "" : " [" + action->shortcut().toString() + "]";
        item += action->menu() ? "[" + DescribeMenu(action->menu()->actions()) + "]" : "";
        items << item;
    }
    return items.join(QStringLiteral(", "));
}

// Records the addresses that the About box hands to the desktop, each with the screen's pointer
// at that moment.
class UrlCatcher final : public QObject {
    Q_OBJECT

public:
    QStringList Opened;

public slots:
    void Open(const QUrl& url) {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        const bool hand = pointer != nullptr && pointer->shape() == Qt::PointingHandCursor;
        Opened.append(url.toString() + (hand ? " (hand)" : " (no hand)"));
    }
};

} // namespace

class DesignTest : public QObject {
    Q_OBJECT

private slots:
    void gameWindowAndMenusAsDesigned();
    void aboutBoxAsDesignedWithItsLinks();
    void listsShowTheNewestEntryAndNeverTakeTheFocus(); // and F10 reaches the menus
};

void DesignTest::gameWindowAndMenusAsDesigned() {
    GameUnderTest game;
    QMainWindow& window = game.Window;
    auto* client = game.Find(QStringLiteral("ClientArea"));
    // Line1: white, two pixels wide, from (120, 6360) to (9840, 6360) twips; the rows it is on.
    const QImage picture = client->grab().toImage();
    QStringList line1;
    for (int y = Px(6360) - 3; y <= Px(6360) + 2; ++y) {
        const auto white = [&](int x) { return picture.pixel(x, y) == qRgb(255, 255, 255); };
        if (white(Px(120)) && white(Px(9840) - 1) && !white(Px(120) - 1) && !white(Px(9840))) {
            line1 << QString::number(y);
        }
    }
    // The caption, client area, back colour, icon, menus (the hidden ones by name, the two
    // promotion pop-ups White's first), the names read out, and Line1.
    QStringList actual = {window.windowTitle(),
                          Describe(QRect(QPoint(), client->size())),
                          client->palette().color(QPalette::Window).name(),
                          window.windowIcon().isNull() ? "no icon" : "icon",
                          DescribeMenu(window.menuBar()->actions()),
                          window.accessibleName(),
                          game.Lists()[0]->accessibleName(),
                          game.Lists()[1]->accessibleName(),
                          line1.join(QLatin1Char(' '))};
    QStringList expected = {
        "Quorrin ",
        Describe(QRect(0, 0, Px(9915), Px(6495))),
        "#404040",
        "icon",
        "Game[New Game, -, Board[Reverse Board, Drag-and-Drop (check), Highlight Move (check), -, "
        "Turn Board After Each Move (check)], Actions[Undo Last Move, Claim Draw], -, Quit], "
        "Record[Open Game... [Ctrl+O], Save Game As... [Ctrl+S], -, Copy Game, Copy Position, "
        "Paste Game or Position [Ctrl+V], -, Enter Move... [Ctrl+E]], Help (hidden mnuHelp)[], "
        "Reclaim Piece (hidden mnuWhitePawnPromotion)[Queen, Rook, Bishop, Knight], Reclaim Piece "
        "(hidden mnuBlackPawnPromotion)[Queen, Rook, Bishop, Knight], About[About Quorrin]",
        "Quorrin",
        "White's moves",
        "Black's moves",
        QStringLiteral("%1 %2").arg(Px(6360) - 1).arg(Px(6360))};

    // Places in twips; the hidden controls' text, the lists' colour. The board is 6135 twips
    // as designed and squares itself to 8 whole squares of 51 pixels.
    const std::tuple<const char*, QRect, const char*> controls[] = {
        {"brdChessboard1", {120, 120, 6120, 6120}, ""},
        {"lstWhiteMoves", {6360, 120, 1695, 6105}, "#e0e0e0"},
        {"lstBlackMoves", {8160, 120, 1695, 6105}, "#e0e0e0"},
        {"txtMovePiece", {3480, 6840, 615, 375}, "e2e4"},
        {"cmdMovePiece", {4200, 6840, 1095, 375}, "Move Piece"},
        {"cmdTestStalemate", {360, 6840, 1335, 375}, "Test Stalemate"}};
    for (const auto& [name, twips, text] : controls) {
        auto* widget = game.Find(QLatin1String(name));
        auto* list = qobject_cast<QListWidget*>(widget);
        actual << Describe(widget->geometry()) + ' ' +
                      (list ? list->palette().color(QPalette::Base).name()
                            : widget->property("text").toString());
        expected << Describe(QRect(Px(twips.x()), Px(twips.y()), Px(twips.width()),
                                   Px(twips.height()))) +
                        ' ' + text;
    }
    QCOMPARE(actual, expected);
}

void DesignTest::aboutBoxAsDesignedWithItsLinks() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
    GameUnderTest game;
    game.Run({"mnuaboutchess"});
    QVERIFY(TopLevels("frmAbout").size() == 1);
    const QPointer<QWidget> about = TopLevels("frmAbout").first();
    const auto label = [&about](const char* name) {
        const auto* found = about->findChild<QLabel*>(QLatin1String(name));
        return found->toolTip().isEmpty() ? found->text()
                                          : found->text() + " [" + found->toolTip() + "]";
    };
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint offCentre = about->frameGeometry().center() - screen.center();
    QCOMPARE((QStringList{about->windowTitle(), label("Label2"), label("Label5"), label("Label3"),
                          label("Label1"), label("Label7"), label("Label4"),
                          about->palette().color(QPalette::Window).name(),
                          about->isModal() ? "modal" : "modeless",
                          offCentre.manhattanLength() <= 2 ? "centred" : "off centre"}),
             (QStringList{"About Quorrin", "Quorrin ", "Quorrin ", "Version 1.5",
                          "Have questions?  Need technical support? ", "Contact us [Email us!]",
                          "https://quorrin.example.org [Quorrin Workshop]", "#ffffff", "modeless",
                          "centred"}));
    QVERIFY(label("Label8").contains(QStringLiteral("Quorrin Workshop")));

    // The web-site address opens the site; the title and "Contact us" a new e-mail. Each, in a
    // box of its own, first makes the pointing hand the screen's pointer, until the box goes.
    for (const char* link : {"Label4", "Label5", "Label7"}) {
        game.Run({"mnuaboutchess"});
        const QPointer<QWidget> box = TopLevels("frmAbout").first();
        QTest::mouseClick(box->findChild<QLabel*>(QLatin1String(link)), Qt::LeftButton);
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QTRY_VERIFY(box == nullptr);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
    QVERIFY(about == nullptr);
    QCOMPARE(catcher.Opened, (QStringList{"https://quorrin.example.org (hand)",
                                          "mailto:support@quorrin.example.org (hand)",
                                          "mailto:support@quorrin.example.org (hand)"}));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));

    // The board's own About box: modal, with the information icon and the board's name.
    game.Board.About();
    QCOMPARE(game.Log.last(), QStringLiteral("odd message Quorrin chess board\nVersion 1.5 "
                                             "(About brdChessboard1, icon 1)"));
}

void DesignTest::listsShowTheNewestEntryAndNeverTakeTheFocus() {
    GameUnderTest game;
    game.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.Window));
    QStringList knights;
    for (int round = 0; round < 16; ++round) {
        knights += {"g1f3", "g8f6", "f3g1", "f6g8"};
    }
    game.Run(knights.mid(0, 2));
    QCOMPARE(game.EntriesAtSounds, (QStringList{"g1-f3 |", "g1-f3 | g8-f6"})); // entry first

    // Each list shows its newest entry, after a move as after an undo.
    const auto newestShown = [&game] {
        for (const auto* list : game.Lists()) {
            const QRect newest = list->visualItemRect(list->item(list->count() - 1));
            if (!list->viewport()->rect().contains(newest)) {
                return false;
            }
        }
        return true;
    };
    game.Run(knights.mid(2));
    QVERIFY(game.Lists()[0]->verticalScrollBar()->maximum() > 0); // more entries than rows
    QVERIFY(newestShown());
    // Scrolled back to the first moves, each undo shows the last remaining entry again.
    for (auto* list : game.Lists()) {
        list->scrollToTop();
    }
    game.Run({"mnuActionsUndo", "mnuActionsUndo"});
    QVERIFY(newestShown());

    // After a check's message box, the window active again gives the focus to its first
    // focusable control, then Tab walks them all.
    game.Run({"mnuGameNew", "e2e4", "f7f6", "d1h5"});
    QCOMPARE(game.Log.last(), QStringLiteral("message Black king in check"));
    game.Window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game.Window));
    const QStringList untouchable = {"lstWhiteMoves", "lstBlackMoves", "txtMovePiece",
                                     "cmdMovePiece", "cmdTestStalemate"};
    for (int press = 0; press < 8; ++press) {
        const QWidget* focused = QApplication::focusWidget();
        const QString name = focused != nullptr ? focused->objectName() : QString();
        QVERIFY2(!untouchable.contains(name), qPrintable(name));
        QTest::keyClick(&game.Window, Qt::Key_Tab);
    }
    for (const auto* list : game.Lists()) {
        QVERIFY(list->selectedItems().isEmpty() && list->currentItem() == nullptr);
    }
    // Without a mouse, F10 opens the first menu.
    QTest::keyClick(&game.Window, Qt::Key_F10);
    QCOMPARE(game.Window.menuBar()->activeAction()->text(), QStringLiteral("Game"));
}

QTEST_MAIN(DesignTest)
#include "DesignTest.moc"
