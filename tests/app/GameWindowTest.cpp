// The game window: typed moves and commands with the entries, messages and sounds they cause,
// promotion pop-ups, the menu toggles and the saved state, and how the program ends.
#include "GameTestSupport.h"
#include "MoveGate.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"
#include "engine/Layout.h"

#include <QClipboard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace quorrin;
using namespace quorrin::test;

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void movesAndCommandsReachListsMessagesAndSounds_data();
    void movesAndCommandsReachListsMessagesAndSounds();
    void closedGateRefusesEveryWayOfMoving_data();
    void closedGateRefusesEveryWayOfMoving();
    void gameCommandsWaitWhileAMoveIsMade();
    void promotionPopupHandsOverChoiceOrPreviousValue();
    void checkMarksFollowSavedStateAndReachTheBoard();
    void boardViewFollowsReverseAndTurnBoard();
    void aboutBoxOutlivesTheGameWindowButNotQuit();
};

void GameWindowTest::movesAndCommandsReachListsMessagesAndSounds_data() {
    QTest::addColumn<QString>("steps");       // for GameUnderTest::Run, split at the commas
    QTest::addColumn<QString>("entries");     // as GameUnderTest::Entries gives them
    QTest::addColumn<int>("clicks");          // click sounds at the start of the log
    QTest::addColumn<QString>("afterClicks"); // the rest of the log
    const auto row = [](const char* name, const char* steps, const char* entries, int clicks,
                        const char* afterClicks) {
        QTest::newRow(name) << QString(steps) << QString(entries) << clicks << QString(afterClicks);
    };
    const char* const refused = "message Illegal move or bad syntax";
    // Only the first two and the last two characters count.
    row("plain", "e2e4", "e2-e4 |", 1, "");
    row("dash", "e2-e4", "e2-e4 |", 1, "");
    row("blank", "e2 e4", "e2-e4 |", 1, "");
    row("capitals", "E2E4", "|", 0, refused);
    row("too short", "e2e", "|", 0, refused);
    row("empty", "", "|", 0, refused);
    row("illegal", "e2e5", "|", 0, refused);
    row("stalemate", "cmdTestStalemate,d7-e6", "d7-e6 |", 1, "message Stalemate");
    // The win sound follows the box, once the player has closed it.
    row("fool's mate", "f2f3,e7e5,g2g4,d8h4", "f2-f3 g2-g4 | e7-e5 d8-h4", 4,
        "message White checkmated,sound win.wav");
    row("scholar's mate", "e2e4,e7e5,f1c4,b8c6,d1h5,g8f6,h5f7",
        "e2-e4 f1-c4 d1-h5 h5-f7 | e7-e5 b8-c6 g8-f6", 7, "message Black checkmated,sound win.wav");
    row("white in check", "e2e4,e7e5,f2f3,d8h4", "e2-e4 f2-f3 | e7-e5 d8-h4", 4,
        "message White king in check");
    row("black in check", "e2e4,f7f6,d1h5", "e2-e4 d1-h5 | f7-f6", 3,
        "message Black king in check");
    // Undo trims the list of the side whose move it took back.
    row("White's move undone", "e2e4,e7e5,g1f3,mnuActionsUndo", "e2-e4 | e7-e5", 3, "");
    row("Black's move undone", "e2e4,e7e5,mnuActionsUndo", "e2-e4 |", 2, "");
    row("undo with nothing left", "e2e4,mnuActionsUndo,mnuActionsUndo", "|", 1, "");
    row("new game", "e2e4,e7e5,mnuGameNew", "|", 2, "");
    row("test position", "e2e4,e7e5,cmdTestStalemate", "|", 2, "");
}

void GameWindowTest::movesAndCommandsReachListsMessagesAndSounds() {
    QFETCH(QString, steps);
    QFETCH(QString, entries);
    QFETCH(int, clicks);
    QFETCH(QString, afterClicks);
    GameUnderTest game;
    game.Run(steps.split(','));
    QCOMPARE(game.Entries(), entries);
    QCOMPARE(game.Log, QStringList(clicks, QStringLiteral("sound click.wav")) +
                           afterClicks.split(',', Qt::SkipEmptyParts));
}

