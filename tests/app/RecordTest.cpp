// The game window's record: a game opened with its comments, saved and continued; positions and
// games pasted; files that cannot be read or written; typed moves; draws by rule and a claimed
// draw, with the messages they show.
#include "GameTestSupport.h"
#include "engine/ChessEngine.h"

#include <QClipboard>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace quorrin;
using namespace quorrin::test;

namespace {

QString Clipboard() {
    return QApplication::clipboard()->text();
}

QString Fen(const GameUnderTest& game) {
    return QString::fromStdString(game.Board.Engine().Fen());
}

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const char* const AfterD4 = "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1";

} // namespace

class RecordTest : public QObject {
    Q_OBJECT

private slots:
    void openedGameKeepsItsCommentsAndGoesOn();
    void pastedTextLoadsOrIsRefusedWithItsReason_data();
    void pastedTextLoadsOrIsRefusedWithItsReason();
    void filesThatCannotBeReadOrWritten_data();
    void filesThatCannotBeReadOrWritten();
    void drawsByRuleAndAClaimedDraw();
};

void RecordTest::openedGameKeepsItsCommentsAndGoesOn() {
    const QTemporaryDir folder;
    GameUnderTest game;
    game.FileAnswer = folder.filePath(QStringLiteral("game.pgn"));
    const QString moves = "1. e4 {best by test} 1... e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# {mate} 1-0";
    QVERIFY(Write(game.FileAnswer, "[White \"Ann\"]\n\n" + moves.toUtf8()));
    // Opened over a game in progress: the lists filled, the last move's message alone.
    game.Run({"e2e4", "mnuRecordOpen"});
    QCOMPARE(game.Entries(), QStringLiteral("e2-e4 d1-h5 f1-c4 h5-f7 | e7-e5 b8-c6 g8-f6"));
    QCOMPARE(game.Log, QStringList({"sound click.wav", "file dialog", "message Black checkmated"}));
    // Saved with its tags and comments.
    game.FileAnswer = folder.filePath(QStringLiteral("again.pgn"));
    game.Run({"mnuRecordSave"});
    const QString saved = Read(game.FileAnswer);
    QVERIFY2(saved.contains("[White \"Ann\"]") && saved.contains(moves), qPrintable(saved));
    // Played on after an undo, which takes the comment of its move along, a move typed in any
    // common form.
    game.Log.clear();
    game.Run({"mnuActionsUndo"});
    for (const char* typed : {"Nf3", "a7-a6", "0-0", "Qxx", "d7d6"}) {
        game.TextAnswer = QLatin1String(typed);
        game.Run({"mnuRecordEnterMove"});
    }
    game.Run({"mnuRecordCopyGame"});
    QCOMPARE(Clipboard().section("\n\n", 1).simplified(),
             moves.left(moves.indexOf("4.")) + "4. Nf3 a6 5. O-O d6 *");
    QCOMPARE(game.Log.filter("message"), QStringList({"message Illegal move or bad syntax"}));
}

void RecordTest::pastedTextLoadsOrIsRefusedWithItsReason_data() {
    QTest::addColumn<QString>("text");    // pasted after 1. d4
    QTest::addColumn<int>("pick");        // the game picked when there are several; -1 cancels
    QTest::addColumn<QString>("entries"); // after the paste
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QString>("log"); // what the player saw, joined by "; "
    const QString twoGames = "[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. f3 e5 2. g4 Qh4# 0-1\n";
    QTest::newRow("FEN") << "  8/8/8/8/8/8/8/K6k b - - 12 40\n"
                         << 0 << "|"
                         << "8/8/8/8/8/8/8/K6k b - - 12 40"
                         << "";
    QTest::newRow("FEN refused") << "8/8/8/8/8/8/8/K7 w - - 0 1" << 0 << "d2-d4 |" << AfterD4
                                 << "message Not a position to play from: Black has 0 kings; "
                                    "each side needs exactly one";
    // The second of two games, a mate: its message once at the end, no sound.
    QTest::newRow("two games") << twoGames << 1 << "f2-f3 g2-g4 | e7-e5 d8-h4"
                               << "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3"
                               << "game list of 2; message White checkmated";
    QTest::newRow("choice cancelled") << twoGames << -1 << "d2-d4 |" << AfterD4 << "game list of 2";
    QTest::newRow("PGN refused")
        << "1. e4 e5 2. Ke3 *" << 0 << "d2-d4 |" << AfterD4
        << "message Cannot load the game: line 1, column 13: 2.Ke3: no white king can move to e3";
    QTest::newRow("not a game")
        << "hello" << 0 << "d2-d4 |" << AfterD4
        << "message Cannot load the game: line 1, column 1: 1.hello: 'hello' is not a move";
}

void RecordTest::pastedTextLoadsOrIsRefusedWithItsReason() {
    QFETCH(QString, text);
    GameUnderTest game;
    QFETCH(int, pick);
    game.PickAnswer = pick;
    game.Run({"d2d4"});
    QApplication::clipboard()->setText(text);
    game.Run({"mnuRecordPaste"});
    QTEST(game.Entries(), "entries");
    QTEST(Fen(game), "fen");
    QTEST(game.Log.mid(1).join(QStringLiteral("; ")), "log");
}

void RecordTest::filesThatCannotBeReadOrWritten_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");    // in an empty folder, made as the row's name says
    QTest::addColumn<QString>("message"); // %1: the file's path
    const QString cannotOpen = QStringLiteral("Cannot open %1: ");
    QTest::newRow("missing") << "mnuRecordOpen"
                             << "missing.pgn" << cannotOpen;
    QTest::newRow("a folder") << "mnuRecordOpen"
                              << "folder" << cannotOpen;
    QTest::newRow("65 MiB") << "mnuRecordOpen"
                            << "large.pgn"
                            << "%1 is too large for a game file";
    QTest::newRow("no such folder") << "mnuRecordSave"
                                    << "missing/game.pgn"
                                    << "Cannot save %1: ";
    // Every write of the save refused (a limit on the size of files, which binds root too): the
    // commit fails and the old file stays whole.
    QTest::newRow("commit refused") << "mnuRecordSave"
                                    << "old.pgn"
                                    << "Cannot save %1: ";
}

void RecordTest::filesThatCannotBeReadOrWritten() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QString, message);
    const QTemporaryDir folder;
    GameUnderTest game;
    game.FileAnswer = folder.filePath(file);
    QVERIFY(file != "folder" || QDir(folder.path()).mkdir(file));
    QVERIFY(file != "large.pgn" ||
            (Write(game.FileAnswer, {}) && QFile(game.FileAnswer).resize(65 * 1024 * 1024)));
    const QByteArray old = "1. d4 *\n";
    QVERIFY(file != "old.pgn" || Write(game.FileAnswer, old));
    rlimit unlimited{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
    rlimit limited = unlimited;
    limited.rlim_cur = file == "old.pgn" ? 8 : unlimited.rlim_cur;
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of killing
    game.Run({"e2e4"});
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    game.Run({command});
    QVERIFY(setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
    QCOMPARE(game.Log.size(), 3);
    QVERIFY2(game.Log[2].startsWith("message " + message.arg(game.FileAnswer)),
             qPrintable(game.Log[2] + " " + game.FileAnswer));
    QCOMPARE(game.Entries(), QStringLiteral("e2-e4 |"));
    QVERIFY(file != "old.pgn" || Read(game.FileAnswer) == old);
}

void RecordTest::drawsByRuleAndAClaimedDraw() {
    GameUnderTest game;
    auto* claim = game.Find<QAction>(QStringLiteral("mnuActionsClaimDraw"));
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
