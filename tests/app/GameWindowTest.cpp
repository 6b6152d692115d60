// The game window, its About box and its sounds, driven as a player drives them, and the window
// as designed at the screen's density.
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "MoveGate.h"
#include "app/audio/WaveFile.h"
#include "board/brdChessboard.h"
#include "board/platform/Platform.h"
#include "engine/ChessEngine.h"
#include "tests/support/QuietOffscreen.h"

#include <QtMultimedia>
#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace quorrin;

namespace {

// A game window that is its own sound player and answers its own boxes, pop-ups and dialogs.
class GameUnderTest final : public SoundPlayer {
public:
    explicit GameUnderTest(const QString& statePath = GAME::SavedStatePath)
        : Window(*this, statePath), Board(*Window.findChild<brdChessboard*>()) {
        testing::QuietOffscreenPlatform();
        // The piece a promotion pop-up handed over (after the window's handler has written it),
        // and every write of the board's view.
        QObject::connect(&Board, &brdChessboard::PawnPromotion, &answerer_,
                         [this](bool, int& eChoice) { Log << QString("choice %1").arg(eChoice); });
        QObject::connect(&Board, &brdChessboard::SideViewChanged, &answerer_,
                         [this](qint32 view) { Log << QString("view %1").arg(view); });
        QObject::connect(&answerer_, &QTimer::timeout, [this] { Answer(); });
        answerer_.start(2);
    }

    bool Play(const QString& path) override {
        const QString name = QFileInfo(path).fileName();
        const bool beside = path == QDir(QCoreApplication::applicationDirPath()).filePath(name);
        Log << (beside ? "sound " + name : "odd sound " + path);
        return !Peek || (Peek(), true);
    }

    // The window's part of that name: Find<QAction>("mnuGameNew").
    template <typename Part = QWidget> Part* Find(const QString& name) const {
        return Window.findChild<Part*>(name);
    }

    // Each step names a menu command ("mnu...") or a button ("cmd...") to use, pastes a text
    // ("paste <text>"), adds answers ("answer <word> <word>"), or else is a move to type and
    // send with "Move Piece".
    void Run(const QStringList& steps) {
        for (QString step : steps) {
            if (step.startsWith("answer ")) {
                Answers += step.mid(7).split(' ');
                continue;
            }
            if (step.startsWith("paste ")) {
                QApplication::clipboard()->setText(step.mid(6));
                step = QStringLiteral("mnuRecordPaste");
            } else if (!step.startsWith("mnu") && !step.startsWith("cmd")) {
                Find<QLineEdit>(QStringLiteral("txtMovePiece"))->setText(step);
                step = QStringLiteral("cmdMovePiece");
            }
            auto* action = Find<QAction>(step);
            action ? action->trigger() : Find<QAbstractButton>(step)->click();
        }
    }

    // White's entries, a bar, then Black's: "e2-e4 | e7-e5", "e2-e4 |".
    QString Entries() const {
        QStringList sides;
        for (const char* name : {"lstWhiteMoves", "lstBlackMoves"}) {
            QStringList texts;
            for (const auto* item : Find<QListWidget>(name)->findItems("*", Qt::MatchWildcard)) {
                texts << item->text();
            }
            sides << texts.join(' ');
        }
        return sides.join(" | ").trimmed();
    }