void GameWindowTest::closedGateRefusesEveryWayOfMoving_data() {
    QTest::addColumn<int>("way");
    int way = 0;
    for (const char* name : {"drag", "keys", "Enter Move", "Move Piece"}) {
        QTest::newRow(name) << way++;
    }
}

void GameWindowTest::closedGateRefusesEveryWayOfMoving() {
    QFETCH(int, way);
    GameUnderTest game;
    QVERIFY(game.Show());
    const auto at = [&game](const char* name) {
        const auto* square = game.Board.findChild<QWidget*>(
            QStringLiteral("picSquare%1").arg(SquareNameToIndex(name)));
        return square->mapTo(&game.Window, square->rect().center());
    };
    // e2-e4, the keyboard's cursor starting on e2 and going back there.
    const std::function<void()> ways[] = {
        [&] {
            QTest::mousePress(game.Window.windowHandle(), Qt::LeftButton, {}, at("e2"));
            QTest::mouseMove(game.Window.windowHandle(), at("e4"));
            QTest::mouseRelease(game.Window.windowHandle(), Qt::LeftButton, {}, at("e4"));
        },
        [&] {
            game.Board.setFocus();
            for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space,
                                      Qt::Key_Down, Qt::Key_Down}) {
                QTest::keyClick(&game.Board, key);
            }
        },
        [&] {
            game.TextAnswer = QStringLiteral("e4");
            game.Run({"mnuRecordEnterMove"});
        },
        [&] { game.Run({"e2e4"}); }};
    auto* gate = game.Window.findChild<MoveGate*>();
    gate->Close(QStringLiteral("clock"), QStringLiteral("The clock is stopped"));
    ways[way]();
    QCOMPARE(game.Entries() + game.Log.join(','), QStringLiteral("|"));
    gate->Open(QStringLiteral("clock"));
    ways[way]();
    QCOMPARE(game.EntriesAtSounds, QStringList{"e2-e4 |"}); // the entry before the sound
    QCOMPARE(game.Entries(), QStringLiteral("e2-e4 |"));
}

void GameWindowTest::gameCommandsWaitWhileAMoveIsMade() {
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
    QStringList seen; // at the pop-up, the sound and the box of a promotion that gives check
    game.Peek = [&] { seen << enabled(); };
    QVERIFY(game.Board.NewGame(*ReadFen("7k/1P6/8/8/8/K7/8/8 w - - 0 1")));
    game.Run({"b7b8"});
    QCOMPARE(game.Log, QStringList({"popup mnuWhitePawnPromotion", "sound click.wav",
                                    "message Black king in check"}));
    QCOMPARE(seen, QStringList(3, ""));
    QCOMPARE(enabled(), "mnuGameNew mnuActionsUndo mnuRecordOpen mnuRecordPaste "
                        "mnuRecordEnterMove cmdMovePiece cmdTestStalemate");
}

