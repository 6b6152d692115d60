// Playing with the keyboard and the board as assistive technology sees it: the cursor, picking
// up and putting down, the accessible table of squares, its focus and the announcements.
#include "BoardTestSupport.h"

#include "board/BoardAccessibility.h"
#include "board/FocusCursor.h"

#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <QTest>

using namespace quorrin;

namespace {

QString Name(int square) {
    return QString::fromStdString(SquareIndexToName(square));
}

// A board shown in a window of its own, with the focus.
struct FocusedBoard {
    explicit FocusedBoard(Qt::FocusReason reason = Qt::TabFocusReason) {
        board->SetExtentTwips(6135, 6135);
        window.show();
        active = QTest::qWaitForWindowActive(&window);
        board->setFocus(reason);
    }
    brdChessboardPrivate& Private() { return brdChessboardPrivate::Of(*board); }
    // Keys as letters: U D L R arrows, S Space, E Enter, K keypad Enter, X Escape; and what
    // happens meanwhile: T the board turned, Z locked, + the host moves b1-c3.
    void Keys(const QString& keys) {
        static const QHash<QChar, Qt::Key> codes{{'U', Qt::Key_Up},    {'D', Qt::Key_Down},
                                                 {'L', Qt::Key_Left},  {'R', Qt::Key_Right},
                                                 {'S', Qt::Key_Space}, {'E', Qt::Key_Return},
                                                 {'K', Qt::Key_Enter}, {'X', Qt::Key_Escape}};
        for (const QChar key : keys) {
            if (key == 'T' || key == 'Z' || key == '+') {
                board->setSideView(key == 'T' ? 1 : board->SideView());
                board->setLocked(key == 'Z' || board->Locked());
                QVERIFY(key != '+' || board->MovePiece(QStringLiteral("b1"), QStringLiteral("c3")));
            } else {
                QTest::keyClick(board, codes.value(key),
                                key == 'K' ? Qt::KeypadModifier : Qt::NoModifier);
            }
        }
    }
    // The square a mark covers, "" for a hidden mark.
    QString Mark(const FocusCursor* mark) {
        for (int k = 1; k <= 64 && mark->isVisible(); ++k) {
            if (Private().picSquare_[k]->geometry() == mark->geometry()) {
                return Name(k);
            }
        }
        return {};
    }
    QString Description() {
        return QAccessible::queryAccessibleInterface(board)->text(QAccessible::Description);
    }

    QWidget window;
    brdChessboard* board = new brdChessboard(&window);
    bool active = false;
};

void Row(const char* name, const char* keys, const char* outcome) {
    QTest::newRow(name) << QString(keys) << QString(outcome);
}

} // namespace

class BoardKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void keySequences_data();
    void keySequences();
    void cursorShowsOnlyForTheKeyboard();
    void accessibleTable();
    void announcements_data();
    void announcements();
};

void BoardKeyboardTest::keySequences_data() {
    QTest::addColumn<QString>("keys");
    // The cursor's square, the square picked up ("-": none), then the events of moves made.
    QTest::addColumn<QString>("outcome");
    // The cursor starts on e2.
    Row("arrows", "UULR", "e4 -");
    Row("edges hold it", "LLLLLDDD", "a1 -");
    Row("turned: up is towards rank 1", "TUL", "f1 -");
    Row("board turned meanwhile", "UTU", "e2 -");
    Row("pick up", "S", "e2 e2");
    Row("put down", "SUUS", "e4 - | White e2 e4");
    Row("Enter and keypad Enter", "EUK", "e3 - | White e2 e3");
    Row("turned board", "TSDDS", "e4 - | White e2 e4");
    Row("same square puts back", "SS", "e2 -");
    Row("Escape puts back", "SUX", "e3 -");
    Row("refused move", "SUUUS", "e5 -");
    Row("empty square", "US", "e3 -");
    Row("side not to move", "UUUUUS", "e7 -");
    Row("locked", "ZSUUS", "e4 -");
    Row("a move by the host puts back", "S+", "e2 - | White b1 c3");
    Row("both sides, a capture", "SUUS ULUUSDDS DRSLUS",
        "d5 - | White e2 e4 | Black d7 d5 | White e4 d5 | takes 5");
}

