// The game window, its About box and its sounds, driven as a player drives them, and the window
// as designed at the screen's density.
#include "ClockFace.h"
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "GameClock.h"
#include "MoveGate.h"
#include "UserSettings.h"
#include "app/audio/WaveFile.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"
#include "tests/support/QuietOffscreen.h"

#include <QtMultimedia>
#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace quorrin;

namespace {

// Time that moves only when told to.
struct HandDrivenTime final : TimeSource {
    Millis now{1'000'000};
    Millis Now() const override { return now; }
};

// A game window that is its own sound player and clock and answers its own boxes, pop-ups and
// dialogs.
class GameUnderTest final : public SoundPlayer {
public:
    explicit GameUnderTest(const QString& statePath = GAME::SavedStatePath)
        : Window(*this, statePath), Board(*Window.findChild<brdChessboard*>()) {
        testing::QuietOffscreenPlatform();
        Window.UseTimeSource(Time);
        // The piece a promotion pop-up handed over (after the window's handler has written it),
        // and every write of the board's properties.
        QObject::connect(&Board, &brdChessboard::PawnPromotion, &answerer_,
                         [this](bool, int& eChoice) { Log << QString("choice %1").arg(eChoice); });
        QObject::connect(&Board, &brdChessboard::PropertyChanged, &answerer_, [this](QString name) {
            Log << name + ' ' + Board.property(qPrintable(name)).toString();
        });
        QObject::connect(&answerer_, &QTimer::timeout, [this] { Answer(); });
        answerer_.start(2);
    }

    bool Play(const QString& path) override {
        const QString name = QFileInfo(path).fileName();
        const bool beside = path == QDir(QCoreApplication::applicationDirPath()).filePath(name);
        Log << (beside ? name.chopped(4) : "odd sound " + path) + CommandsOn();
        Peek();
        return true;
    }

    // " on: <name>" for each command that changes the game left on (all are off while a move
    // is being made).
    QString CommandsOn() const {
        QString on;
        for (const char* name : {"mnuGameNew", "mnuActionsUndo", "mnuRecordOpen", "mnuRecordPaste",
                                 "mnuRecordEnterMove", "cmdMovePiece", "cmdTestStalemate",
                                 "mnuActionsResign", "mnuActionsPause"}) {
            on += Find<QObject>(name)->property("enabled").toBool() ? QString(" on: ") + name : "";
        }
        return on;
    }

    template <typename Part = QWidget> Part* Find(const QString& name) const {
        return Window.findChild<Part*>(name);
    }

    // Each step names a menu command ("mnu...") or a button ("cmd...") to use, pastes a text
    // ("paste <text>"), adds answers ("answer <word> <word>"), limits the size of files written
    // ("limit 8"; "limit" lifts it), sets the clock ("control 180+2"), lets time pass ("wait
    // 500"; "later 500" when the next pop-up, box or sound comes), logs the clock faces
    // ("clocks"), logs the moves in a file ("file ~/x.pgn"), or else is a move to type and send
    // with "Move Piece".
    void Run(const QStringList& steps) {
        for (QString step : steps) {
            const QString arg = step.section(' ', 1);
            if (step.startsWith("control ")) {
                Window.SetTimeControl(TimeControl{*ReadTimeControl(arg.toStdString()),
                                                  *ReadTimeControl(arg.toStdString())});
            } else if (step.startsWith("wait ") || step.startsWith("later ")) {
                const auto pass = [this, ms = arg.toInt()] {
                    Time.now += Millis(ms);
                    Window.findChild<GameClock*>()->Refresh();
                };
                step.startsWith("wait ") ? pass() : void(Peek = [this, pass] {
                    const auto once = pass; // this closure ends with the next line
                    Peek = [] {};
                    once();
                });
            } else if (step == "seen") { // the caption, and the entry marked in the lists
                QString marked;
                for (const char* name : {"lstWhiteMoves", "lstBlackMoves"}) {
                    for (const auto* item : Find<QListWidget>(name)->selectedItems()) {
                        marked += QString(" %1 %2").arg(name).arg(item->listWidget()->row(item));
                    }
                }
                Log << "seen " + Window.windowTitle() + " |" + marked;
            } else if (step.startsWith(
                           "entry ")) { // a click on a list's entry: "entry lstBlackMoves 0"
                auto* list = Find<QListWidget>(step.section(' ', 1, 1));
                const QRect where = list->visualItemRect(list->item(step.section(' ', 2).toInt()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where.center());
            } else if (step.startsWith("key ")) { // to the active window, as a player presses it
                Window.show();
                Window.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&Window));
                QTest::keySequence(&Window, QKeySequence(arg));
            } else if (step == "claim?") { // as the menu stands, not refreshed by opening it
                QCoreApplication::processEvents();
                Log << (Find<QAction>("mnuActionsClaimDraw")->isEnabled() ? "claim on"
                                                                          : "claim off");
            } else if (step == "clocks") {
                Log << "clocks" + Face("clockWhite") + Face("clockBlack") +
                           QString(" %1").arg(Find(QStringLiteral("ClientArea"))->width());
            } else if (QFile file(arg); step.startsWith("file ")) {
                Log << step + (QFileInfo(arg).isSymLink() ? " link " : " ") +
                           (QFileInfo(arg).isFile() && file.open(QIODevice::ReadOnly)
                                ? QString(file.readAll()).section("\n\n", 1).simplified()
                                : "not a file");
            } else if (step.startsWith("largest ")) { // the most bytes a game text may hold
                Window.SetLargestGameText(arg.toULongLong());
            } else if (step == "cancel reading") { // the next reading, as soon as it begins
                auto* canceller = new QTimer(&Window);
                QObject::connect(canceller, &QTimer::timeout, canceller, [this, canceller] {
                    if (auto* reading = Find<QProgressDialog>(QStringLiteral("dlgReading"))) {
                        Log << "reading cancelled";
                        reading->findChild<QPushButton*>()->click();
                        canceller->deleteLater();
                    }
                });
                canceller->start(0);
            } else if (step.startsWith("answer ")) {
                Answers += step.mid(7).split(' ');
            } else if (step.startsWith("limit")) { // the limit binds root too
                rlimit files{};
                getrlimit(RLIMIT_FSIZE, &files);
                files.rlim_cur = step == "limit" ? files.rlim_max : step.mid(6).toULong();
                std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails, not the program
                QVERIFY(setrlimit(RLIMIT_FSIZE, &files) == 0);
            } else {
                Use(step);
            }
        }
    }

