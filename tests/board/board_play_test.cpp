// Playing on the board: dragging pieces with the mouse, playing with the keyboard, and the board
// as assistive technology sees it (its table of squares, its focus, the announcements).
#include "BoardTestSupport.h"

#include "board/FocusCursor.h"
#include "board/SpokenText.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

using namespace quorrin;

namespace {

bool PointerIsNormal() {
    return QApplication::overrideCursor() == nullptr && QWidget::mouseGrabber() == nullptr;
}

// As in a game window: a board of 51-pixel squares at the top-left of its active host window,
// with the focus (given by a click) and the host's move gate (open while gate is ""); the marks
// it shows, and the accessible names of its cells.
struct ShownBoard {
    ShownBoard() {
        board.SetExtentTwips(6135, 6135);
        board.SetMoveGate([this] { return gate; });
        host.show();
        board.setFocus(Qt::MouseFocusReason);
        QVERIFY(QTest::qWaitForWindowActive(&host));
    }
    QPoint Centre(const char* name) const {
        return test::Surface(board, name)->geometry().center();
    }
    void Press(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(host.windowHandle(), button, {}, Centre(name));
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(host.windowHandle(), at);
        QTest::mouseRelease(host.windowHandle(), button, {}, at);
    }
    // From the pick-up to the poll's tick (every 100 ms) that finds the button up.
    bool Dragging() const { return board.findChild<QTimer*>("tmrDrag")->isActive(); }
    bool DragEnds() const {
        return QTest::qWaitFor([this] { return !Dragging(); }, 1000);
    }
    // Keys as letters: U D L R arrows, S Space, E Enter, K keypad Enter, X Escape; and what
    // happens meanwhile: T the board turned, Z locked, G the gate closed, + the host moves b1-c3,
    // 1 2 4 a left, right or middle click on e4, O the focus taken away, F given back by Tab.
    void Keys(const QString& keys) {
        static const QHash<QChar, Qt::Key> codes{{'U', Qt::Key_Up},    {'D', Qt::Key_Down},
                                                 {'L', Qt::Key_Left},  {'R', Qt::Key_Right},
                                                 {'S', Qt::Key_Space}, {'E', Qt::Key_Return},
                                                 {'K', Qt::Key_Enter}, {'X', Qt::Key_Escape}};
        for (const QChar key : keys) {
            if (key.isDigit()) {
                QTest::mouseClick(host.windowHandle(), Qt::MouseButton(key.digitValue()), {},
                                  Centre("e4"));
            } else if (key == 'O' || key == 'F') {
                key == 'O' ? board.clearFocus() : board.setFocus(Qt::TabFocusReason);
            } else if (QStringLiteral("TZG+").contains(key)) {
                board.setSideView(key == 'T' ? 1 : board.SideView());
                board.setLocked(key == 'Z' || board.Locked());
                gate = key == 'G' ? QStringLiteral("The clock is stopped") : gate;
                QVERIFY(key != '+' || board.MovePiece(QStringLiteral("b1"), QStringLiteral("c3")));
            } else {
                QTest::keyClick(&board, codes.value(key),
                                key == 'K' ? Qt::KeypadModifier : Qt::NoModifier);
            }
        }
    }
    // The square that the mark of that name covers: "focusCursor" (the keyboard cursor) or
    // "pickedMark" (the piece picked up by keyboard); "-" while it is hidden.
    QString Mark(const char* name) const {
        const auto* mark = board.findChild<FocusCursor*>(QLatin1String(name));
        const auto* under = qobject_cast<SquareSurface*>(board.childAt(mark->pos()));
        return mark->isVisible() && under->geometry() == mark->geometry()
                   ? QString::fromStdString(SquareIndexToName(under->Index()))
                   : QStringLiteral("-");
    }

    QString Name(int row, int column) const {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
        return table->tableInterface()->cellAt(row, column)->text(QAccessible::Name);
    }

    QWidget host;
    brdChessboard& board = *new brdChessboard(&host);
    QString gate;
};

} // namespace

