// The game window's flows: typed moves, undo, new game and the test position, the messages and
// sounds of check, mate and stalemate, promotion pop-ups, the menu toggles, the saved state,
// and how the program ends.
#include "GAME.h"
#include "GameTestSupport.h"
#include "board/brdChessboard.h"
#include "engine/LayoutText.h"
#include "engine/Notation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quorrin;
using namespace quorrin::test;

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IgnoreOffscreenPlatformWarnings(); }
    void init();
    void cleanup();

    void typedMoveUsesFirstAndLastTwoCharacters_data();
    void typedMoveUsesFirstAndLastTwoCharacters();
    void undoTrimsTheListOfTheSideThatMoved();
    void newGameAndTestPositionEmptyBothLists();
    void checkMateAndStalemateAreAnnouncedInOrder_data();
    void checkMateAndStalemateAreAnnouncedInOrder();
    void promotionPopupHandsOverChoiceOrPreviousValue();
    void menuCommandsReachTheBoard();
    void loadHandlerTakesCheckMarksFromSavedState();
    void aboutBoxOutlivesTheGameWindowButNotQuit();

private:
    void Type(const QStringList& moves);
    void Trigger(const char* action) {
        window_->findChild<QAction*>(QLatin1String(action))->trigger();
    }
    QStringList Entries(const char* list) const;
    PieceType PieceOn(const char* square) const {
        return board_->State().Squares[SquareNameToIndex(square)].Piece.Kind;
    }

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
}

void GameWindowTest::cleanup() {
    window_.reset();
    answerer_.reset();
}

void GameWindowTest::Type(const QStringList& moves) {
    for (const QString& move : moves) {
        window_->findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))->setText(move);
        window_->findChild<QPushButton*>(QStringLiteral("cmdMovePiece"))->click();
    }
}

QStringList GameWindowTest::Entries(const char* list) const {
    QStringList entries;
    for (QListWidgetItem* item :
         window_->findChild<QListWidget*>(QLatin1String(list))->findItems("*", Qt::MatchWildcard)) {
        entries.append(item->text());
    }
    return entries;
}

void GameWindowTest::typedMoveUsesFirstAndLastTwoCharacters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "e2e4" << true;
    QTest::newRow("dash") << "e2-e4" << true;
    QTest::newRow("blank") << "e2 e4" << true;
    QTest::newRow("capitals") << "E2E4" << false;
    QTest::newRow("three characters") << "e2e" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("illegal") << "e2e5" << false;
}

void GameWindowTest::typedMoveUsesFirstAndLastTwoCharacters() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Type({typed});
    QCOMPARE(Entries("lstWhiteMoves"), accepted ? QStringList{"e2-e4"} : QStringList{});
    QCOMPARE(log_, accepted ? QStringList{"sound click.wav"}
                            : QStringList{"message Illegal move or bad syntax"});
    QCOMPARE(Entries("lstBlackMoves"), QStringList{});
}

void GameWindowTest::undoTrimsTheListOfTheSideThatMoved() {
    Type({"e2e4", "e7e5", "g1f3"});
    Trigger("mnuActionsUndo");
    QCOMPARE(Entries("lstWhiteMoves"), QStringList{"e2-e4"});
    QCOMPARE(Entries("lstBlackMoves"), QStringList{"e7-e5"});
    Trigger("mnuActionsUndo");
    QCOMPARE(Entries("lstWhiteMoves"), QStringList{"e2-e4"});
    QCOMPARE(Entries("lstBlackMoves"), QStringList{});
    Trigger("mnuActionsUndo");
    Trigger("mnuActionsUndo"); // nothing left to take back
    QCOMPARE(Entries("lstWhiteMoves"), QStringList{});
    QCOMPARE(board_->SideTurn(), 0);
}