void GameWindowTest::promotionPopupHandsOverChoiceOrPreviousValue() {
    // White: king a3, pawn b7. Black: king h7, pawn g2.
    const QString layout = QString::fromStdString(*LayoutFromDiagram("8/1P5k/8/8/8/K7/6p1/8"));
    // Before the pop-ups: nothing, a promotion typed in Enter Move (a knight, with no pop-up), or
    // a pasted game with a promotion in it.
    for (const QString before : {"typed", "pasted", ""}) {
        GameUnderTest game;
        QStringList answers = {"",      "",     "Knight", "Rook",  "Bishop",
                               "Queen", "Rook", "Knight", "Queen", "Bishop"};
        game.PopupAnswer = [&answers](QMenu&) {
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
        QList<int> handedOver; // as the window's handler left it
        connect(&game.Board, &brdChessboard::PawnPromotion, this,
                [&handedOver](bool, int& eChoice) { handedOver.append(eChoice); });
        const QString fen = QStringLiteral("k7/4P3/8/8/8/8/8/K7 w - - 0 1");
        QApplication::clipboard()->setText("[FEN \"" + fen + "\"]\n1. e8=N *");
        game.TextAnswer = QStringLiteral("e8=N");
        QVERIFY(before != "typed" || game.Board.NewGame(*ReadFen(fen.toStdString())));
        if (!before.isEmpty()) {
            game.Run({before == "typed" ? "mnuRecordEnterMove" : "mnuRecordPaste"});
            QVERIFY(game.Board.Engine().Fen().starts_with("k3N3/"));
        }
        QList<PieceType> promoted;
        for (int round = 0; round < 5; ++round) {
            QVERIFY(game.Board.NewGame(layout));
            game.Run({"b7b8", "g2g1"});
            const auto& squares = game.Board.State().Squares;
            promoted << squares[SquareNameToIndex("b8")].Piece.Kind
                     << squares[SquareNameToIndex("g1")].Piece.Kind;
        }
        // The first dismissal hands over 0 unless a promotion came before, later ones -1: all
        // give a queen. Each colour has its own pop-up, each item its own piece, and a choice is
        // not remembered for the next one.
        QCOMPARE(handedOver,
                 (QList<int>{before.isEmpty() ? 0 : -1, -1, WhiteKnight, BlackRook, WhiteBishop,
                             BlackQueen, WhiteRook, BlackKnight, WhiteQueen, BlackBishop}));
        QCOMPARE(promoted,
                 (QList<PieceType>{WhiteQueen, BlackQueen, WhiteKnight, BlackRook, WhiteBishop,
                                   BlackQueen, WhiteRook, BlackKnight, WhiteQueen, BlackBishop}));
        QCOMPARE(game.Log.filter("popup").size(), 10);
    }
}

void GameWindowTest::checkMarksFollowSavedStateAndReachTheBoard() {
    const QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("GAME.ini"));
    for (const bool locked : {false, true}) {
        QSettings(ini, QSettings::IniFormat).setValue("brdChessboard1/Locked", locked);
        QSettings(ini, QSettings::IniFormat).setValue("brdChessboard1/HighlightMove", !locked);
        const GameUnderTest game(ini);
        // A check mark on "Drag-and-Drop" means dragging is allowed.
        QCOMPARE(game.Find<QAction>("mnuBoardLock")->isChecked(), !locked);
        QCOMPARE(game.Find<QAction>("mnuBoardHighlight")->isChecked(), !locked);
        game.Run({"mnuBoardLock", "mnuBoardHighlight"});
        QCOMPARE(game.Board.Locked(), !locked);
        QCOMPARE(game.Board.HighlightMove(), locked);
    }
}

void GameWindowTest::boardViewFollowsReverseAndTurnBoard() {
    QVERIFY(!GameUnderTest().Find<QAction>("mnuBoardTurn")->isChecked()); // off when not saved
    const QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("GAME.ini"));
    QSettings(ini, QSettings::IniFormat).setValue("GAME/TurnBoardAfterEachMove", true);
    GameUnderTest game(ini);
    game.Board.setSideView(5);
    QSignalSpy writes(&game.Board, &brdChessboard::PropertyChanged);
    QList<qint32> views;
    // "Reverse Board" writes only 0 or 1. "Turn Board After Each Move" unchecked, the board
    // stays as it is; checked again, it is written at once.
    for (const char* step :
         {"mnuBoardView", "mnuBoardView", "e2e4", "e7e5", "mnuActionsUndo", "mnuGameNew", "e2e4",
          "mnuBoardTurn", "e7e5", "mnuBoardView", "mnuBoardTurn", "cmdTestStalemate"}) {
        game.Run({step});
        views.append(game.Board.SideView());
    }
    QCOMPARE(views, (QList<qint32>{0, 1, 1, 0, 1, 0, 1, 1, 1, 0, 0, 0}));
    QCOMPARE(writes.count(), 10);
}

void GameWindowTest::aboutBoxOutlivesTheGameWindowButNotQuit() {
    GameUnderTest game;
    game.Window.show();
    game.Run({"mnuaboutchess", "mnuaboutchess"}); // the second brings the same box forward
    QCOMPARE(TopLevels("frmAbout").size(), 1);
    QWidget* about = TopLevels("frmAbout").first();
    QVERIFY(about->isVisible() && !about->isModal());

    // Closing the game window by its frame leaves the About box, and the program, running;
    // "Quit" ends the program even with the About box open.
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

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
