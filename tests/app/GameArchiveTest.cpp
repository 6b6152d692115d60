// The archive of games played: what is written, listed, pruned and brought back, with games held
// by another live program, games left by a dead one, files not the archive's, and a folder that
// cannot be made.
#include "GameArchive.h"

#include <QtTest>

using namespace quorrin;

namespace {

// A file with its modification time age seconds ago.
bool Put(const QString& path, const QByteArray& bytes, int age) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           file.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                            QFileDevice::FileModificationTime);
}

// The lock a program leaves when it is killed: a real one, naming a process that cannot exist.
bool LeaveStaleLock(const QString& path) {
    QByteArray content;
    {
        QLockFile lock(path + ".lock");
        QFile file(path + ".lock");
        if (!lock.tryLock() || !file.open(QIODevice::ReadOnly)) {
            return false;
        }
        content = file.readAll();
    }
    return Put(path + ".lock", "2147483646" + content.mid(content.indexOf('\n')), 0);
}

} // namespace

class GameArchiveTest : public QObject {
    Q_OBJECT

private slots:
    void keptListedPrunedAndBroughtBack() {
        const QString f = folder_.path() + '/';
        const auto own = [&f](int n) { return f + QString("20240101-00000000%1-1-1.pgn").arg(n); };
        // Oldest first: each file, and how it is held: free (-), by another live program (L) or
        // by a killed one (K).
        const std::tuple<QString, QByteArray, char> files[] = {
            {own(1), "[White \"Old\"]\n1. d4 *", '-'},
            {own(2), "[White \"Held\"]\n1. c4 e5 2. Nc3 1-0", 'L'},
            {own(3), "[White \"Damaged\"]\n1. e4 \"cut", '-'},
            {own(4), "[White \"Killed\"]\n1. e4 c5 2. Nf3 *", 'K'},
            {f + "notes.pgn", "[White \"Foreign\"]\n1. e4 *", '-'},
            {own(5), "[White \"Newest\"]\n1. f4 *", '-'}};
        GameArchive other(folder_.path()), archive(folder_.path());
        for (int age = 100; const auto& [path, text, lock] : files) {
            QVERIFY(Put(path, text, age--));
            lock == 'L' ? other.StartGame(path) : void();
            QVERIFY(lock != 'K' || LeaveStaleLock(path));
        }
        other.Flush();
        const auto listed = [&archive] {
            QStringList seen;
            for (const GameArchive::Entry& entry : archive.List()) {
                seen << QString::fromStdString(entry.Summary.White + ' ' + entry.Summary.Result) +
                            QString(" %1").arg(entry.Plies);
            }
            return seen.join(", ");
        };
        QCOMPARE(listed(), "Newest * 1, Killed * 3, Held 1-0 3, Old * 1");
        // The killed program's game comes back once; the live one's never.
        QCOMPARE(archive.TakeInterrupted(), own(4));
        QCOMPARE(archive.TakeInterrupted(), QString());
        QVERIFY(GameArchive::Held(own(2)) && !GameArchive::Held(own(4)));
        // Beyond the newest two: the held game, the damaged file and the foreign one stay.
        archive.Prune(2);
        archive.Flush();
        QCOMPARE(listed(), "Newest * 1, Killed * 3, Held 1-0 3");
        QVERIFY(QFile::exists(own(3)) && QFile::exists(f + "notes.pgn"));

        // A game played here: written once it has a move, with the newest text, held while in
        // progress; taken back to no moves, it goes when the next game starts.
        for (const bool movesLeft : {false, true}) {
            archive.StartGame();
            archive.Write("1. a3 *", false);
            QCOMPARE(archive.CurrentFile(), QString());
            archive.Write("1. a3 *", true);
            archive.Write(movesLeft ? "[White \"Here\"] 1. a3 a6 *" : "*", movesLeft);
            archive.Flush();
            const QString path = archive.CurrentFile();
            QVERIFY(GameArchive::Held(path) && !GameArchive::Held(own(1)));
            QCOMPARE(listed().section(", ", 0, 0), movesLeft ? "Here * 2" : "Newest * 1");
            archive.StartGame();
            archive.Flush();
            QVERIFY(QFile::exists(path) == movesLeft && !GameArchive::Held(path));
        }
    }

    void unwritableFolderReported() {
        // Under a regular file, as root too; nothing is listed, play goes on.
        const QString file = folder_.filePath("plain");
        QVERIFY(Put(file, "x", 0));
        GameArchive archive(file + "/games");
        QSignalSpy failed(&archive, &GameArchive::Failed);
        archive.Write("1. e4 *", true);
        archive.Prune(1);
        QVERIFY(archive.List().isEmpty() && archive.TakeInterrupted().isEmpty());
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].toString(), "the folder " + file + "/games cannot be made");
    }

private:
    const QTemporaryDir folder_;
};

QTEST_GUILESS_MAIN(GameArchiveTest)
#include "GameArchiveTest.moc"
