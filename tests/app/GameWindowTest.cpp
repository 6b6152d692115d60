// The game window as a player and the board see it: its layout and menus, the typed move, the
// menu commands, and the answers to the board's events (lists, messages, sounds, pop-ups).
#include "GAME.h"
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quorrin;
using quorrin::test::DialogAnswerer;
using quorrin::test::EventLog;
using quorrin::test::RecordingSoundPlayer;

namespace {

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) {
        entries.append(list.item(i)->text());
    }
    return entries;
}

// The menu tree as text: "caption" per item, "-" for a separator, "(hidden)" and "[x]"
// markers, submenus indented.
void DumpMenu(const QList<QAction*>& actions, int depth, QStringList& out) {
    for (QAction* action : actions) {
        QString line = QString(depth * 2, QLatin1Char(' '));
        line += action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->isVisible()) {
            line += QStringLiteral(" (hidden)");
        }
        if (action->isChecked()) {
            line += QStringLiteral(" [x]");
        }
        if (!action->shortcut().isEmpty()) {
            line += QStringLiteral(" {") + action->shortcut().toString() + QLatin1Char('}');
        }
        out.append(line);
        if (action->menu() != nullptr) {
            DumpMenu(action->menu()->actions(), depth + 1, out);
        }
    }
}

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quorrin::test::IgnoreOffscreenPlatformWarnings(); }
    void init();
    void cleanup();

    void windowIsLaidOutAsDesigned();
    void menusAreInOrderWithoutShortcuts();
    void loadHandlerTakesCheckMarksFromSavedState();
    void typedMoveUsesFirstAndLastTwoCharacters_data();
    void typedMoveUsesFirstAndLastTwoCharacters();
    void undoTrimsTheListOfTheSideThatMoved();
    void newGameAndTestPositionEmptyBothLists();
    void testPositionStalematesAfterQueenToE6();
    void checksAndMatesAreAnnouncedThenWinSoundPlays_data();
    void checksAndMatesAreAnnouncedThenWinSoundPlays();
    void promotionTakesThePieceChosenInThePopup();
    void dismissedPromotionHandsZeroFirstThenMinusOne();
    void menuTogglesReachTheBoard();
    void reverseBoardOnlyEverWritesZeroOrOne();
    void aboutBoxIsModelessAndOutlivesTheGameWindow();
    void quitEndsTheProgramEvenWithAnAboutBoxOpen();

private:
    void TypeMove(const QString& text);
    void TypeMoves(const QStringList& moves);
    QAction* Action(const char* name) const;
    QListWidget* WhiteList() const;
    QListWidget* BlackList() const;

    EventLog log_;
    std::unique_ptr<RecordingSoundPlayer> sounds_;
    std::unique_ptr<DialogAnswerer> answerer_;
    std::unique_ptr<GAME> window_;
    brdChessboard* board_ = nullptr;
};

void GameWindowTest::init() {
    log_.clear();
    sounds_ = std::make_unique<RecordingSoundPlayer>(log_);
    answerer_ = std::make_unique<DialogAnswerer>(log_);
    window_ = std::make_unique<GAME>(*sounds_);
    board_ = window_->findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    QVERIFY(board_ != nullptr);
}

void GameWindowTest::cleanup() {
    window_.reset();
    answerer_.reset();
    sounds_.reset();
}

void GameWindowTest::TypeMove(const QString& text) {
    window_->findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))->setText(text);
    window_->findChild<QPushButton*>(QStringLiteral("cmdMovePiece"))->click();
}

void GameWindowTest::TypeMoves(const QStringList& moves) {
    for (const QString& move : moves) {
        TypeMove(move);
    }
}

QAction* GameWindowTest::Action(const char* name) const {
    auto* action = window_->findChild<QAction*>(QLatin1String(name));
    if (action == nullptr) {
        qFatal("no action %s", name);
    }
    return action;
}

QListWidget* GameWindowTest::WhiteList() const {
    return window_->findChild<QListWidget*>(QStringLiteral("lstWhiteMoves"));
}

QListWidget* GameWindowTest::BlackList() const {
    return window_->findChild<QListWidget*>(QStringLiteral("lstBlackMoves"));
}