void GameWindowTest::newGameAndTestPositionEmptyBothLists() {
    Type({"e2e4", "e7e5"});
    Trigger("mnuGameNew");
    QCOMPARE(Entries("lstWhiteMoves") + Entries("lstBlackMoves"), QStringList{});
    QVERIFY(board_->State().MoveHistory.empty());

    Type({"d2d4", "d7d5"});
    window_->findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->click();
    QCOMPARE(Entries("lstWhiteMoves") + Entries("lstBlackMoves"), QStringList{});
    QCOMPARE(PieceOn("f8"), BlackKing);
    QCOMPARE(PieceOn("d7"), WhiteQueen);
    QCOMPARE(PieceOn("g6"), WhiteKing);
    QCOMPARE(board_->SideTurn(), 0);
}

void GameWindowTest::checkMateAndStalemateAreAnnouncedInOrder_data() {
    QTest::addColumn<bool>("testPosition");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("afterLastClick");
    QTest::newRow("stalemate") << true << QStringList{"d7e6"} << QStringList{"message Stalemate"};
    QTest::newRow("fool's mate") << false << QStringList{"f2f3", "e7e5", "g2g4", "d8h4"}
                                 << QStringList{"message White checkmated", "sound win.wav"};
    QTest::newRow("scholar's mate")
        << false << QStringList{"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"}
        << QStringList{"message Black checkmated", "sound win.wav"};
    QTest::newRow("white in check") << false << QStringList{"e2e4", "e7e5", "f2f3", "d8h4"}
                                    << QStringList{"message White king in check"};
    QTest::newRow("black in check") << false << QStringList{"e2e4", "f7f6", "d1h5"}
                                    << QStringList{"message Black king in check"};
}

void GameWindowTest::checkMateAndStalemateAreAnnouncedInOrder() {
    QFETCH(bool, testPosition);
    QFETCH(QStringList, moves);
    QFETCH(QStringList, afterLastClick);
    if (testPosition) {
        window_->findChild<QPushButton*>(QStringLiteral("cmdTestStalemate"))->click();
    }
    Type(moves);
    QStringList expected;
    for (qsizetype i = 0; i < moves.size(); ++i) {
        expected.append(QStringLiteral("sound click.wav"));
    }
    QCOMPARE(log_, expected + afterLastClick);
    // The last move is listed before its messages.
    QCOMPARE((moves.size() % 2 == 1 ? Entries("lstWhiteMoves") : Entries("lstBlackMoves")).last(),
             moves.last().left(2) + QLatin1Char('-') + moves.last().right(2));
    // Sounds are asked for by their full path in the program's folder.
    const QString programFolder = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    for (const QString& path : sounds_->Paths) {
        QCOMPARE(QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath(), programFolder);
    }
}

void GameWindowTest::promotionPopupHandsOverChoiceOrPreviousValue() {
    // White: king a3, pawn b7. Black: king h7, pawn g2.
    const QString layout = QString::fromStdString(*LayoutFromDiagram("8/1P5k/8/8/8/K7/6p1/8"));
    QList<int> handedOver;
    connect(board_, &brdChessboard::PawnPromotion, this,
            [&handedOver](bool, int& eChoice) { handedOver.append(eChoice); });

    // The first dismissal hands over 0, later ones -1: both give a queen.
    QVERIFY(board_->NewGame(layout));
    for (const char* answer : {"", "", "Knight", "Rook", "Bishop", ""}) {
        answerer_->QueuePopupAnswer(QLatin1String(answer));
    }
    Type({"b7b8", "g2g1"});
    QCOMPARE(PieceOn("b8"), WhiteQueen);
    QCOMPARE(PieceOn("g1"), BlackQueen);
    QVERIFY(board_->NewGame(layout));
    Type({"b7b8", "g2g1"});
    QCOMPARE(PieceOn("b8"), WhiteKnight);
    QCOMPARE(PieceOn("g1"), BlackRook);
    // A choice is not remembered for the next pop-up.
    QVERIFY(board_->NewGame(layout));
    Type({"b7b8", "g2g1"});
    QCOMPARE(PieceOn("b8"), WhiteBishop);
    QCOMPARE(PieceOn("g1"), BlackQueen);

    QCOMPARE(handedOver, (QList<int>{0, -1, WhiteKnight, BlackRook, WhiteBishop, -1}));
    // Each colour has its own pop-up, answered before the move's click.
    QCOMPARE(log_.mid(0, 4), (QStringList{"popup mnuWhitePawnPromotion", "sound click.wav",
                                          "popup mnuBlackPawnPromotion", "sound click.wav"}));
}

