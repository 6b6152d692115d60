// The game window's record: a game saved, opened and continued; positions and games copied
// and pasted; typed moves; draws by rule and a claimed draw, with the messages they show.
#include "GameTestSupport.h"
#include "engine/ChessEngine.h"

#include <QClipboard>
#include <QDate>
#include <QTemporaryDir>

using namespace quorrin;
using namespace quorrin::test;

namespace {

QString Clipboard() {
    return QApplication::clipboard()->text();
}

} // namespace

class RecordTest : public QObject {
    Q_OBJECT

private slots:
    void savedGameOpensAndGoesOn();
    void pastedTextLoadsOrIsRefusedWithItsReason_data();
    void pastedTextLoadsOrIsRefusedWithItsReason();
    void drawsByRuleAndAClaimedDraw();
};

void RecordTest::savedGameOpensAndGoesOn() {
    const QTemporaryDir folder;
    GameUnderTest game;
    game.FileAnswer = folder.filePath(QStringLiteral("game.pgn"));
    game.Run({"e2e4", "e7e5", "g1f3", "mnuRecordSave", "mnuGameNew", "mnuRecordOpen"});
    QFile file(game.FileAnswer);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString saved = QString::fromUtf8(file.readAll());
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    QVERIFY2(saved.contains("[Date \"" + today +
                            "\"]\n[Round \"?\"]\n[White \"White\"]\n[Black "
                            "\"Black\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 *\n"),
             qPrintable(saved));
    // Loaded as if played, but silently: the lists, the turn, undo.
    QCOMPARE(game.Entries(), QStringLiteral("e2-e4 g1-f3 | e7-e5"));
    game.Run({"mnuActionsUndo", "g1f3", "b8c6", "mnuRecordCopyPosition"});
    QCOMPARE(Clipboard(),
             QStringLiteral("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"));
    QCOMPARE(game.Log,
             QStringList({"sound click.wav", "sound click.wav", "sound click.wav", "file dialog",
                          "file dialog", "sound click.wav", "sound click.wav"}));
    // A typed move in any common form; a promotion named by its letter needs no pop-up.
    game.Log.clear();
    for (const char* typed : {"Bb5", "a7-a6", "0-0", "Nf6", "Qxx"}) {
        game.TextAnswer = QLatin1String(typed);
        game.Run({"mnuRecordEnterMove"});
    }
    QCOMPARE(game.Entries(), QStringLiteral("e2-e4 g1-f3 f1-b5 e1-g1 | e7-e5 b8-c6 a7-a6 g8-f6"));
    QCOMPARE(game.Log.filter("message"), QStringList({"message Illegal move or bad syntax"}));
    QVERIFY(game.Board.NewGame(*ReadFen("k7/4P3/8/8/8/8/8/K7 w - - 0 1")));
    game.TextAnswer = QStringLiteral("e8=N");
    game.Run({"mnuRecordEnterMove"});
    QCOMPARE(game.Board.State().Squares[SquareNameToIndex("e8")].Piece.Kind, WhiteKnight);
    QVERIFY(!game.Log.contains(QStringLiteral("popup mnuWhitePawnPromotion")));
}

void RecordTest::pastedTextLoadsOrIsRefusedWithItsReason_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fen"); // the position after the paste
    QTest::addColumn<QString>("log"); // what the player saw, joined by "; "
    const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    QTest::newRow("FEN") << "  8/8/8/8/8/8/8/K6k b - - 12 40\n"
                         << "8/8/8/8/8/8/8/K6k b - - 12 40"
                         << "";
    QTest::newRow("FEN refused")
        << "8/8/8/8/8/8/8/K7 w - - 0 1" << start
        << "message Not a position to play from: Black has 0 kings; each side "
           "needs exactly one";
    // The second of two games, a mate: its message once at the end, no sound.
    QTest::newRow("two games") << "[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n"
                                  "1. f3 e5 2. g4 {the blunder (again)} Qh4# 0-1\n"
                               << "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3"
                               << "game list of 2; message White checkmated";
    QTest::newRow("PGN refused")
        << "1. e4 e5 2. Ke3 *" << start
        << "message Cannot load the game: line 1, column 13: 2.Ke3: no white king can move to e3";
    QTest::newRow("not a game")
        << "hello" << start
        << "message Cannot load the game: line 1, column 1: 1.hello: 'hello' is not a move";
}

void RecordTest::pastedTextLoadsOrIsRefusedWithItsReason() {
    QFETCH(QString, text);
    QFETCH(QString, fen);
    QFETCH(QString, log);
    GameUnderTest game;
    game.PickAnswer = 1;
    QApplication::clipboard()->setText(text);
    game.Run({"mnuRecordPaste"});
    QCOMPARE(QString::fromStdString(game.Board.Engine().Fen()), fen);
    QCOMPARE(game.Log.join(QStringLiteral("; ")), log);
}

void RecordTest::drawsByRuleAndAClaimedDraw() {
    GameUnderTest game;
    auto* claim = game.Window.findChild<QAction*>(QStringLiteral("mnuActionsClaimDraw"));
    QStringList knights = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"};
    game.Run(knights);
    QTest::qWait(1);
    QVERIFY(!claim->isEnabled());
    game.Run({"f6g8"}); // the start position a third time
    QTRY_VERIFY(claim->isEnabled());
    game.Run({"mnuActionsClaimDraw", "mnuRecordCopyGame"});
    QVERIFY(Clipboard().contains(QStringLiteral("[Result \"1/2-1/2\"]")));
    game.Run({"mnuActionsUndo", "mnuRecordCopyGame"}); // the claim goes with its move
    QVERIFY(Clipboard().contains(QStringLiteral("[Result \"*\"]")) && !claim->isEnabled());
    // The last piece besides the kings taken: drawn at once, and saved as a draw.
    QVERIFY(game.Board.NewGame(*ReadFen("k7/8/8/8/8/8/1p6/K7 w - - 0 1")));
    game.Run({"a1b2", "mnuRecordCopyGame"});
    QVERIFY(Clipboard().contains(QStringLiteral("1. Kxb2 1/2-1/2")));
    QCOMPARE(game.Log.filter(QStringLiteral("message")),
             QStringList({"message Draw by threefold repetition",
                          "message Draw by insufficient material"}));
}

QTEST_MAIN(RecordTest)
#include "RecordTest.moc"