    // "sound click.wav", "message Stalemate", "popup mnuWhitePawnPromotion", "choice -1",
    // "view 1", "file dialog", "input box", "game list of 2"; "odd sound <path>"
    // for a sound not beside the program, "odd message" for a box other than a plain one.
    QStringList Log;
    // Taken in turn by each pop-up (the caption to choose; "" dismisses it), file dialog (the
    // path typed), input box (the text) and list of games (the row; "" cancels); "" when none.
    QStringList Answers;
    // Runs at each sound and before each pop-up, box or dialog is answered.
    std::function<void()> Peek;
    GAME Window;
    brdChessboard& Board;

private:
    void Answer() {
        QWidget* open = QApplication::activePopupWidget();
        open = open != nullptr ? open : QApplication::activeModalWidget();
        if (open != nullptr && Peek) {
            Peek();
        }
        const auto answer = [this] { return Answers.isEmpty() ? QString() : Answers.takeFirst(); };
        if (auto* box = qobject_cast<QMessageBox*>(open)) {
            const bool plain = box->windowTitle() == "Quorrin" &&
                               box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1;
            Log << (plain ? "message " : "odd message ") + box->text() +
                       (plain ? ""
                              : QString(" (%1, icon %2)").arg(box->windowTitle()).arg(box->icon()));
            box->button(QMessageBox::Ok)->click();
        } else if (auto* menu = qobject_cast<QMenu*>(open)) {
            Log << "popup " + menu->objectName();
            const QString caption = answer();
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                chosen = !caption.isEmpty() && action->text() == caption ? action : chosen;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, chosen != nullptr ? Qt::Key_Return : Qt::Key_Escape);
        } else if (auto* files = qobject_cast<QFileDialog*>(open)) {
            Log << "file dialog"; // the path typed in full and taken as it is
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer());
            files->QDialog::done(QDialog::Accepted);
        } else if (auto* input = qobject_cast<QInputDialog*>(open)) {
            Log << "input box";
            input->setTextValue(answer());
            input->accept();
        } else if (open != nullptr) {
            auto* games = open->findChild<QListWidget*>(QStringLiteral("lstGames"));
            Log << QString("game list of %1").arg(games->count());
            const QString row = answer();
            games->setCurrentRow(row.toInt());
            static_cast<QDialog*>(open)->done(row.isEmpty() ? QDialog::Rejected
                                                            : QDialog::Accepted);
        }
    }

    QTimer answerer_;
};

// The top-level windows of that name.
QWidgetList TopLevels(const QString& name) {
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([&name](const QWidget* window) { return window->objectName() != name; });
    return windows;
}