    // A menu command or button used, a text pasted, or a move typed and sent.
    void Use(QString step) {
        if (step.startsWith("paste ")) {
            QApplication::clipboard()->setText(step.mid(6));
            step = QStringLiteral("mnuRecordPaste");
        } else if (!step.startsWith("mnu") && !step.startsWith("cmd")) {
            Find<QLineEdit>(QStringLiteral("txtMovePiece"))->setText(step);
            step = QStringLiteral("cmdMovePiece");
        }
        auto* action = Find<QAction>(step);
        action ? action->trigger() : Find<QAbstractButton>(step)->click();
        const QString copied = QApplication::clipboard()->text();
        if (step == "mnuRecordCopyGame") {
            static const QRegularExpression clockTags(R"(\[(\w*TimeControl|Termination) .*\])");
            QString tags;
            for (auto found = clockTags.globalMatch(copied); found.hasNext();) {
                tags += found.next().captured() + ' ';
            }
            Log << "copied " + copied.section("[White \"", 1).section('"', 0, 0) + ' ' + tags +
                       copied.section("\n\n", 1).simplified();
        } else if (step == "mnuRecordCopyPosition") {
            Log << "position " + copied;
        }
    }

    // White's entries, a bar, then Black's: "e2-e4 | e7-e5", "e2-e4 |".
    QString Entries() const {
        QString entries;
        for (const char* name : {"lstWhiteMoves", "lstBlackMoves"}) {
            for (const auto* item : Find<QListWidget>(name)->findItems("*", Qt::MatchWildcard)) {
                entries += ' ' + item->text();
            }
            entries += name == QLatin1String("lstWhiteMoves") ? " |" : "";
        }
        return entries.trimmed();
    }

    // White's clock, then Black's, the side to move's marked with '*', and warnings with '!'.
    QString Face(const QString& name) const {
        const auto* face = Find<ClockFace>(name);
        return ' ' + face->Text() + (face->ToMove() ? "*" : "") + (face->Warning() ? "!" : "") +
               (face->isVisibleTo(&Window) ? "" : " (hidden)");
    }

    // "click" (a sound), "message Stalemate", "popup mnuWhite", "choice -1", "SideView 1" (a
    // property written), "file dialog", "input box", "game list of 2", "copied <White> <moves>";
    // "odd sound <path>" for one not beside the program, "odd message" for a box not plain.
    QStringList Log;
    // Taken in turn by each pop-up (the caption to choose; "" dismisses it), file dialog (the
    // path typed), input box (the text) and list of games (the row; "" cancels); "" when none.
    QStringList Answers;
    // Runs at each sound and before each pop-up, box or dialog is answered.
    std::function<void()> Peek = [] {};
    HandDrivenTime Time;
    GAME Window;
    brdChessboard& Board;

private:
    void Answer() {
        QWidget* open = QApplication::activePopupWidget();
        open = open != nullptr ? open : QApplication::activeModalWidget();
        open != nullptr ? Peek() : void();
        const auto answer = [this] { return Answers.isEmpty() ? QString() : Answers.takeFirst(); };
        if (auto* box = qobject_cast<QMessageBox*>(open)) {
            const bool plain = box->windowTitle() == "Quorrin" &&
                               box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1;
            Log << (plain ? "message " : "odd message ") + box->text() +
                       (plain ? ""
                              : QString(" (%1, icon %2)").arg(box->windowTitle()).arg(box->icon()));
            box->button(QMessageBox::Ok)->click();
        } else if (auto* menu = qobject_cast<QMenu*>(open)) {
            Log << "popup " + menu->objectName().remove("PawnPromotion") + CommandsOn();
            const QString caption = answer();
            menu->setActiveAction(nullptr);
            for (QAction* action : menu->actions()) {
                action->text() == caption ? menu->setActiveAction(action) : void();
            }
            QTest::keyClick(menu, menu->activeAction() ? Qt::Key_Return : Qt::Key_Escape);
        } else if (auto* files = qobject_cast<QFileDialog*>(open)) {
            Log << "file dialog"; // the path typed in full and taken as it is
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer());
            files->QDialog::done(QDialog::Accepted);
        } else if (open != nullptr && open->objectName() == "dlgTimeControl") {
            // "<White's>|<Black's>" sets a handicap.
            const QStringList sides = answer().split('|');
            Log << "time control dialog";
            open->findChild<QCheckBox*>()->setChecked(sides.size() == 2);
            open->findChild<QLineEdit*>("txtBlackControl")->setText(sides.last());
            open->findChild<QLineEdit*>("txtWhiteControl")->setText(sides.first());
            open->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        } else if (open != nullptr && open->objectName() == "dlgPlayers") {
            // "<White>|<Black>" names them; "" cancels.
            auto* white = open->findChild<QLineEdit*>("txtWhitePlayer");
            auto* black = open->findChild<QLineEdit*>("txtBlackPlayer");
            Log << "players " + white->text() + '|' + black->text();
            const QStringList names = answer().split('|');
            white->setText(names.first());
            black->setText(names.last());
            static_cast<QDialog*>(open)->done(names.size() == 2);
        } else if (auto* input = qobject_cast<QInputDialog*>(open)) {
            Log << "input box";
            input->setTextValue(answer());
            input->accept();
        } else if (qobject_cast<QProgressDialog*>(open) != nullptr) {
            // Reading a large file: it closes by itself.
        } else if (open != nullptr) {
            // "game list of 3 (Title): 2 damaged" for a list with a row that cannot be chosen.
            auto* games = open->findChild<QAbstractItemView*>(QStringLiteral("lstGames"));
            const QAbstractItemModel* rows = games->model();
            QString damaged;
            for (int row = 0; row < rows->rowCount(); ++row) {
                const bool choosable = rows->index(row, 0).flags() & Qt::ItemIsEnabled;
                damaged += choosable ? QString() : QString(" %1").arg(row);
            }
            Log << QString("game list of %1 (%2)").arg(rows->rowCount()).arg(open->windowTitle()) +
                       (damaged.isEmpty() ? QString() : ":" + damaged + " damaged");
            QString row = answer();
            if (row.startsWith('/')) { // "/text" is typed in the filter box, then row 0 taken
                open->findChild<QLineEdit*>(QStringLiteral("txtFilter"))->setText(row.mid(1));
                QTRY_COMPARE(games->model()->rowCount(), 1);
                row = QStringLiteral("0");
            }
            games->setCurrentIndex(games->model()->index(row.toInt(), 0));
            static_cast<QDialog*>(open)->done(row.isEmpty() ? QDialog::Rejected
                                                            : QDialog::Accepted);
        }
    }

    QTimer answerer_;
};