class BoardPlayTest : public QObject {
    Q_OBJECT

private slots:
    // A press on a square with a button (1 left, 2 right, 4 middle), the release over a square
    // or off the board, and what else happens.
    void dragsThatMakeNoMove_data() {
        QTest::addColumn<QString>("drag");
        QTest::newRow("right button") << "e2 2 e4";
        QTest::newRow("middle button") << "e2 4 e4";
        QTest::newRow("locked") << "e2 1 e4 locked";
        QTest::newRow("gate closed") << "e2 1 e4 gate";
        QTest::newRow("empty square") << "e4 1 e4";
        QTest::newRow("other side's piece") << "e7 1 e4";
        QTest::newRow("back on its own square") << "g1 1 g1";
        QTest::newRow("on an illegal square") << "g1 1 e6";
        QTest::newRow("off the board") << "g1 1 off";
        // The rest would be the legal g1-f3 but for what happens while the knight is carried.
        QTest::newRow("another window over the target") << "g1 1 f3 cover";
        QTest::newRow("Escape") << "g1 1 f3 escape";
        // The release goes to another window unheard (minimised windows lose the activation too):
        // the carry ends all the same, and the next plain click is not taken for its drop.
        QTest::newRow("window deactivated") << "g1 1 f3 deactivate";
        QTest::newRow("a new press") << "g1 1 f3 press";
    }

    void dragsThatMakeNoMove() {
        QFETCH(QString, drag);
        const QStringList words = drag.split(' ');
        const QByteArray name = words[0].toLatin1();
        const auto button = Qt::MouseButton(words[1].toInt());
        const QString meanwhile = words.value(3);
        ShownBoard shown;
        const QPoint releaseAt =
            words[2] == "off" ? QPoint(-40, 600) : shown.Centre(qPrintable(words[2]));
        QWidget other; // another window: over the target, or taking the activation
        other.setGeometry(
            QRect(shown.board.mapToGlobal(releaseAt) - QPoint(20, 20), QSize(40, 40)));
        other.setVisible(meanwhile == "cover");
        QVERIFY(meanwhile != "cover" || QTest::qWaitForWindowExposed(&other));
        shown.board.setLocked(meanwhile == "locked");
        shown.gate = meanwhile == "gate" ? "Not yet" : "";
        shown.Press(name, button);
        // Only a left press on a piece of the side to move, unlocked, picks it up (and hides
        // it); a lock during a drag does not cancel it.
        const bool picked = name == "g1";
        shown.board.setLocked(true);
        QCOMPARE(
            QList({shown.Dragging(), PointerIsNormal(), test::Shows(shown.board, name, false)}),
            QList({picked, !picked, !picked}));
        if (meanwhile == "escape") {
            QTest::keyClick(shown.host.windowHandle(), Qt::Key_Escape);
        } else if (meanwhile == "deactivate") {
            other.show();
            QApplication::setActiveWindow(&other);
        } else if (meanwhile == "press") {
            QTest::mousePress(shown.host.windowHandle(), Qt::LeftButton, {}, releaseAt);
        }
        if (QStringList{"escape", "deactivate", "press"}.contains(meanwhile)) { // ended at once
            QVERIFY(!shown.Dragging() && PointerIsNormal() &&
                    test::Shows(shown.board, name, false));
        }
        shown.Release(releaseAt, button);
        QVERIFY(PointerIsNormal() && shown.board.State().MoveHistory.empty());
        // Another pick-up before the tick shows the first piece again at once.
        shown.board.setLocked(false);
        shown.gate.clear();
        shown.Press("b1");
        QVERIFY(test::Shows(shown.board, name, false));
        shown.Release(releaseAt);
        QVERIFY(shown.DragEnds());
        QVERIFY(test::Shows(shown.board, name, false) && test::Shows(shown.board, "b1", false));
    }