void BoardKeyboardTest::keySequences() {
    QFETCH(QString, keys);
    QFETCH(QString, outcome);
    FocusedBoard shown;
    QVERIFY(shown.active);
    brdChessboard& board = *shown.board;
    QString seen;
    connect(&board, &brdChessboard::PieceMovement, this,
            [&](bool bWhite, const QString& sFrom, const QString& sTo) {
                seen += QStringLiteral(" | %1 %2 %3").arg(bWhite ? "White" : "Black", sFrom, sTo);
            });
    connect(&board, &brdChessboard::PieceCapture, this,
            [&](int ePiece) { seen += QStringLiteral(" | takes %1").arg(ePiece); });
    shown.Keys(keys.remove(' '));
    const SquareIndex picked = shown.Private().pickedSquare_;
    QCOMPARE(Name(shown.Private().cursorSquare_) + ' ' + (picked ? Name(picked) : "-") + seen,
             outcome);
    // Both marks stand where they should; a piece picked up stays drawn on its square.
    QCOMPARE(shown.Mark(shown.Private().focusCursor_), outcome.left(2));
    QCOMPARE(shown.Mark(shown.Private().pickedMark_), picked ? Name(picked) : QString());
    for (const char* square : {"e2", "e4", "d5", "e3"}) {
        const SquareIndex k = SquareNameToIndex(square);
        const bool framed = k == board.State().LastMoveFrom || k == board.State().LastMoveTo;
        QVERIFY2(test::Shows(board, square, framed), square);
    }
    if (keys == "SUUUS") {
        QCOMPARE(shown.Description(), QStringLiteral("e2 to e5 is not a legal move"));
    }
}

void BoardKeyboardTest::cursorShowsOnlyForTheKeyboard() {
    FocusedBoard shown(Qt::MouseFocusReason);
    QVERIFY(shown.active);
    const FocusCursor* cursor = shown.Private().focusCursor_;
    QVERIFY(!cursor->isVisible());
    // A host's shortcuts on the board's keys do not fire while the board has the focus,
    // except Escape with nothing in hand.
    QAction space(&shown.window), escape(&shown.window);
    space.setShortcut(Qt::Key_Space);
    escape.setShortcut(Qt::Key_Escape);
    shown.window.addActions({&space, &escape});
    QSignalSpy spaceFired(&space, &QAction::triggered), escapeFired(&escape, &QAction::triggered);
    shown.Keys("XSX");
    QCOMPARE(escapeFired.count(), 1);
    QCOMPARE(spaceFired.count(), 0);
    QCOMPARE(shown.Mark(cursor), QStringLiteral("e2"));

    // The last move's frame stays whole under the cursor; the cursor's ring inside it is of
    // black and white dashes.
    shown.Keys("SUUS"); // e2-e4, the cursor on e4
    const QImage grab = shown.board->grab(cursor->geometry()).toImage();
    const QRgb blue = SquareSurface::RgbOf(shown.board->HighlightMoveColor());
    QSet<QRgb> frame, ring;
    for (int i = 0; i < 51; ++i) {
        frame << grab.pixel(i, 0) << grab.pixel(0, i) << grab.pixel(50, i) << grab.pixel(i, 50);
    }
    for (int i = FocusCursor::CursorInset; i < 51 - FocusCursor::CursorInset; ++i) {
        ring << grab.pixel(i, FocusCursor::CursorInset) << grab.pixel(FocusCursor::CursorInset, i);
    }
    QCOMPARE(frame, QSet<QRgb>{blue});
    QCOMPARE(ring, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));

    // A press of the mouse moves the cursor there and hides it; the focus leaving hides it.
    const QPoint g1 = shown.Private().picSquare_[SquareNameToIndex("g1")]->geometry().center();
    QTest::mouseClick(shown.window.windowHandle(), Qt::LeftButton, {}, g1);
    QCOMPARE(Name(shown.Private().cursorSquare_), QStringLiteral("g1"));
    QVERIFY(!cursor->isVisible());
    shown.Keys("S");
    QCOMPARE(shown.Mark(cursor), QStringLiteral("g1"));
    shown.board->clearFocus();
    QVERIFY(!cursor->isVisible());
}