void GameWindowTest::windowIsLaidOutAsDesigned() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Quorrin "));
    QWidget* client = window_->centralWidget();
    // 9915 x 6495 twips at 15 twips a pixel.
    QCOMPARE(client->size(), QSize(661, 433));
    QCOMPARE(board_->pos(), QPoint(8, 8));
    QCOMPARE(board_->ExtentWidthTwips(), board_->ExtentHeightTwips());
    QVERIFY(board_->ExtentWidthTwips() <= 6135);
    QCOMPARE(WhiteList()->geometry(), QRect(424, 8, 113, 407));
    QCOMPARE(BlackList()->geometry(), QRect(544, 8, 113, 407));
    QVERIFY(!window_->windowIcon().isNull());

    // The typed-move controls lie below the client area: they exist but cannot be seen.
    for (const char* name : {"txtMovePiece", "cmdMovePiece", "cmdTestStalemate"}) {
        auto* control = window_->findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(control != nullptr, name);
        QVERIFY2(control->geometry().top() >= client->height(), name);
    }
    QCOMPARE(window_->findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))->text(),
             QStringLiteral("e2e4"));
    QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("cmdMovePiece"))->text(),
             QStringLiteral("Move Piece"));
    QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->text(),
             QStringLiteral("Test Stalemate"));

    // The background picture and the back colour show around the controls, the line under them.
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const QImage picture = client->grab().toImage();
    QCOMPARE(QColor(picture.pixel(300, 423)), QColor(Qt::white));
    QCOMPARE(QColor(picture.pixel(300, 424)), QColor(Qt::white));
    QCOMPARE(QColor(picture.pixel(4, 4)).blue() > QColor(picture.pixel(4, 430)).blue(), true);
}

void GameWindowTest::menusAreInOrderWithoutShortcuts() {
    QStringList tree;
    DumpMenu(window_->menuBar()->actions(), 0, tree);
    const QStringList expected = {
        "Game",
        "  New Game",
        "  -",
        "  Board",
        "    Reverse Board",
        "    Drag-and-Drop [x]",
        "    Highlight Move [x]",
        "  Actions",
        "    Undo Last Move",
        "  -",
        "  Quit",
        "Help (hidden)",
        "Reclaim Piece (hidden)",
        "  Queen",
        "  Rook",
        "  Bishop",
        "  Knight",
        "Reclaim Piece (hidden)",
        "  Queen",
        "  Rook",
        "  Bishop",
        "  Knight",
        "About",
        "  About Quorrin",
    };
    QCOMPARE(tree, expected);
    QVERIFY(!Action("mnuBoardView")->isCheckable());
}

void GameWindowTest::loadHandlerTakesCheckMarksFromSavedState() {
    // The compiled-in state: the six design values.
    QCOMPARE(board_->DarkSquareColor(), 0x00808080u);
    QCOMPARE(board_->LightSquareColor(), 0x00E0E0E0u);
    QCOMPARE(board_->Locked(), false);
    QCOMPARE(board_->SideView(), 0);
    QCOMPARE(board_->HighlightMove(), true);
    QCOMPARE(board_->HighlightMoveColor(), 0x00FF0000u);
    QVERIFY(Action("mnuBoardLock")->isChecked());
    QVERIFY(Action("mnuBoardHighlight")->isChecked());

    // Another saved state: locked, no highlight, Black's view.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("GAME.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[brdChessboard1]\nLocked=true\nHighlightMove=false\nSideView=5\n");
    file.close();
    GAME other(*sounds_, path);
    auto* otherBoard = other.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"));
    QCOMPARE(otherBoard->Locked(), true);
    QCOMPARE(otherBoard->HighlightMove(), false);
    QCOMPARE(otherBoard->SideView(), 5);
    QCOMPARE(otherBoard->DarkSquareColor(), 0x00808080u); // missing key: its default
    QVERIFY(!other.findChild<QAction*>(QStringLiteral("mnuBoardLock"))->isChecked());
    QVERIFY(!other.findChild<QAction*>(QStringLiteral("mnuBoardHighlight"))->isChecked());
}

void GameWindowTest::typedMoveUsesFirstAndLastTwoCharacters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "e2e4" << true;
    QTest::newRow("dash") << "e2-e4" << true;
    QTest::newRow("blank") << "e2 e4" << true;
    QTest::newRow("words between") << "e2 to e4" << true;
    QTest::newRow("capitals") << "E2E4" << false;
    QTest::newRow("three characters") << "e2e" << false;
    QTest::newRow("two characters") << "e2" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("illegal move") << "e2e5" << false;
}

void GameWindowTest::typedMoveUsesFirstAndLastTwoCharacters() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    TypeMove(typed);
    if (accepted) {
        QCOMPARE(Entries(*WhiteList()), QStringList{"e2-e4"});
        QCOMPARE(log_, QStringList{"sound click.wav"});
        QCOMPARE(board_->SideTurn(), 1);
    } else {
        QCOMPARE(WhiteList()->count(), 0);
        QCOMPARE(log_, QStringList{"message Illegal move or bad syntax"});
        QCOMPARE(board_->SideTurn(), 0);
    }
    QCOMPARE(BlackList()->count(), 0);
}