    // A pawn dragged to the last rank. The host's promotion handler calls back into the board and
    // runs an event loop of its own (as a pop-up menu does), in which the player starts a drag.
    void completedDragWithABusyHost() {
        ShownBoard shown;
        QVERIFY(shown.board.NewGame(*ReadFen("7k/1P6/8/8/8/8/8/4K3 w - - 0 1")));
        QSignalSpy moves(&shown.board, &brdChessboard::PieceMovement);
        QList<bool> seen; // carrying, the pointer free, a move, an undo, a new game, e2 taken
        connect(&shown.board, &brdChessboard::PawnPromotion, this, [&](bool, int& eChoice) {
            seen << shown.Dragging() << PointerIsNormal()
                 << shown.board.MovePiece(QStringLiteral("e1"), QStringLiteral("d1"))
                 << shown.board.UndoLastMove() << shown.board.NewGame();
            shown.board.setSideView(1);
            shown.board.setDarkSquareColor(0x00000080);
            shown.Press("e1");
            shown.Release(shown.Centre("e2"));
            seen << shown.board.State().Squares[SquareNameToIndex("e2")].Occupied;
            QEventLoop menu;
            QTimer::singleShot(250, &menu, &QEventLoop::quit);
            menu.exec();
            eChoice = WhiteKnight;
        });
        shown.Press("b7");
        // Carried, the piece leaves its square drawn empty, as the empty d7; the position stays.
        QVERIFY(shown.Dragging() && shown.board.State().Squares[SquareNameToIndex("b7")].Occupied);
        QCOMPARE(test::Surface(shown.board, "b7")->Image(),
                 test::Surface(shown.board, "d7")->Image());
        shown.Release(shown.Centre("b8"));
        QCOMPARE(seen, QList<bool>({true, true, false, false, false, false}));
        QCOMPARE(QList<QVariantList>(moves), (QList<QVariantList>{{true, "b7", "b8"}}));
        QVERIFY(PointerIsNormal());
        QCOMPARE(shown.board.State().Squares[SquareNameToIndex("b8")].Piece.Kind, WhiteKnight);
        QVERIFY(shown.DragEnds());
        QVERIFY(test::Shows(shown.board, "b7", true) && test::Shows(shown.board, "b8", true) &&
                test::Shows(shown.board, "e1", false) && test::Shows(shown.board, "d7", false));
    }