// The visible top-level windows of that name.
QWidgetList TopLevels(const QString& name) {
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([&](const QWidget* w) { return w->objectName() != name || w->isHidden(); });
    return windows;
}

// The menu tree: "caption (hidden name) (checked) [shortcut]" per item, "-" for a separator, a
// submenu's items in brackets after its caption.
QString DescribeMenu(const QList<QAction*>& actions) {
    QStringList items;
    for (const QAction* action : actions) {
        QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
        item += action->isVisible() ? "" : " (hidden " + action->objectName() + ")";
        item += action->isChecked() ? " (checked)" : "";
        item += action->shortcut().isEmpty() ? "" : " [" + action->shortcut().toString() + "]";
        item += action->menu() ? "[" + DescribeMenu(action->menu()->actions()) + "]" : "";
        items << item;
    }
    return items.join(QStringLiteral(", "));
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

public slots:
    // The About box's links go here, each with the screen's pointer at that moment.
    void Open(const QUrl& url) {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        const bool hand = pointer != nullptr && pointer->shape() == Qt::PointingHandCursor;
        opened_ << url.toString() + (hand ? " (hand)" : " (no hand)");
    }

private slots:
    // No option a player keeps, nor game kept, leaks from one test into another, nor into the
    // player's own.
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    }
    void init() {
        UserSettings()->clear();
        QVERIFY(QDir(data_.path()).removeRecursively() && QDir().mkpath(data_.path()));
    }

    void playedAsAPlayerWould_data() {
        QTest::addColumn<QString>("steps");   // for GameUnderTest::Run, split at the commas
        QTest::addColumn<QString>("entries"); // as GameUnderTest::Entries gives them
        QTest::addColumn<QString>("log");     // as GameUnderTest::Log holds it
        const auto row = [](const char* name, const QString& steps, const char* entries,
                            const QString& log) { QTest::newRow(name) << steps << entries << log; };
        // Only the first two and the last two characters of a typed move count.
        row("forms", "e2e4,e7-e5,g1 f3", "e2-e4 g1-f3 | e7-e5", "click, click, click");
        row("refused", "E2E4,e2e,,e2e5", "|",
            QStringList(4, "message Illegal move or bad syntax").join(", "));
        row("stalemate", "e2e4,cmdTestStalemate,d7-e6", "d7-e6 |",
            "click, click, message Stalemate");
        // The win sound follows the box, once the player has closed it.
        row("fool's mate", "f2f3,e7e5,g2g4,d8h4", "f2-f3 g2-g4 | e7-e5 d8-h4",
            "click, click, click, click, message White checkmated, win");
        row("white in check", "e2e4,e7e5,f2f3,d8h4", "e2-e4 f2-f3 | e7-e5 d8-h4",
            "click, click, click, click, message White king in check");
        // Undo trims the list of the side whose move it took back, New Game both. "Reverse Board"
        // turns the board; "Turn Board After Each Move", when checked, shows the side to move at
        // the bottom at once and after every move, undo and new game. A check mark on
        // "Drag-and-Drop" means dragging is allowed.
        row("turn board",
            "mnuBoardTurn,e2e4,e7e5,mnuActionsUndo,mnuGameNew,mnuBoardTurn,e2e4,mnuBoardView,"
            "mnuBoardView,mnuBoardView,mnuBoardTurn",
            "e2-e4 |",
            "SideView 0, SideView 1, click, SideView 0, click, SideView 1, SideView 0, click, "
            "SideView 1, SideView 0, SideView 1, SideView 1");
        row("board options", "mnuBoardLock,mnuBoardHighlight,mnuBoardLock", "|",
            "Locked true, HighlightMove false, Locked false");
        // Draws by rule; one claimed goes with the move it was claimed at.
        row("insufficient material", "paste k7/8/8/8/8/8/1p6/K7 w - - 0 1,a1b2", "a1-b2 |",
            "click, message Draw by insufficient material");
        const QString dance = "copied White 1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 ";
        row("claimed draw",
            "g1f3,g8f6,f3g1,f6g8,g1f3,g8f6,f3g1,f6g8,mnuActionsClaimDraw,mnuRecordCopyGame,"
            "mnuActionsUndo,mnuRecordCopyGame",
            "g1-f3 f3-g1 g1-f3 f3-g1 | g8-f6 f6-g8 g8-f6",
            QStringList(8, "click").join(", ") + ", message Draw by threefold repetition, " +
                dance + "Ng8 1/2-1/2, " + dance + "*");
        // Claim Draw is on exactly while a claim is open: not after a fivefold draw nor a claim,
        // again once either is taken back.
        row("claims closed",
            QStringList(4, "g1f3,g8f6,f3g1,f6g8").join(',') +
                ",claim?,mnuActionsClaimDraw,mnuActionsUndo,claim?,mnuActionsClaimDraw,claim?,"
                "mnuActionsClaimDraw,mnuActionsUndo,claim?,mnuActionsResign,claim?",
            "g1-f3 f3-g1 g1-f3 f3-g1 g1-f3 f3-g1 g1-f3 | g8-f6 f6-g8 g8-f6 f6-g8 g8-f6 f6-g8 g8-f6",
            QStringList(16, "click").join(", ") +
                ", message Draw by fivefold repetition, claim off, claim on, message Draw by "
                "threefold repetition, claim off, claim on, message White resigns. Black wins., "
                "claim off");
        // The standard keys: Ctrl+Z takes e7-e5 back, Ctrl+N sets the pieces up again.
        row("keys", "e2e4,e7e5,key Ctrl+Z,d7d5,key Ctrl+N,e2e4", "e2-e4 |",
            "click, click, click, click");
        // The players' names go into the game and are kept for the next; an opened game's are its
        // own, shown for it alone.
        row("players",
            "answer Ann|Bob,mnuGamePlayers,e2e4,mnuRecordCopyGame,paste [White \"Cy\"] [Black "
            "\"Di\"] 1. d4 *,mnuGamePlayers,mnuRecordCopyGame,mnuGameNew,mnuGamePlayers",
            "|",
            "players White|Black, click, copied Ann 1. e4 *, players Cy|Di, copied Cy 1. d4 *, "
            "players Ann|Bob");
        // Pasted: a position, or a game picked from a file of several, its lists filled and the
        // message its last move gave shown once; or nothing changed, and why.
        const QString games = "[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. f3 e5 2. g4 Qh4# 0-1\n";
        row("FEN", "d2d4,paste 8/8/8/8/8/8/8/K6k b - - 12 40\n,h1g2", "| h1-g2", "click, click");
        row("FEN refused", "d2d4,paste 8/8/8/8/8/8/8/K7 w - - 0 1", "d2-d4 |",
            "click, message Not a position to play from: Black has 0 kings; each side needs "
            "exactly one");
        row("two games", "d2d4,answer 1,paste " + games, "f2-f3 g2-g4 | e7-e5 d8-h4",
            "click, game list of 2 (Paste Game), message White checkmated");
        row("filtered", "answer /b,paste " + games, "f2-f3 g2-g4 | e7-e5 d8-h4",
            "game list of 2 (Paste Game), message White checkmated");
        row("choice cancelled", "d2d4,paste " + games, "d2-d4 |",
            "click, game list of 2 (Paste Game)");
        // Slashes in a comment make no position of a game.
        row("slashes in a comment", "paste 1. e4 {a/b/c/d/e/f/g/h} e5 *", "e2-e4 | e7-e5", "");
        // A game whose text claims what its moves do not is loaded, and the player is told.
        row("doubtful game loaded", "paste [Result \"1-0\"]\n1. e4+ d5 2. exd5 Qxd5 3. Nxc3 *",
            "e2-e4 e4-d5 b1-c3 | d7-d5 d8-d5",
            "message The game was loaded, but its text is doubtful:\nline 1, column 1: the Result "
            "tag "
            "'1-0' disagrees with the result the moves end with, '*'\nline 2, column 4: 1.e4+: "
            "'e4+' is marked as check but gives none\nline 2, column 27: 3.Nxc3: 'Nxc3' is marked "
            "as a capture but c3 is empty");
        row("PGN refused", "d2d4,paste 1. e4 e5 2. Ke3 *", "d2-d4 |",
            "click, message Cannot load the game: line 1, column 13: 2.Ke3: no white king can "
            "move to e3");
        // A file opened over a game in progress, saved with its tags and comments, a move taken
        // back with its comment, the game played on with moves typed in any common form; the
        // file saved opened again. Files that cannot be opened or saved change nothing; a save
        // whose writes are refused leaves the old file whole.
        // "~/" in the steps and the log; "why" in the log for the system's reason.
        const QString f = folder_.path() + '/';
        QVERIFY(
            Write(f + "game.pgn", "[White \"Ann\"]\n\n1. e4 {best by test} 1... e5 2. Qh5 Nc6 "
                                  "3. Bc4 Nf6 4. Qxf7# {mate} 1-0") &&
            Write(f + "old.pgn", "1. d4 *\n") && QDir(f).mkdir("folder") &&
            Write(f + "large.pgn", {}) && QFile::resize(f + "large.pgn", 65 << 20) &&
            Write(f + "cut.pgn",
                  (games + "[White \"C\"] 1. e4 e5 2. Ke3 *\n" + games + "[Event \"Cl").toUtf8()) &&
            mkfifo(QFile::encodeName(f + "fifo").constData(), 0600) == 0);
        const QString opened = "copied Ann 1. e4 {best by test} 1... e5 2. Qh5 Nc6 3. Bc4 Nf6 ";
        row("opened game",
            "e2e4,answer ~/game.pgn ~/saved.pgn Nf3 a7-a6 0-0 Qxx d7d6 "
            "~/saved.pgn,mnuRecordOpen,mnuRecordSaveAs,mnuActionsUndo," +
                QStringList(5, "mnuRecordEnterMove").join(',') +
                ",mnuRecordCopyGame,mnuRecordOpen,mnuRecordCopyGame",
            "e2-e4 d1-h5 f1-c4 h5-f7 | e7-e5 b8-c6 g8-f6",
            "click, file dialog, message Black checkmated, file dialog, " +
                QStringList(3, "input box, click").join(", ") +
                ", input box, message Illegal move or bad syntax\n'Qxx' is not a move, input box, "
                "click, " +
                opened + "4. Nf3 a6 5. O-O d6 *, file dialog, message Black checkmated, " + opened +
                "4. Qxf7# {mate} 1-0");
        row("opening refused",
            "e2e4,answer ~/missing.pgn ~/folder ~/large.pgn,mnuRecordOpen,mnuRecordOpen,"
            "mnuRecordOpen",
            "e2-e4 |",
            "click, file dialog, message Cannot open ~/missing.pgn: why, file dialog, message "
            "Cannot open ~/folder: why, file dialog, message ~/large.pgn is too large for a game "
            "file");
        // Nothing that could block or never end is read; the limit counts the bytes read, not
        // the size reported (0 for /proc files); a cancelled reading changes nothing.
        row("nothing endless read",
            "e2e4,answer ~/fifo /dev/zero ~/game.pgn /proc/self/status,mnuRecordOpen,"
            "mnuRecordOpen,cancel reading,mnuRecordOpen,largest 10,mnuRecordOpen,paste " +
                games,
            "e2-e4 |",
            "click, file dialog, message Cannot open ~/fifo: why, file dialog, message Cannot "
            "open /dev/zero: it is not a regular file but a device or a pipe, file dialog, "
            "reading cancelled, file dialog, message /proc/self/status is too large for a game "
            "file, message The text pasted is too large for a game");
        // The games that can be read stay within reach of one that cannot (a bad move, a cut-off
        // tag), which is listed and cannot be chosen.
        row("damaged games listed", "answer ~/cut.pgn 4,mnuRecordOpen", "f2-f3 g2-g4 | e7-e5 d8-h4",
            "file dialog, game list of 6 (Open Game): 2 5 damaged, message White checkmated");
        row("saving refused",
            "e2e4,answer ~/missing/game.pgn ~/old.pgn ~/old.pgn,mnuRecordSave,limit 8,"
            "mnuRecordSave,limit,mnuRecordOpen",
            "d2-d4 |",
            "click, file dialog, message Cannot save ~/missing/game.pgn: why, file dialog, "
            "message Cannot save ~/old.pgn: why, file dialog");
        // Only a file, or a link's file, is replaced by a save (a device only as root). A bare
        // name gets ".pgn". Save Game writes back to the file saved to, or opened from when it
        // held this game alone and all of it; else (two games, a variation, an annotation, a
        // result it would not write, New Game, Paste, Continue from Here, Recent Games) it asks.
        QVERIFY(Write(f + "1.pgn", "1. e4 {open} *") && Write(f + "2.pgn", "1. d4 *\n1. c4 *") &&
                Write(f + "3.pgn", "1. e4 (1. d4) *") && Write(f + "4.pgn", "1. e4!? *") &&
                Write(f + "5.pgn", "1. e4 1-0") && mkfifo(qPrintable(f + "fifo.pgn"), 0600) == 0 &&
                QFile::link(f + "old.pgn", f + "link.pgn"));
        struct stat full {};
        stat("/dev/full", &full) == 0 &&
            mknod(qPrintable(f + "full.dev"), S_IFCHR | 0600, full.st_rdev) == 0;
        const QString refused = "file dialog, message Cannot save the game: ~/%1 is not a regular "
                                "file, file ~/%1 not a file";
        row("not a file",
            "answer ~/fifo.pgn ~/folder ~/link.pgn,mnuRecordSaveAs,file ~/fifo.pgn,"
            "mnuRecordSaveAs,file ~/folder,mnuRecordSaveAs,file ~/link.pgn",
            "|",
            refused.arg("fifo.pgn") + ", " + refused.arg("folder") +
                ", file dialog, file ~/link.pgn link *");
        row("device", "answer ~/full.dev,mnuRecordSaveAs,file ~/full.dev", "|",
            refused.arg("full.dev"));
        row("saved back",
            "answer ~/1.pgn ~/new,mnuRecordOpen,e7e5,key Ctrl+S,file ~/1.pgn,"
            "key Ctrl+Shift+S,d2d4,mnuRecordSave,file ~/new.pgn,file ~/1.pgn",
            "e2-e4 d2-d4 | e7-e5",
            "file dialog, click, file ~/1.pgn 1. e4 {open} 1... e5 *, file dialog, click, file "
            "~/new.pgn 1. e4 {open} 1... e5 2. d4 *, file ~/1.pgn 1. e4 {open} 1... e5 *");
        row("asked",
            QString("answer ~/2.pgn 0 ~/a ~/3.pgn ~/b ~/4.pgn ~/c ~/5.pgn ~/d ~/e ~/f ~/g 0 ~/h,"
                    "mnuRecordOpen,%1,%1,mnuRecordOpen,%1,mnuRecordOpen,%1,mnuRecordOpen,%1,"
                    "mnuGameNew,%1,paste 1. d4 *,%1,d7d5,mnuReviewBack,mnuReviewContinue,%1,"
                    "mnuRecordRecent,%1")
                .arg("mnuRecordSave"),
            "d2-d4 |",
            "file dialog, game list of 2 (Open Game), " + QStringList(9, "file dialog").join(", ") +
                ", click, file dialog, game list of 5 (Recent Games), file dialog");
        // A dismissed pop-up hands over the choice before it: 0 the first time, -1 after any
        // promotion (the board makes queens of both). Each colour has its own pop-up, each item
        // its own piece (White's queen 7, rook 8, knight 9, bishop 10; Black's 1, 2, 3, 4).
        const QString round = QStringLiteral("paste 8/1P5k/8/8/8/K7/6p1/8 w - - 0 1,b7b8,g2g1");
        const auto promoted = [](int white, int black) {
            return QString("popup mnuWhite, choice %1, click, popup mnuBlack, choice %2, click")
                .arg(white)
                .arg(black);
        };
        row("promotions",
            round + ",answer Knight Rook Bishop Queen Rook Knight Queen Bishop," +
                QStringList(5, round).join(','),
            "b7-b8 | g2-g1",
            QStringList{promoted(0, -1), promoted(9, 2), promoted(10, 1), promoted(8, 3),
                        promoted(7, 4), promoted(-1, -1)}
                .join(", "));
        // A promotion typed, or one in a game pasted, opens no pop-up.
        const QString promotion = QStringLiteral("k7/4P3/8/8/8/8/P7/K7 w - - 0 1");
        row("typed promotion", "paste " + promotion + ",answer e8=N,mnuRecordEnterMove," + round,
            "b7-b8 | g2-g1", "input box, click, " + promoted(-1, -1));
        // Every game with a move kept; one opened from Recent Games (newest first) goes on as
        // played, and leaves when taken back to no moves and another begins.
        row("recent games",
            "e2e4,e7e5,mnuGameNew,d2d4,answer 1,mnuRecordRecent,mnuRecordCopyGame,mnuActionsUndo,"
            "mnuActionsUndo,mnuGameNew,answer 0,mnuRecordRecent",
            "d2-d4 |",
            "click, click, click, game list of 2 (Recent Games), copied White 1. e4 e5 *, game "
            "list "
            "of 1 (Recent Games)");
        row("pasted promotion", "paste [FEN \"" + promotion + "\"]\n1. e8=N *," + round,
            "b7-b8 | g2-g1", promoted(-1, -1));
        // The first move costs nothing and earns its increment; a flag falls a millisecond after
        // the time is used up, and ends the game.
        row("flag",
            "control 10+2,clocks,e2e4,wait 3000,e7e5,clocks,wait 12001,clocks,d2d4,"
            "mnuRecordCopyGame",
            "e2-e4 | e7-e5",
            "clocks 0:10* 0:10 777, click, click, clocks 0:12* 0:09.0! 777, message White's time "
            "is up. Black wins., clocks 0:00.0! 0:09.0! 777, copied White [TimeControl \"10+2\"] "
            "[Termination \"time forfeit\"] 1. e4 {[%clk 0:00:12]} 1... e5 {[%clk 0:00:09] "
            "White's time is up.} 0-1");
        row("flag against a lone king",
            "paste k7/8/8/8/8/8/8/KQ6 b - - 0 1,control 5,a8a7,"
            "wait 5001,mnuRecordCopyGame",
            "| a8-a7",
            "click, message White's time is up, but Black cannot checkmate. Draw., copied White "
            "[TimeControl \"5\"] [Termination \"time forfeit\"] 1... Ka7 {[%clk 0:00:05] White's "
            "time is up.} 1/2-1/2");
        // A flag that falls while the promotion is chosen: the move is not made.
        row("flag in the pop-up",
            "paste 7k/1P6/8/8/8/8/6p1/K7 b - - 0 1,control 5,h8h7,"
            "answer Queen,later 6000,b7b8,mnuRecordCopyGame",
            "| h8-h7",
            "click, popup mnuWhite, choice 7, message White's time is up. Black wins., copied "
            "White [TimeControl \"5\"] [Termination \"time forfeit\"] 1... Kh7 {[%clk 0:00:05] "
            "White's time is up.} 0-1");
        // Paused, nobody's time runs and nobody moves; Undo shows the times before the move taken
        // back, stopped until the next move.
        row("paused and undone",
            "control 60,e2e4,wait 1000,mnuActionsPause,wait 5000,e7e5,clocks,"
            "mnuActionsPause,wait 1000,e7e5,clocks,wait 4000,mnuActionsUndo,"
            "clocks,wait 5000,e7e5,clocks",
            "e2-e4 | e7-e5",
            "click, clocks 1:00 0:59* 777, click, clocks 1:00* 0:58 777, clocks 1:00 0:58* 777, "
            "click, clocks 1:00* 0:58 777");
        row("resigned and agreed",
            "e2e4,mnuActionsResign,e7e5,mnuRecordCopyGame,mnuActionsUndo,"
            "e2e4,mnuActionsAgreeDraw,mnuRecordCopyGame",
            "e2-e4 |",
            "click, message Black resigns. White wins., copied White [Termination \"normal\"] 1. "
            "e4 {Black resigns.} 1-0, click, message Draw agreed., copied White [Termination "
            "\"normal\"] 1. e4 {Draw agreed.} 1/2-1/2");
        // A timed game taken up stands paused at its last times until the next move.
        row("timed game pasted",
            "paste [TimeControl \"300+2\"]\n1. e4 {[%clk 0:05:02]} e5 "
            "{[%clk 0:04:58.5] good} *,clocks,wait 5000,d2d4,clocks,"
            "mnuRecordCopyGame",
            "e2-e4 d2-d4 | e7-e5",
            "clocks 5:02* 4:58 777, click, clocks 5:04 4:58* 777, copied White [TimeControl "
            "\"300+2\"] 1. e4 {[%clk 0:05:02]} 1... e5 {[%clk 0:04:58.5] good} 2. d4 {[%clk "
            "0:05:04]} *");
        row("handicap", "answer 60|120,mnuGameTimeControl,clocks,e2e4,mnuRecordCopyGame", "e2-e4 |",
            "time control dialog, clocks 1:00* 2:00 777, click, copied White [TimeControl \"?\"] "
            "[WhiteTimeControl \"60\"] [BlackTimeControl \"120\"] 1. e4 {[%clk 0:01:00]} *");
        // While an earlier position is shown the window says which, marks its entry, copies that
        // position, refuses moves and makes no sound; the last entry or To End goes back.
        row("browsed",
            "e2e4,e7e5,g1f3,g8f6,mnuReviewBack,seen,d2d4,mnuReviewBack,seen,mnuRecordCopyPosition,"
            "entry lstWhiteMoves 0,seen,mnuReviewStart,seen,mnuReviewForward,seen,entry "
            "lstBlackMoves 1,seen,mnuReviewBack,mnuActionsUndo,seen",
            "e2-e4 g1-f3 | e7-e5",
            "click, click, click, click, seen Quorrin  - after 2. Nf3 | lstWhiteMoves 1, seen "
            "Quorrin  - after 1... e5 | lstBlackMoves 0, position "
            "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2, seen Quorrin  - after "
            "1. e4 | lstWhiteMoves 0, seen Quorrin  - at the start |, seen Quorrin  - after 1. e4 "
            "| lstWhiteMoves 0, seen Quorrin  |, seen Quorrin  |");
        // Moves taken back are made again, a promotion to its piece without asking; the move
        // Redo would make, made by hand, leaves the rest; any other ends them.
        row("redone",
            "e2e4,d7d5,e4d5,mnuActionsUndo,mnuActionsUndo,mnuActionsRedo,mnuActionsRedo,"
            "mnuActionsUndo,mnuActionsUndo,d7d5,mnuActionsRedo,mnuActionsUndo,"
            "mnuActionsUndo,d7d6,mnuActionsRedo,mnuRecordCopyGame",
            "e2-e4 | d7-d6", QStringList(8, "click").join(", ") + ", copied White 1. e4 d6 *");
        row("promotion and en passant redone",
            "paste 8/1P5k/8/8/8/K7/3p4/8 w - - 0 1,answer Knight,b7b8,d2d1,mnuActionsUndo,"
            "mnuActionsUndo,mnuActionsRedo,mnuActionsRedo,mnuRecordCopyGame,paste "
            "4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1,e2e4,d4e3,mnuActionsUndo,mnuActionsUndo,"
            "mnuActionsRedo,mnuActionsRedo,mnuRecordCopyGame",
            "e2-e4 | d4-e3",
            "popup mnuWhite, choice 9, click, popup mnuBlack, choice -1, click, click, click, "
            "copied White 1. b8=N d1=Q *, click, click, click, click, copied White 1. e4 dxe3 *");
        // Continue from Here takes the later moves back, to be made again.
        row("continued",
            "e2e4,e7e5,g1f3,mnuReviewStart,mnuReviewForward,mnuReviewContinue,seen,"
            "mnuActionsRedo,mnuRecordCopyGame",
            "e2-e4 | e7-e5",
            "click, click, click, seen Quorrin  |, click, copied White 1. e4 e5 *");
        // The clocks show the times of the position shown, and nobody's time runs.
        row("clocks looked back",
            "control 60,e2e4,wait 2000,e7e5,wait 3000,mnuReviewStart,clocks,"
            "wait 5000,mnuReviewEnd,clocks",
            "e2-e4 | e7-e5", "click, click, clocks 1:00* 1:00 777, clocks 0:57* 0:58 777");
    }

    void playedAsAPlayerWould() {
        QFETCH(QString, steps);
        if (steps.contains("full.dev") && !QFileInfo::exists(folder_.filePath("full.dev"))) {
            QSKIP("Only root can make the device node a save must not replace");
        }
        GameUnderTest game;
        game.Run(steps.replace("~/", folder_.path() + '/').split(','));
        QTEST(game.Entries(), "entries");
        QTEST(game.Log.join(", ")
                  .replace(folder_.path(), "~")
                  .replace(QRegularExpression("(~/\\S+): [^,]+"), "\\1: why"),
              "log");
    }

    void optionsKeptForTheNextRun() {
        // Each window starts with what the one before it set (Locked, HighlightMove, SideView,
        // Turn Board After Each Move, Coordinates, Show Legal Moves), over the compiled-in state
        // (the first); the board's turns after each move are not kept as the Reverse Board choice.
        QStringList seen;
        for (const char* steps :
             {"mnuBoardLock,mnuBoardHighlight,mnuBoardTurn,e2e4,mnuBoardTurn,mnuBoardCoordinates",
              "mnuBoardLock,mnuBoardView,mnuBoardLegalMoves",
              "mnuBoardTurn,e2e4,mnuBoardCoordinates", ""}) {
            GameUnderTest game;
            seen << QString("%1 %2 %3 %4 %5%6")
                        .arg(game.Board.Locked())
                        .arg(game.Board.HighlightMove())
                        .arg(game.Board.SideView())
                        .arg(game.Find<QAction>("mnuBoardTurn")->isChecked())
                        .arg(game.Find<QAction>("mnuBoardCoordinates")->isChecked())
                        .arg(game.Find<QAction>("mnuBoardLegalMoves")->isChecked());
            game.Run(QString(steps).split(',', Qt::SkipEmptyParts));
        }
        QCOMPARE(seen, (QStringList{"0 1 0 0 00", "1 0 0 0 10", "0 0 1 0 11", "0 0 0 1 01"}));
    }

    void gamesNotKeptSaidOnce() {
        // A data folder under a regular file: play goes on, and the window says why once.
        QVERIFY(Write(folder_.filePath("plain"), "x"));
        qputenv("XDG_DATA_HOME", folder_.filePath("plain").toUtf8());
        GameUnderTest game;
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
        game.Run({"e2e4"});
        QTRY_COMPARE(game.Log.size(), 2);
        game.Run({"e7e5"});
        QTest::qWait(200);
        QCOMPARE(game.Log.join(", ").replace(folder_.path(), "~"),
                 "click, message Games are not being kept: the folder ~/plain/GameWindowTest/games "
                 "cannot be made, click");
        QCOMPARE(game.Entries(), "e2-e4 | e7-e5");
    }

    void closedGateRefusesEveryWayOfMoving() {
        GameUnderTest game;
        game.Window.show();
        QVERIFY(QTest::qWaitForWindowActive(&game.Window));
        const auto at = [&game](const char* name) {
            const auto* square =
                game.Board.findChild<QWidget*>(QString("picSquare%1").arg(SquareNameToIndex(name)));
            return square->mapTo(&game.Window, square->rect().center());
        };
        // e2-e4 by the board's keys (the cursor starts on e2 and goes back there), Enter Move,
        // Move Piece and a drag.
        const std::function<void()> ways[] = {
            [&] {
                for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space,
                                          Qt::Key_Down, Qt::Key_Down}) {
                    QTest::keyClick(&game.Board, key);
                }
            },
            [&] { game.Run({"mnuRecordEnterMove"}); }, [&] { game.Run({"e2e4"}); },
            [&] {
                QTest::mousePress(game.Window.windowHandle(), Qt::LeftButton, {}, at("e2"));
                QTest::mouseMove(game.Window.windowHandle(), at("e4"));
                QTest::mouseRelease(game.Window.windowHandle(), Qt::LeftButton, {}, at("e4"));
            }};
        game.Answers = {"e4"};
        QStringList seen; // the entries at each box and sound
        game.Peek = [&] { seen << game.Entries(); };
        auto* gate = game.Window.findChild<MoveGate*>();
        for (const bool open : {false, true}) {
            open ? gate->Open(QStringLiteral("clock"))
                 : gate->Close(QStringLiteral("clock"), QStringLiteral("The clock is stopped"));
            for (const auto& way : ways) {
                way();
                game.Run({"mnuActionsUndo"});
            }
        }
        QCOMPARE(seen, QStringList({"e2-e4 |", "|", "e2-e4 |", "e2-e4 |", "e2-e4 |"}));
    }

    void gameWindowAsDesigned() {
        // The screen as QUORRIN_SCREEN says it is set up ("logical DPI, pixel ratio"); at its
        // logical DPI (15 or 10 twips a pixel), the client area (9915 x 6495 twips, halves
        // rounded to even) and a square of the board (6135 twips made eight whole squares).
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(
            QString("%1, %2").arg(screen->logicalDotsPerInchX()).arg(screen->devicePixelRatio()),
            qEnvironmentVariable("QUORRIN_SCREEN", QStringLiteral("96, 1")));
        const bool dense = screen->logicalDotsPerInchX() == 144;
        const int square = dense ? 76 : 51;
        // Saved: the board locked, no highlight, turned after each move (each the reverse of the
        // program's own state).
        QVERIFY(Write(folder_.filePath("GAME.ini"),
                      "[brdChessboard1]\nLocked=true\n"
                      "HighlightMove=false\n[GAME]\nTurnBoardAfterEachMove=true\n"));
        GameUnderTest game(folder_.filePath("GAME.ini"));
        QWidget* client = game.Find(QStringLiteral("ClientArea"));
        QCOMPARE(client->size(), dense ? QSize(992, 650) : QSize(661, 433));
        const auto place = [&game](const char* name) { return game.Find(name)->geometry(); };
        // The board and the two lists side by side along the top, as tall as one another to
        // within a square; the hidden controls side by side below the client area.
        const QRect board = place("brdChessboard1"), white = place("lstWhiteMoves"),
                    black = place("lstBlackMoves"), stalemate = place("cmdTestStalemate"),
                    text = place("txtMovePiece"), button = place("cmdMovePiece");
        QCOMPARE(board, QRect(board.x(), board.x(), 8 * square, 8 * square));
        QVERIFY(white.y() == board.y() && black.y() == board.y() && white.size() == black.size());
        QVERIFY(board.right() < white.left() && white.right() < black.left() &&
                black.right() < client->width() && qAbs(white.height() - board.height()) < square);
        QVERIFY(stalemate.top() >= client->height() && text.top() == stalemate.top() &&
                button.top() == stalemate.top() && stalemate.right() < text.left() &&
                text.right() < button.left());
        // Line1: white, two pixels wide, below the board and the lists, as wide as they are.
        QImage picture(client->size(), QImage::Format_RGB32);
        client->render(&picture);
        int line1 = 0;
        for (int y = white.bottom() + 1; y < client->height(); ++y) {
            line1 += int(picture.pixel(board.left(), y) == 0xFFFFFFFF) +
                     int(picture.pixel(black.right() - 2, y) == 0xFFFFFFFF);
        }
        QCOMPARE(line1, 4);
        // The captions, colours and menus (the hidden ones by name, the two promotion pop-ups
        // White's first), and the names read out.
        QStringList shown{game.Window.windowTitle(), game.Window.accessibleName(),
                          client->palette().color(QPalette::Window).name()};
        for (const char* name : {"lstWhiteMoves", "lstBlackMoves", "txtMovePiece", "cmdMovePiece",
                                 "cmdTestStalemate"}) {
            auto* list = game.Find<QListWidget>(name);
            shown << (list ? list->accessibleName() + ' ' +
                                 list->palette().color(QPalette::Base).name()
                           : game.Find(name)->property("text").toString());
        }
        QCOMPARE(
            shown << DescribeMenu(game.Window.menuBar()->actions()),
            (QStringList{
                "Quorrin ", "Quorrin", "#404040", "White's moves #e0e0e0", "Black's moves #e0e0e0",
                "e2e4", "Move Piece", "Test Stalemate",
                "Game[New Game [Ctrl+N], -, Board[Reverse Board, Drag-and-Drop, Highlight Move, "
                "-, Turn Board After Each Move (checked), Coordinates, Show Legal Moves], "
                "Actions[Undo Last Move [Ctrl+Z], Redo "
                "Move [Ctrl+Shift+Z], Claim Draw, Resign, Agree Draw, Pause Clock, Review[Back "
                "[Alt+Left], Forward [Alt+Right], To Start [Alt+Home], To End [Alt+End], -, "
                "Continue from Here]], Time Control..., Players..., -, Quit], Record[Open "
                "Game... [Ctrl+O], Recent Games..., Save Game [Ctrl+S], Save Game As... "
                "[Ctrl+Shift+S], -, Copy "
                "Game, Copy Position, Paste Game or Position [Ctrl+V], -, Enter Move... "
                "[Ctrl+E]], Help (hidden mnuHelp)[], Reclaim Piece (hidden "
                "mnuWhitePawnPromotion)[Queen, Rook, Bishop, Knight], Reclaim Piece (hidden "
                "mnuBlackPawnPromotion)[Queen, Rook, Bishop, Knight], About[About Quorrin]"}));
    }

    void aboutBoxLinksAndLife() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open");
        GameUnderTest game;
        // The web-site address opens the site; the title and "Contact us" a new e-mail. Each, in
        // a box of its own, modeless and centred, first makes the pointing hand the screen's
        // pointer, until the box goes: by its OK button, Escape or Return.
        for (const char* link : {"Label4", "Label5", "Label7"}) {
            game.Run({"mnuaboutchess"});
            const QPointer<QWidget> box = TopLevels("frmAbout").value(0);
            QVERIFY(!box->isModal() &&
                    (box->frameGeometry().center() - box->screen()->geometry().center())
                            .manhattanLength() < 3);
            QTest::mouseClick(box->findChild<QLabel*>(link), Qt::LeftButton);
            box->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box));
            link == QLatin1String("Label4")
                ? box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click()
                : QTest::keyClick(box, link == QLatin1String("Label5") ? Qt::Key_Escape
                                                                       : Qt::Key_Return);
            QTRY_VERIFY(box == nullptr && QGuiApplication::overrideCursor() == nullptr);
        }
        QCOMPARE(opened_, (QStringList{"https://quorrin.example.org (hand)",
                                       "mailto:support@quorrin.example.org (hand)",
                                       "mailto:support@quorrin.example.org (hand)"}));
        // The board's own About box: modal, with the information icon and the board's name.
        game.Board.About();
        QCOMPARE(game.Log.last(), "odd message Quorrin chess board\nVersion 1.5 (About "
                                  "brdChessboard1, icon 1)");
        // The same box brought forward again. Closing the game window by its frame leaves it,
        // and the program, running; "Quit" ends the program even with it open.
        game.Window.show();
        game.Run({"mnuaboutchess", "mnuaboutchess"});
        QCOMPARE(TopLevels("frmAbout").size(), 1);
        bool aboutOutlivedGame = false;
        QTimer::singleShot(0, &game.Window, &QWidget::close);
        QTimer::singleShot(100, &game.Window, [&] {
            aboutOutlivedGame = TopLevels("frmAbout").size() == 1;
            game.Run({"mnuFileQuit"});
        });
        // Ends a loop that nothing else ends, with a code of its own.
        QTimer::singleShot(5000, &game.Window, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOutlivedGame);
    }

    void soundsFoundAndRefusedAtOnce() {
        const QDir program(QCoreApplication::applicationDirPath());
        const QString name = QStringLiteral("probe-%1.wav").arg(QCoreApplication::applicationPid());
        const QString beside = program.filePath(name),
                      installed = QDir::cleanPath(program.filePath("../share/quorrin/" + name));
        // Looked for beside the program first, then where it is installed; in neither place,
        // beside the program, where playing fails quietly.
        QStringList found;
        for (const QString& made : {QString(), installed, beside}) {
            QVERIFY(made.isEmpty() ||
                    (QDir().mkpath(QFileInfo(made).path()) && Write(made, "RIFF")));
            found << SoundFilePath(name);
        }
        QCOMPARE(found, (QStringList{beside, installed, beside}));
        // Three seconds of silence, which cannot play without an audio output; with one, a
        // broken, cut or missing file. None of them may be waited for.
        const wave::Bytes image = wave::Pcm16Mono(8000, std::vector<double>(24000, 0.0));
        const QByteArray sound(reinterpret_cast<const char*>(image.data()),
                               qsizetype(image.size()));
        const bool output = !QMediaDevices::audioOutputs().isEmpty();
        for (const QByteArray& bytes :
             output ? QList<QByteArray>{"RIFF", sound.left(30), {}} : QList<QByteArray>{sound}) {
            QVERIFY(bytes.isNull() ? QFile::remove(beside) : Write(beside, bytes));
            QElapsedTimer clock;
            clock.start();
            QVERIFY(!EffectSoundPlayer().Play(beside) && clock.elapsed() < 1000);
        }
        QVERIFY(QFile::remove(installed) && (QFile::remove(beside) || output));
        if (!output) {
            QSKIP("No audio output: a broken, cut or missing file cannot be told from a good one");
        }
    }

private:
    QStringList opened_;
    const QTemporaryDir folder_;
    const QTemporaryDir config_;
    const QTemporaryDir data_;
};

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