void GameWindowTest::undoTrimsTheListOfTheSideThatMoved() {
    TypeMoves({"e2e4", "e7e5", "g1f3"});
    QCOMPARE(Entries(*WhiteList()), (QStringList{"e2-e4", "g1-f3"}));
    QCOMPARE(Entries(*BlackList()), QStringList{"e7-e5"});

    QAction* undo = Action("mnuActionsUndo");
    undo->trigger();
    QCOMPARE(Entries(*WhiteList()), QStringList{"e2-e4"});
    QCOMPARE(Entries(*BlackList()), QStringList{"e7-e5"});
    undo->trigger();
    QCOMPARE(Entries(*WhiteList()), QStringList{"e2-e4"});
    QCOMPARE(BlackList()->count(), 0);
    undo->trigger();
    QCOMPARE(WhiteList()->count(), 0);
    // Nothing left to take back: nothing happens.
    undo->trigger();
    QCOMPARE(WhiteList()->count(), 0);
    QCOMPARE(BlackList()->count(), 0);
    QCOMPARE(board_->SideTurn(), 0);
    QCOMPARE(log_.filter(QStringLiteral("message")), QStringList{});
}

void GameWindowTest::newGameAndTestPositionEmptyBothLists() {
    TypeMoves({"e2e4", "e7e5"});
    Action("mnuGameNew")->trigger();
    QCOMPARE(WhiteList()->count(), 0);
    QCOMPARE(BlackList()->count(), 0);
    QVERIFY(board_->State().MoveHistory.empty());

    TypeMoves({"d2d4", "d7d5"});
    window_->findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->click();
    QCOMPARE(WhiteList()->count(), 0);
    QCOMPARE(BlackList()->count(), 0);
    const EngineState& state = board_->State();
    QCOMPARE(state.WhitesTurn, true);
    QCOMPARE(state.Squares[SquareNameToIndex("f8")].Piece.Kind, BlackKing);
    QCOMPARE(state.Squares[SquareNameToIndex("d7")].Piece.Kind, WhiteQueen);
    QCOMPARE(state.Squares[SquareNameToIndex("g6")].Piece.Kind, WhiteKing);
    int occupied = 0;
    for (int square = 1; square <= 64; ++square) {
        occupied += state.Squares[square].Occupied ? 1 : 0;
    }
    QCOMPARE(occupied, 7);
}

void GameWindowTest::testPositionStalematesAfterQueenToE6() {
    window_->findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->click();
    TypeMove(QStringLiteral("d7e6"));
    QCOMPARE(Entries(*WhiteList()), QStringList{"d7-e6"});
    QCOMPARE(log_, (QStringList{"sound click.wav", "message Stalemate"}));
}

void GameWindowTest::checksAndMatesAreAnnouncedThenWinSoundPlays_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("afterLastClick");
    QTest::newRow("fool's mate") << QStringList{"f2f3", "e7e5", "g2g4", "d8h4"}
                                 << QStringList{"message White checkmated", "sound win.wav"};
    QTest::newRow("scholar's mate")
        << QStringList{"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"}
        << QStringList{"message Black checkmated", "sound win.wav"};
    QTest::newRow("white in check") << QStringList{"e2e4", "e7e5", "f2f3", "d8h4"}
                                    << QStringList{"message White king in check"};
    QTest::newRow("black in check")
        << QStringList{"e2e4", "f7f6", "d1h5"} << QStringList{"message Black king in check"};
}

void GameWindowTest::checksAndMatesAreAnnouncedThenWinSoundPlays() {
    QFETCH(QStringList, moves);
    QFETCH(QStringList, afterLastClick);
    TypeMoves(moves);
    QStringList expected;
    for (int i = 0; i < moves.size(); ++i) {
        expected.append(QStringLiteral("sound click.wav"));
    }
    expected += afterLastClick;
    QCOMPARE(log_, expected);

    // Sounds are asked for by full path in the program's folder.
    const QString appDir = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    for (const QString& path : sounds_->Paths) {
        QVERIFY2(QFileInfo(path).isAbsolute(), qPrintable(path));
        QCOMPARE(QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath(), appDir);
    }
}

void GameWindowTest::promotionTakesThePieceChosenInThePopup() {
    // White: king a3, pawn b7. Black: king h7, pawn g2.
    QVERIFY(board_->NewGame(QString::fromStdString(*LayoutFromDiagram("8/1P5k/8/8/8/K7/6p1/8"))));
    QList<int> handedOver;
    connect(board_, &brdChessboard::PawnPromotion, this,
            [&handedOver](bool, int& eChoice) { handedOver.append(eChoice); });

    answerer_->QueuePopupAnswer(QStringLiteral("Knight"));
    TypeMove(QStringLiteral("b7b8"));
    answerer_->QueuePopupAnswer(QStringLiteral("Rook"));
    TypeMove(QStringLiteral("g2g1"));

    QCOMPARE(handedOver, (QList<int>{WhiteKnight, BlackRook}));
    const EngineState& state = board_->State();
    QCOMPARE(state.Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteKnight);
    QCOMPARE(state.Squares[SquareNameToIndex("g1")].Piece.Kind, BlackRook);
    // The white pop-up for White's pawn, the black one for Black's; the choice is made
    // before the click sound of the move.
    QCOMPARE(log_, (QStringList{"popup mnuWhitePawnPromotion", "sound click.wav",
                                "popup mnuBlackPawnPromotion", "sound click.wav"}));
    QCOMPARE(Entries(*WhiteList()), QStringList{"b7-b8"});
    QCOMPARE(Entries(*BlackList()), QStringList{"g2-g1"});
}