    void keySequences_data() {
        QTest::addColumn<QString>("keys");
        // The cursor's square, the one picked up ("-": hidden), moves, shortcuts, what was said.
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const char* keys, const char* outcome) {
            QTest::newRow(name) << QString(keys) << QString(outcome);
        };
        // The cursor starts on e2, shown once a key is used or the focus comes by Tab.
        row("focus by a click", "", "- -");
        row("focus by Tab", "OF", "e2 -");
        row("focus gone", "UO", "- -");
        row("arrows", "UULR", "e4 -");
        row("edges hold it", "LLLLLDDD", "a1 -");
        row("board turned meanwhile: up is towards rank 1", "UTUL", "f2 -");
        row("right and middle presses leave it", "U24", "e3 -");
        row("a left press moves it there, hidden", "U1", "- -");
        row("then a key shows it", "U1S", "e4 -");
        row("pick up", "S", "e2 e2");
        row("put down", "SUUS", "e4 - | White e2 e4 | White: pawn e2 to e4");
        row("Enter and keypad Enter", "EUK", "e3 - | White e2 e3 | White: pawn e2 to e3");
        row("turned board", "TSDDS", "e4 - | White e2 e4 | White: pawn e2 to e4");
        row("same square puts back", "SS", "e2 -");
        row("Escape puts back", "SUX", "e3 -");
        row("Escape with nothing in hand is the host's", "X", "- - | shortcut");
        row("refused move", "SUUUS", "e5 - | e2 to e5 is not a legal move");
        row("empty square", "US", "e3 -");
        row("side not to move", "UUUUUS", "e7 -");
        // A lock holds back the player only; the host still moves pieces.
        row("locked", "ZSUUS+", "e4 - | White b1 c3 | White: knight b1 to c3");
        row("gate closed", "GS", "e2 - | The clock is stopped");
        row("gate closed with a piece in hand", "SUUGS", "e4 - | The clock is stopped");
        row("a move by the host puts back", "S+", "e2 - | White b1 c3 | White: knight b1 to c3");
        row("both sides, a capture", "SUUS ULUUSDDS DRSLUS",
            "d5 - | White e2 e4 | Black d7 d5 | White e4 d5 | takes 5 | "
            "White: pawn e4 takes pawn on d5");
    }

    void keySequences() {
        QFETCH(QString, keys);
        ShownBoard shown;
        QString seen;
        connect(&shown.board, &brdChessboard::PieceMovement, this,
                [&](bool bWhite, const QString& sFrom, const QString& sTo) {
                    seen += QString(" | %1 %2 %3").arg(bWhite ? "White" : "Black", sFrom, sTo);
                });
        connect(&shown.board, &brdChessboard::PieceCapture, this,
                [&](int ePiece) { seen += QStringLiteral(" | takes %1").arg(ePiece); });
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Up}) {
            connect(shown.host.addAction(QString(), key), &QAction::triggered, this,
                    [&] { seen += " | shortcut"; });
        }
        shown.Keys(keys.remove(' '));
        const QString said =
            QAccessible::queryAccessibleInterface(&shown.board)->text(QAccessible::Description);
        seen += said.isEmpty() ? said : " | " + said;
        // Unlike a piece carried by the mouse, a piece picked up by keyboard stays drawn.
        const QString picked = shown.Mark("pickedMark");
        QTEST(shown.Mark("focusCursor") + ' ' + picked + seen, "outcome");
        QVERIFY(picked == "-" || test::Shows(shown.board, qPrintable(picked), false));
    }

    void accessibleTable() {
        ShownBoard shown;
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&shown.board);
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(table->role() == QAccessible::Table && cells && table->childCount() == 64);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Chess board"));
        const auto headers = [&](int row, int column) {
            QAccessibleTableCellInterface* cell = cells->cellAt(row, column)->tableCellInterface();
            return cell->columnHeaderCells().value(0)->text(QAccessible::Name) + ' ' +
                   cell->rowHeaderCells().value(0)->text(QAccessible::Name);
        };
        QCOMPARE(QStringList({shown.Name(0, 0), shown.Name(7, 4), shown.Name(4, 4), headers(7, 4)}),
                 QStringList({"a8, black rook", "e1, white king", "e4, empty", "file e rank 1"}));

        // The cursor's square is the accessible focus (its events need an accessibility bridge).
        QCOMPARE(table->focusChild()->text(QAccessible::Name), QStringLiteral("e2, white pawn"));
        shown.Keys("U");
        QVERIFY(cells->cellAt(5, 4)->state().focused && !cells->cellAt(6, 4)->state().focused);

        // Picking up names the square selected; the move renames both of its squares.
        shown.Keys("DS");
        QCOMPARE(shown.Name(6, 4), QStringLiteral("e2, white pawn, selected"));
        QCOMPARE(cells->selectedCellCount(), 1);
        shown.Keys("UUS");
        QCOMPARE(shown.Name(6, 4), QStringLiteral("e2, empty, last move"));
        QCOMPARE(shown.Name(4, 4), QStringLiteral("e4, white pawn, last move"));
        // The last move's frame stays whole under the cursor, a ring of black and white dashes.
        const QImage grab =
            shown.board.grab(test::Surface(shown.board, "e4")->geometry()).toImage();
        QSet<QRgb> frame, ring;
        for (int i = 0, in = FocusCursor::CursorInset; i < 51; ++i) {
            frame << grab.pixel(i, 0) << grab.pixel(0, i) << grab.pixel(50, i) << grab.pixel(i, 50);
            ring << grab.pixel(std::clamp(i, in, 50 - in), in)
                 << grab.pixel(in, std::clamp(i, in, 50 - in));
        }
        QCOMPARE(frame, QSet<QRgb>{qRgb(0, 0, 255)});
        QCOMPARE(ring, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));

        // An undo and a new game are announced.
        QVERIFY(shown.board.UndoLastMove());
        QCOMPARE(table->text(QAccessible::Description), QStringLiteral("White's move taken back"));
        QVERIFY(shown.board.NewGame(*ReadFen("4k3/8/8/8/8/8/8/4K3 b - - 0 1")));
        QCOMPARE(table->text(QAccessible::Description), QStringLiteral("New game, Black to move"));
        QVERIFY(shown.board.NewGame());
        QCOMPARE(table->text(QAccessible::Description), QStringLiteral("New game, White to move"));

        // Turned, the table follows the view: h1 top-left, rank 1 the first row.
        shown.board.setSideView(1);
        QCOMPARE(shown.Name(0, 0) + " / " + headers(0, 0), "h1, white rook / file h rank 1");
        QCOMPARE(table->indexOfChild(cells->cellAt(0, 3)), 3); // e1
    }

    // An earlier position shown: drawn, named and read out as it stood, no piece taken up by
    // mouse or keys; a move made by the host brings the game back and ends what Redo could make.
    void lookingBackAndRedo() {
        ShownBoard shown;
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&shown.board);
        for (const char* move : {"e2e4", "e7e5", "g1f3"}) {
            QVERIFY(shown.board.MakeMove(*ReadCoordinates(move)));
        }
        QVERIFY(shown.board.ShowPosition(2) && !shown.board.ShowPosition(4));
        QCOMPARE(
            QStringList({shown.Name(3, 4), shown.Name(7, 6), table->text(QAccessible::Description),
                         QString::fromStdString(shown.board.ShownGame().Fen())}),
            QStringList({"e5, black pawn, last move", "g1, white knight",
                         "Showing the position after 1... e5",
                         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2"}));
        // Drawn as the position shown, not the game (the knight still on g1, not on f3).
        QVERIFY(!test::Shows(shown.board, "g1", false) && !test::Shows(shown.board, "f3", false));
        shown.Press("b1");
        shown.Keys("S");
        QVERIFY(!shown.Dragging() && shown.Mark("pickedMark") == "-");
        QVERIFY(shown.board.UndoLastMove() && !shown.board.ShownPlies() && shown.board.CanRedo());
        QVERIFY(test::Shows(shown.board, "g1", false));
        QVERIFY(shown.board.MakeMove(*ReadCoordinates("b1c3")) && !shown.board.CanRedo());
        QCOMPARE(shown.Name(5, 2), QStringLiteral("c3, white knight, last move"));
    }

    // The promotion pop-up of a move made by keys opens beside the square the pawn goes to; of
    // any other move, at the pointer.
    void promotionPopupPlace() {
        ShownBoard shown;
        QList<QPoint> places;
        connect(&shown.board, &brdChessboard::PawnPromotion, this,
                [&] { places << shown.board.PopupPoint(); });
        for (const bool byKeys : {true, false}) {
            QVERIFY(shown.board.NewGame(*ReadFen("k7/4P3/8/8/8/8/8/4K3 w - - 0 1")));
            byKeys ? shown.Keys("UUUUUSUS") : void(shown.board.MovePiece("e7", "e8"));
        }
        const QWidget* e8 = test::Surface(shown.board, "e8");
        QCOMPARE(places, QList<QPoint>({e8->mapToGlobal(QPoint(e8->width(), 0)), QCursor::pos()}));
    }

    // Each kind of move in words: a FEN ("" for the start), the moves, what is said of the last.
    void announcements() {
        const char* const games[][3] = {
            {"", "e2e4 d7d5 e4d5", "White: pawn e4 takes pawn on d5"},
            {"4k3/8/5n2/3P4/8/2K5/8/8 b - - 0 1", "f6d5",
             "Black: knight f6 takes pawn on d5, check"},
            {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "White: castles king side"},
            {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "Black: castles queen side"},
            {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6",
             "White: pawn e5 takes pawn en passant on d6"},
            {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8", "White: pawn e7 to e8, becomes queen"},
            {"k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8",
             "White: pawn e7 takes rook on d8, becomes queen, check"},
            {"", "f2f3 e7e5 g2g4 d8h4", "Black: queen d8 to h4, checkmate"},
            {"5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1", "d7e6", "White: queen d7 to e6, stalemate"},
            {"4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "e1d2",
             "White: king e1 takes pawn on d2. Draw by insufficient material"}};
        for (const auto& [fen, moves, said] : games) {
            ChessEngine engine;
            QVERIFY(engine.NewGame(*ReadFen(*fen != 0 ? fen : StartFen)));
            QCOMPARE(MoveAnnouncement(engine), QString());
            for (const QString& move : QString(moves).split(' ')) {
                QVERIFY(engine.MovePiece(move.left(2).toStdString(), move.mid(2).toStdString()));
            }
            QCOMPARE(MoveAnnouncement(engine), QLatin1String(said));
        }
    }
};

QTEST_MAIN(BoardPlayTest)
#include "board_play_test.moc"