void GameWindowTest::menuCommandsReachTheBoard() {
    auto* dragAndDrop = window_->findChild<QAction*>(QStringLiteral("mnuBoardLock"));
    auto* highlight = window_->findChild<QAction*>(QStringLiteral("mnuBoardHighlight"));
    for (bool checked : {false, true}) {
        dragAndDrop->trigger();
        QCOMPARE(dragAndDrop->isChecked(), checked);
        QCOMPARE(board_->Locked(), !checked); // a check mark means dragging is allowed
        highlight->trigger();
        QCOMPARE(highlight->isChecked(), checked);
        QCOMPARE(board_->HighlightMove(), checked);
    }

    // "Reverse Board" only ever writes 0 or 1, and never shows a check mark.
    QList<qint32> views;
    board_->setSideView(5);
    for (int i = 0; i < 4; ++i) {
        Trigger("mnuBoardView");
        views.append(board_->SideView());
    }
    QCOMPARE(views, (QList<qint32>{0, 1, 0, 1}));
    QVERIFY(!window_->findChild<QAction*>(QStringLiteral("mnuBoardView"))->isChecked());
}

void GameWindowTest::loadHandlerTakesCheckMarksFromSavedState() {
    QVERIFY(window_->findChild<QAction*>(QStringLiteral("mnuBoardLock"))->isChecked());
    QVERIFY(window_->findChild<QAction*>(QStringLiteral("mnuBoardHighlight"))->isChecked());
    QCOMPARE(board_->HighlightMoveColor(), 0x00FF0000u);

    QTemporaryDir folder;
    QFile state(folder.filePath(QStringLiteral("GAME.ini")));
    QVERIFY(state.open(QIODevice::WriteOnly));
    state.write("[brdChessboard1]\nLocked=true\nHighlightMove=false\nSideView=5\n");
    state.close();
    GAME other(*sounds_, state.fileName());
    QVERIFY(!other.findChild<QAction*>(QStringLiteral("mnuBoardLock"))->isChecked());
    QVERIFY(!other.findChild<QAction*>(QStringLiteral("mnuBoardHighlight"))->isChecked());
    QCOMPARE(other.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"))->SideView(), 5);
}

void GameWindowTest::aboutBoxOutlivesTheGameWindowButNotQuit() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTimer guard; // ends a loop that nothing else ends, with a code of its own
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });

    // Closing the game window by its frame leaves the About box, and the program, running.
    Trigger("mnuaboutchess");
    Trigger("mnuaboutchess"); // the same box comes forward
    QWidgetList aboutBoxes;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("frmAbout")) {
            aboutBoxes.append(top);
        }
    }
    QCOMPARE(aboutBoxes.size(), 1);
    QWidget* about = aboutBoxes.first();
    QVERIFY(about->isVisible() && !about->isModal());
    bool aboutOutlivedGame = false;
    QTimer::singleShot(0, window_.get(), &QWidget::close);
    QTimer::singleShot(100, about, [about, &aboutOutlivedGame] {
        aboutOutlivedGame = about->isVisible();
        about->close();
    });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(aboutOutlivedGame);

    // "Quit" ends the program even with an About box open.
    window_->show();
    Trigger("mnuaboutchess");
    QTimer::singleShot(0, window_->findChild<QAction*>(QStringLiteral("mnuFileQuit")),
                       &QAction::trigger);
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window_->isVisible());
}

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