void GameWindowTest::dismissedPromotionHandsZeroFirstThenMinusOne() {
    QVERIFY(board_->NewGame(QString::fromStdString(*LayoutFromDiagram("8/1P5k/8/8/8/K7/6p1/8"))));
    QList<int> handedOver;
    connect(board_, &brdChessboard::PawnPromotion, this,
            [&handedOver](bool, int& eChoice) { handedOver.append(eChoice); });

    answerer_->QueuePopupAnswer(QString());
    TypeMove(QStringLiteral("b7b8"));
    answerer_->QueuePopupAnswer(QString());
    TypeMove(QStringLiteral("g2g1"));
    // A choice, then a dismissal: the choice is not remembered.
    Action("mnuActionsUndo")->trigger();
    Action("mnuActionsUndo")->trigger();
    answerer_->QueuePopupAnswer(QStringLiteral("Bishop"));
    TypeMove(QStringLiteral("b7b8"));
    answerer_->QueuePopupAnswer(QString());
    TypeMove(QStringLiteral("g2g1"));

    QCOMPARE(handedOver, (QList<int>{0, -1, WhiteBishop, -1}));
    const EngineState& state = board_->State();
    QCOMPARE(state.Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteBishop);
    QCOMPARE(state.Squares[SquareNameToIndex("g1")].Piece.Kind, BlackQueen);
}

void GameWindowTest::menuTogglesReachTheBoard() {
    QAction* dragAndDrop = Action("mnuBoardLock");
    QAction* highlight = Action("mnuBoardHighlight");
    QSignalSpy changes(board_, &brdChessboard::PropertyChanged);

    dragAndDrop->trigger();
    QCOMPARE(dragAndDrop->isChecked(), false);
    QCOMPARE(board_->Locked(), true);
    dragAndDrop->trigger();
    QCOMPARE(dragAndDrop->isChecked(), true);
    QCOMPARE(board_->Locked(), false);

    highlight->trigger();
    QCOMPARE(highlight->isChecked(), false);
    QCOMPARE(board_->HighlightMove(), false);
    highlight->trigger();
    QCOMPARE(highlight->isChecked(), true);
    QCOMPARE(board_->HighlightMove(), true);

    QCOMPARE(changes.count(), 4);
}

void GameWindowTest::reverseBoardOnlyEverWritesZeroOrOne() {
    QAction* reverse = Action("mnuBoardView");
    QList<qint32> seen;
    for (int i = 0; i < 5; ++i) {
        reverse->trigger();
        seen.append(board_->SideView());
        QVERIFY(!reverse->isChecked());
    }
    QCOMPARE(seen, (QList<qint32>{1, 0, 1, 0, 1}));
    board_->setSideView(5);
    reverse->trigger();
    QCOMPARE(board_->SideView(), 0);
}

void GameWindowTest::aboutBoxIsModelessAndOutlivesTheGameWindow() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));

    Action("mnuaboutchess")->trigger();
    QWidget* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("frmAbout")) {
            shown = top;
        }
    }
    QVERIFY(shown != nullptr);
    QVERIFY(shown->isVisible());
    QVERIFY(!shown->isModal());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // Chosen again: the same box comes forward.
    Action("mnuaboutchess")->trigger();
    int boxes = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        boxes += top->objectName() == QStringLiteral("frmAbout") ? 1 : 0;
    }
    QCOMPARE(boxes, 1);

    // Closing the game window by its frame leaves the About box, and the program, running;
    // closing the About box then ends the program.
    bool aboutOutlivedGame = false;
    QTimer::singleShot(0, window_.get(), [this] { window_->close(); });
    QTimer::singleShot(100, shown, [shown, &aboutOutlivedGame] {
        aboutOutlivedGame = shown->isVisible();
        shown->close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(aboutOutlivedGame);
    QVERIFY(!window_->isVisible());
}

void GameWindowTest::quitEndsTheProgramEvenWithAnAboutBoxOpen() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    Action("mnuaboutchess")->trigger();
    QTimer::singleShot(0, Action("mnuFileQuit"), &QAction::trigger);
    // Should Quit not end the event loop, this ends it with another code.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window_->isVisible());
}

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