void BoardKeyboardTest::accessibleTable() {
    FocusedBoard shown;
    QVERIFY(shown.active);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(shown.board);
    QAccessibleTableInterface* cells = table->tableInterface();
    QVERIFY(table->role() == QAccessible::Table && cells != nullptr);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Chess board"));
    QCOMPARE(table->childCount(), 64);
    const auto name = [&](int row, int column) {
        return cells->cellAt(row, column)->text(QAccessible::Name);
    };
    const auto headers = [&](int row, int column) {
        QAccessibleTableCellInterface* cell = cells->cellAt(row, column)->tableCellInterface();
        return cell->columnHeaderCells().value(0)->text(QAccessible::Name) + ' ' +
               cell->rowHeaderCells().value(0)->text(QAccessible::Name);
    };
    QCOMPARE(name(0, 0), QStringLiteral("a8, black rook"));
    QCOMPARE(name(7, 4), QStringLiteral("e1, white king"));
    QCOMPARE(name(4, 4), QStringLiteral("e4, empty"));
    QCOMPARE(headers(7, 4), QStringLiteral("file e rank 1"));
    QAccessibleInterface* e1 = cells->cellAt(7, 4);
    QCOMPARE(table->indexOfChild(e1), 60);
    QCOMPARE(e1->tableCellInterface()->rowIndex(), 7);

    // The cursor's square is the accessible focus (the events that tell so are heard by the
    // real assistive-technology test; the offscreen platform has no accessibility bridge).
    QCOMPARE(table->focusChild()->text(QAccessible::Name), QStringLiteral("e2, white pawn"));
    shown.Keys("U");
    QVERIFY(cells->cellAt(5, 4)->state().focused && !cells->cellAt(6, 4)->state().focused);

    // Picking up names the square selected; the move renames both of its squares and is
    // announced, as are an undo and a new game.
    shown.Keys("DS");
    QCOMPARE(name(6, 4), QStringLiteral("e2, white pawn, selected"));
    QCOMPARE(cells->selectedCellCount(), 1);
    shown.Keys("UUS");
    QCOMPARE(name(6, 4), QStringLiteral("e2, empty, last move"));
    QCOMPARE(name(4, 4), QStringLiteral("e4, white pawn, last move"));
    QCOMPARE(shown.Description(), QStringLiteral("White: pawn e2 to e4"));
    QVERIFY(shown.board->UndoLastMove());
    QCOMPARE(shown.Description(), QStringLiteral("White's move taken back"));
    QVERIFY(shown.board->NewGame(*ReadFen("4k3/8/8/8/8/8/8/4K3 b - - 0 1")));
    QCOMPARE(shown.Description(), QStringLiteral("New game, Black to move"));
    QVERIFY(shown.board->NewGame());
    QCOMPARE(shown.Description(), QStringLiteral("New game, White to move"));

    // Turned, the table follows the view: h1 top-left, rank 1 the first row.
    shown.board->setSideView(1);
    QCOMPARE(name(0, 0), QStringLiteral("h1, white rook"));
    QCOMPARE(headers(0, 0), QStringLiteral("file h rank 1"));
    QCOMPARE(table->indexOfChild(e1), 3);
}

void BoardKeyboardTest::announcements_data() {
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("said");
    const auto row = [](const char* name, const char* fen, const char* moves, const char* said) {
        QTest::newRow(name) << QString(*fen != 0 ? fen : StartFen.data()) << QString(moves)
                            << QString(said);
    };
    row("step", "", "e2e4", "White: pawn e2 to e4");
    row("pawn takes", "", "e2e4 d7d5 e4d5", "White: pawn e4 takes pawn on d5");
    row("takes with check", "4k3/8/5n2/3P4/8/2K5/8/8 b - - 0 1", "f6d5",
        "Black: knight takes pawn on d5, check");
    row("one of two knights", "4k3/8/1n3n2/3P4/8/8/8/4K3 b - - 0 1", "f6d5",
        "Black: knight f6 takes pawn on d5");
    row("short castling", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1",
        "White: castles king side");
    row("long castling", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8",
        "Black: castles queen side");
    row("en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6",
        "White: pawn e5 takes pawn en passant on d6");
    row("promotion", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8",
        "White: pawn e7 to e8, becomes queen");
    row("promotion taking, check", "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8",
        "White: pawn e7 takes rook on d8, becomes queen, check");
    row("checkmate", "", "f2f3 e7e5 g2g4 d8h4", "Black: queen d8 to h4, checkmate");
    row("stalemate", "5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1", "d7e6",
        "White: queen d7 to e6, stalemate");
    row("draw", "4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "e1d2",
        "White: king takes pawn on d2, draw by insufficient material");
}

void BoardKeyboardTest::announcements() {
    QFETCH(QString, fen);
    QFETCH(QString, moves);
    QFETCH(QString, said);
    ChessEngine engine;
    QVERIFY(engine.NewGame(*ReadFen(fen.toStdString())));
    QCOMPARE(MoveAnnouncement(engine.State()), QString());
    for (const QString& move : moves.split(' ')) {
        QVERIFY(engine.MovePiece(move.left(2).toStdString(), move.mid(2).toStdString()));
    }
    QCOMPARE(MoveAnnouncement(engine.State()), said);
}

QTEST_MAIN(BoardKeyboardTest)
#include "board_keyboard_test.moc"