// The menu tree: "caption (hidden name) [shortcut]" per item, "-" for a separator, a
// submenu's items in brackets after its caption.
QString DescribeMenu(const QList<QAction*>& actions) {
    QStringList items;
    for (const QAction* action : actions) {
        QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
        item += action->isVisible() ? "" : " (hidden " + action->objectName() + ")";
        item += action->shortcut().isEmpty() ? "" : " [" + action->shortcut().toString() + "]";
        item += action->menu() ? "[" + DescribeMenu(action->menu()->actions()) + "]" : "";
        items << item;
    }
    return items.join(QStringLiteral(", "));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void playedAsAPlayerWould_data() {
        QTest::addColumn<QString>("steps");   // for GameUnderTest::Run, split at the commas
        QTest::addColumn<QString>("entries"); // as GameUnderTest::Entries gives them
        QTest::addColumn<QString>("log");     // "click" a click sound, "popup mnuWhite" ...
        const auto row = [](const char* name, const QString& steps, const char* entries,
                            const QString& log) { QTest::newRow(name) << steps << entries << log; };
        const QString d4 = QStringLiteral("d2d4,");
        // Only the first two and the last two characters of a typed move count.
        row("forms", "e2e4,e7-e5,g1 f3", "e2-e4 g1-f3 | e7-e5", "click, click, click");
        row("refused", "E2E4,e2e,,e2e5", "|",
            QStringList(4, "message Illegal move or bad syntax").join(", "));
        row("stalemate", "e2e4,cmdTestStalemate,d7-e6", "d7-e6 |",
            "click, click, message Stalemate");
        // The win sound follows the box, once the player has closed it.
        row("fool's mate", "f2f3,e7e5,g2g4,d8h4", "f2-f3 g2-g4 | e7-e5 d8-h4",
            "click, click, click, click, message White checkmated, sound win.wav");
        row("white in check", "e2e4,e7e5,f2f3,d8h4", "e2-e4 f2-f3 | e7-e5 d8-h4",
            "click, click, click, click, message White king in check");
        // Undo trims the list of the side whose move it took back.
        row("undo", "e2e4,e7e5,g1f3,mnuActionsUndo", "e2-e4 | e7-e5", "click, click, click");
        row("new game", "e2e4,e7e5,mnuGameNew", "|", "click, click");
        // "Reverse Board" turns the board; "Turn Board After Each Move", when checked, shows
        // the side to move at the bottom at once and after every move, undo and new game.
        row("reverse board", "mnuBoardView,mnuBoardView", "|", "view 1, view 0");
        row("turn board",
            "mnuBoardTurn,e2e4,e7e5,mnuActionsUndo,mnuGameNew,mnuBoardTurn,e2e4,mnuBoardView,"
            "mnuBoardTurn,cmdTestStalemate",
            "|",
            "view 0, view 1, click, view 0, click, view 1, view 0, click, view 1, view 1, view 0");
        row("insufficient material", "paste k7/8/8/8/8/8/1p6/K7 w - - 0 1,a1b2", "a1-b2 |",
            "click, message Draw by insufficient material");
        // Pasted: a position, or a game picked from a file of several, its lists filled and the
        // message its last move gave shown once; or nothing changed, and why.
        const QString games = "[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. f3 e5 2. g4 Qh4# 0-1\n";
        row("FEN", d4 + "paste 8/8/8/8/8/8/8/K6k b - - 12 40\n,h1g2", "| h1-g2", "click, click");
        row("FEN refused", d4 + "paste 8/8/8/8/8/8/8/K7 w - - 0 1", "d2-d4 |",
            "click, message Not a position to play from: Black has 0 kings; each side needs "
            "exactly one");
        row("two games", d4 + "answer 1,paste " + games, "f2-f3 g2-g4 | e7-e5 d8-h4",
            "click, game list of 2, message White checkmated");
        row("choice cancelled", d4 + "paste " + games, "d2-d4 |", "click, game list of 2");
        row("PGN refused", d4 + "paste 1. e4 e5 2. Ke3 *", "d2-d4 |",
            "click, message Cannot load the game: line 1, column 13: 2.Ke3: no white king can "
            "move to e3");
        row("not a game", d4 + "paste hello", "d2-d4 |",
            "click, message Cannot load the game: line 1, column 1: 1.hello: 'hello' is not a "
            "move");
        // A dismissed pop-up hands over the choice before it: 0 the first time, -1 after any
        // promotion (the board makes queens of both). Each colour has its own pop-up, each item
        // its own piece (White's queen 7, rook 8, knight 9, bishop 10; Black's 1, 2, 3, 4).
        const QString round = QStringLiteral("paste 8/1P5k/8/8/8/K7/6p1/8 w - - 0 1,b7b8,g2g1");
        const QString dismissed =
            "popup mnuWhite, choice -1, click, popup mnuBlack, choice -1, click";
        row("promotions",
            QStringList({round, "answer Knight Rook", round, "answer Bishop Queen", round,
                         "answer Rook Knight", round, "answer Queen Bishop", round, round})
                .join(','),
            "b7-b8 | g2-g1",
            "popup mnuWhite, choice 0, click, popup mnuBlack, choice -1, click, popup mnuWhite, "
            "choice 9, click, popup mnuBlack, choice 2, click, popup mnuWhite, "
            "choice 10, click, popup mnuBlack, choice 1, click, popup mnuWhite, choice 8, click, "
            "popup mnuBlack, choice 3, click, popup mnuWhite, choice 7, click, popup mnuBlack, "
            "choice 4, click, " +
                dismissed);
        // A promotion typed, or one in a game pasted, opens no pop-up.
        const QString promotion = QStringLiteral("k7/4P3/8/8/8/8/P7/K7 w - - 0 1");
        row("typed promotion", "paste " + promotion + ",answer e8=N,mnuRecordEnterMove," + round,
            "b7-b8 | g2-g1", "input box, click, " + dismissed);
        row("pasted promotion", "paste [FEN \"" + promotion + "\"]\n1. e8=N *," + round,
            "b7-b8 | g2-g1", dismissed);
    }

    void playedAsAPlayerWould() {
        QFETCH(QString, steps);
        GameUnderTest game;
        game.Run(steps.split(','));
        QTEST(game.Entries(), "entries");
        QTEST(game.Log.join(", ").replace("sound click.wav", "click").remove("PawnPromotion"),
              "log");
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
        gate->Close(QStringLiteral("clock"), QStringLiteral("The clock is stopped"));
        for (const auto& way : ways) {
            way();
        }
        QCOMPARE(game.Entries() + game.Log.join(','), QStringLiteral("|"));
        gate->Open(QStringLiteral("clock"));
        for (const auto& way : ways) {
            way();
            game.Run({"mnuActionsUndo"});
        }
        QCOMPARE(seen, QStringList({"e2-e4 |", "|", "e2-e4 |", "e2-e4 |", "e2-e4 |"}));
    }

    void gameCommandsWaitWhileAMoveIsMade() {
        GameUnderTest game;
        const auto enabled = [&game] {
            QStringList names;
            for (const char* name :
                 {"mnuGameNew", "mnuActionsUndo", "mnuActionsClaimDraw", "mnuRecordOpen",
                  "mnuRecordPaste", "mnuRecordEnterMove", "cmdMovePiece", "cmdTestStalemate"}) {
                names << (game.Find<QObject>(name)->property("enabled").toBool() ? name : "");
            }
            return names.join(' ').simplified();
        };
        game.Run({"paste 7k/1P6/8/8/8/K7/8/8 w - - 0 1"});
        QStringList seen; // in the pop-up, the sound and the box of a promotion that gives check
        game.Peek = [&] { seen << enabled(); };
        game.Run({"b7b8"});
        QCOMPARE(game.Log.join(','), "popup mnuWhitePawnPromotion,choice 0,sound click.wav,"
                                     "message Black king in check");
        QCOMPARE(seen, QStringList(3, ""));
        QCOMPARE(enabled(), "mnuGameNew mnuActionsUndo mnuRecordOpen mnuRecordPaste "
                            "mnuRecordEnterMove cmdMovePiece cmdTestStalemate");
    }

    void boardMenuFollowsSavedStateAndReachesTheBoard() {
        const QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("GAME.ini"));
        for (const bool saved : {false, true}) { // "Turn Board After Each Move" is off unsaved
            QVERIFY(Write(ini, saved ? "[brdChessboard1]\nLocked=true\nHighlightMove=false\n"
                                       "[GAME]\nTurnBoardAfterEachMove=true\n"
                                     : "[brdChessboard1]\nLocked=false\nHighlightMove=true\n"));
            GameUnderTest game(ini);
            // A check mark on "Drag-and-Drop" means dragging is allowed.
            QCOMPARE((QList<bool>{game.Find<QAction>("mnuBoardLock")->isChecked(),
                                  game.Find<QAction>("mnuBoardHighlight")->isChecked(),
                                  game.Find<QAction>("mnuBoardTurn")->isChecked()}),
                     (QList<bool>{!saved, !saved, saved}));
            game.Run({"mnuBoardLock", "mnuBoardHighlight"});
            QCOMPARE(QList<bool>({game.Board.Locked(), game.Board.HighlightMove()}),
                     QList<bool>({!saved, saved}));
        }
    }

    void openedGameKeepsItsCommentsAndGoesOn() {
        const QTemporaryDir folder;
        const QString moves =
            "1. e4 {best by test} 1... e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# {mate} 1-0";
        QVERIFY(Write(folder.filePath("game.pgn"), "[White \"Ann\"]\n\n" + moves.toUtf8()));
        // Opened over a game in progress: the lists filled, the last move's message alone; then
        // saved with its tags and comments, a move taken back with its comment, the game played
        // on with moves typed in any common form.
        GameUnderTest game;
        game.Answers = {folder.filePath("game.pgn"),
                        folder.filePath("saved.pgn"),
                        "Nf3",
                        "a7-a6",
                        "0-0",
                        "Qxx",
                        "d7d6"};
        game.Run({"e2e4", "mnuRecordOpen", "mnuRecordSave"});
        QCOMPARE(game.Entries(), QStringLiteral("e2-e4 d1-h5 f1-c4 h5-f7 | e7-e5 b8-c6 g8-f6"));
        QCOMPARE(game.Log.join(','), "sound click.wav,file dialog,message Black checkmated,file "
                                     "dialog");
        const QString saved = Read(folder.filePath("saved.pgn"));
        QVERIFY2(saved.contains("[White \"Ann\"]") && saved.contains(moves), qPrintable(saved));
        game.Run({"mnuActionsUndo"});
        game.Run(QStringList(5, "mnuRecordEnterMove") << "mnuRecordCopyGame");
        QCOMPARE(QApplication::clipboard()->text().section("\n\n", 1).simplified(),
                 moves.left(moves.indexOf("4.")) + "4. Nf3 a6 5. O-O d6 *");
        QCOMPARE(game.Log.filter("message").last(), "message Illegal move or bad syntax");
    }

    void filesThatCannotBeReadOrWritten() {
        // In an empty folder, each file made as its name says. Every write of the last save is
        // refused (a limit on file sizes, which binds root too): nothing is committed, and the
        // old file stays whole.
        for (const auto& [command, file, message] :
             std::initializer_list<std::tuple<const char*, QString, QString>>{
                 {"mnuRecordOpen", "missing.pgn", "Cannot open %1: "},
                 {"mnuRecordOpen", "folder", "Cannot open %1: "},
                 {"mnuRecordOpen", "large.pgn", "%1 is too large for a game file"},
                 {"mnuRecordSave", "missing/game.pgn", "Cannot save %1: "},
                 {"mnuRecordSave", "old.pgn", "Cannot save %1: "}}) {
            const QTemporaryDir folder;
            const QString path = folder.filePath(file);
            QVERIFY(file != "folder" || QDir(folder.path()).mkdir(file));
            QVERIFY(file != "large.pgn" || (Write(path, {}) && QFile::resize(path, 65 << 20)));
            QVERIFY(file != "old.pgn" || Write(path, "1. d4 *\n"));
            GameUnderTest game;
            game.Answers = {path};
            game.Run({"e2e4"});
            rlimit unlimited{};
            QVERIFY(getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
            rlimit limited = unlimited;
            limited.rlim_cur = file == "old.pgn" ? 8 : unlimited.rlim_cur;
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails, not the program
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
            game.Run({command});
            QVERIFY(setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
            QCOMPARE(game.Entries() + ' ' + QString::number(game.Log.size()), "e2-e4 | 3");
            QVERIFY2(game.Log[2].startsWith("message " + message.arg(path)),
                     qPrintable(game.Log[2]));
            QVERIFY(file != "old.pgn" || Read(path) == "1. d4 *\n");
        }
    }

    void claimedDrawGoesWithItsMove() {
        GameUnderTest game;
        auto* claim = game.Find<QAction>(QStringLiteral("mnuActionsClaimDraw"));
        game.Run({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"});
        game.Run({"f6g8"}); // the start position a third time
        QTRY_VERIFY(claim->isEnabled());
        game.Run({"mnuActionsClaimDraw", "mnuRecordCopyGame"});
        QVERIFY(QApplication::clipboard()->text().contains("[Result \"1/2-1/2\"]"));
        game.Run({"mnuActionsUndo", "mnuRecordCopyGame"});
        QVERIFY(QApplication::clipboard()->text().contains("[Result \"*\"]") &&
                !claim->isEnabled());
        QCOMPARE(game.Log.filter("message"), QStringList{"message Draw by threefold repetition"});
    }

    void gameWindowAsDesigned() {
        // The screen as QUORRIN_SCREEN says it is set up ("logical DPI, pixel ratio"); at its
        // logical DPI, the twips a pixel, the client area (9915 x 6495 twips, halves rounded to
        // even) and a square of the board (6135 twips made eight whole squares).
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(
            QString("%1, %2").arg(screen->logicalDotsPerInchX()).arg(screen->devicePixelRatio()),
            qEnvironmentVariable("QUORRIN_SCREEN", QStringLiteral("96, 1")));
        const std::map<int, std::tuple<int, QSize, int>> densities = {{96, {15, {661, 433}, 51}},
                                                                      {144, {10, {992, 650}, 76}}};
        const auto [twips, clientSize, square] =
            densities.at(qRound(screen->logicalDotsPerInchX()));
        QCOMPARE(QPoint(platform::TwipsPerPixelX(), platform::TwipsPerPixelY()),
                 QPoint(twips, twips));
        GameUnderTest game;
        QWidget* client = game.Find(QStringLiteral("ClientArea"));
        QCOMPARE(client->size(), clientSize);
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
            for (const int x : {board.left(), black.right() - 2}) {
                line1 += picture.pixel(x, y) == qRgb(255, 255, 255);
            }
        }
        QCOMPARE(line1, 4);
        // The captions, colours and menus (the hidden ones by name, the two promotion pop-ups
        // White's first), and the names read out.
        const auto caption = [&game](const char* name) {
            auto* list = game.Find<QListWidget>(name);
            return list
                       ? list->accessibleName() + ' ' + list->palette().color(QPalette::Base).name()
                       : game.Find(name)->property("text").toString();
        };
        QCOMPARE(
            (QStringList{game.Window.windowTitle(), game.Window.accessibleName(),
                         client->palette().color(QPalette::Window).name(), caption("lstWhiteMoves"),
                         caption("lstBlackMoves"), caption("txtMovePiece"), caption("cmdMovePiece"),
                         caption("cmdTestStalemate"),
                         DescribeMenu(game.Window.menuBar()->actions())}),
            (QStringList{
                "Quorrin ", "Quorrin", "#404040", "White's moves #e0e0e0", "Black's moves #e0e0e0",
                "e2e4", "Move Piece", "Test Stalemate",
                "Game[New Game, -, Board[Reverse Board, Drag-and-Drop, Highlight Move, -, Turn "
                "Board After Each Move], Actions[Undo Last Move, Claim "
                "Draw], -, Quit], Record[Open Game... [Ctrl+O], Save Game As... [Ctrl+S], -, Copy "
                "Game, Copy Position, Paste Game or Position [Ctrl+V], -, Enter Move... "
                "[Ctrl+E]], Help (hidden mnuHelp)[], Reclaim Piece (hidden "
                "mnuWhitePawnPromotion)[Queen, Rook, Bishop, Knight], Reclaim Piece (hidden "
                "mnuBlackPawnPromotion)[Queen, Rook, Bishop, Knight], About[About Quorrin]"}));
    }

    void aboutBoxLinksAndLife() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open");
        GameUnderTest game;
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        // The web-site address opens the site; the title and "Contact us" a new e-mail. Each, in
        // a box of its own, modeless and centred, first makes the pointing hand the screen's
        // pointer, until the box goes.
        for (const char* link : {"Label4", "Label5", "Label7"}) {
            game.Run({"mnuaboutchess"});
            const QPointer<QWidget> box = TopLevels("frmAbout").value(0);
            QVERIFY(!box->isModal() &&
                    (box->frameGeometry().center() - centre).manhattanLength() < 3);
            QTest::mouseClick(box->findChild<QLabel*>(link), Qt::LeftButton);
            box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            QTRY_VERIFY(box == nullptr);
            QVERIFY(QGuiApplication::overrideCursor() == nullptr);
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
        const QPointer<QWidget> about = TopLevels("frmAbout").first();
        bool aboutOutlivedGame = false;
        QTimer::singleShot(0, &game.Window, &QWidget::close);
        QTimer::singleShot(100, &game.Window, [&] {
            aboutOutlivedGame = about->isVisible();
            game.Run({"mnuFileQuit"});
        });
        // Ends a loop that nothing else ends, with a code of its own.
        QTimer::singleShot(5000, &game.Window, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOutlivedGame);
    }

    void soundsRefusedAtOnce() {
        // Three seconds of silence, which cannot play without an audio output; with one, a
        // missing, broken or cut file. None of them may be waited for.
        const wave::Bytes image = wave::Pcm16Mono(8000, std::vector<double>(24000, 0.0));
        const QByteArray sound(reinterpret_cast<const char*>(image.data()),
                               qsizetype(image.size()));
        const bool output = !QMediaDevices::audioOutputs().isEmpty();
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sound.wav"));
        for (const QByteArray& bytes :
             output ? QList<QByteArray>{{}, "RIFF....WAVEjunk", sound.left(30)}
                    : QList<QByteArray>{sound}) {
            QVERIFY(bytes.isNull() || Write(path, bytes));
            QElapsedTimer clock;
            clock.start();
            QVERIFY(!EffectSoundPlayer().Play(path));
            QVERIFY(clock.elapsed() < 1000);
        }
        if (!output) {
            QSKIP("No audio output: a missing, broken or cut file cannot be told from a good one");
        }
    }

    void soundsLookedForBesideTheProgramFirst() {
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QString name = QStringLiteral("probe-%1.wav").arg(QCoreApplication::applicationPid());
        const QString beside = programFolder.filePath(name);
        const QString installed =
            QDir::cleanPath(programFolder.filePath("../share/quorrin/" + name));
        // In neither place: beside the program, where playing fails quietly.
        QCOMPARE(SoundFilePath(name), beside);
        QVERIFY(QDir().mkpath(QFileInfo(installed).path()) && Write(installed, "RIFF"));
        QCOMPARE(SoundFilePath(name), installed);
        QVERIFY(Write(beside, "RIFF"));
        QCOMPARE(SoundFilePath(name), beside);
        QVERIFY(QFile::remove(beside) && QFile::remove(installed));
    }

private:
    QStringList opened_;
};

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
