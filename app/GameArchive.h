// The archive of games played: every game with a move kept as a PGN file of its own in a folder
// (by default "games" in the user's data folder), written whole on a thread of its own so that
// no move waits for the disk. The game in progress holds a lock file beside its own, so that two
// programs sharing the folder never remove or take over each other's game, and a game whose
// program ended without releasing it (a crash, a kill) can be told from one finished.
#pragma once

#include "engine/Pgn.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class QLockFile;

namespace quorrin {

class GameArchive final : public QObject {
    Q_OBJECT

public:
    // How many games are kept when the player's settings do not say ("Archive/Keep").
    static constexpr int DefaultKeep = 500;

    // Nothing touches the folder before the first write or prune: it need not exist.
    explicit GameArchive(const QString& folder, QObject* parent = nullptr);
    // Writes what is still pending, then ends the game in progress: released, or removed when it
    // was taken back to no moves.
    ~GameArchive() override;

    // "games" in the user's data folder ($XDG_DATA_HOME/<application name>/games).
    static QString DefaultFolder();
    QString Folder() const { return folder_; }

    // A game starts: the one before it ends (released, or removed when it has no moves), and the
    // next write goes to a new file, or to continued (a file of this archive taken up again).
    void StartGame(const QString& continued = {});
    // Hands the game's text over to the writer; a game without moves is written only when it had
    // a file already. A text still waiting for the writer is replaced, not queued.
    void Write(const QByteArray& text, bool hasMoves);
    // Removes the oldest games beyond the newest keep, never one another program holds, nor one
    // that does not read as a game, on the writer's thread.
    void Prune(int keep);
    // Returns once everything handed over has been written.
    void Flush();
    // The file of the game in progress; empty before its first move.
    QString CurrentFile() const { return current_; }

    struct Entry {
        QString Path;
        QDateTime Modified;
        PgnSummary Summary;
        std::size_t Plies = 0;
    };
    // The games kept, newest first; files that are not a game of this archive with a move are
    // left out. Waits for pending writes first.
    QList<Entry> List();
    // The newest game whose program ended without releasing it: its stale lock is removed (and
    // those of any other such games, which stay in the list). Empty when there is none.
    QString TakeInterrupted();
    // Whether a live program holds the game at path.
    static bool Held(const QString& path);

signals:
    // A write, lock or removal failed, with the system's reason.
    void Failed(const QString& reason);

private:
    struct Job {
        enum Kind { Write, Hold, Finish, Remove, Prune } What;
        QString Path;
        QByteArray Text;
        int Keep = 0;
    };
    void Push(Job job);
    void Run();
    void Do(const Job& job);
    bool Lock(const QString& path);
    void Unlock();
    void PruneNow(int keep);
    void Report(const QString& reason);

    const QString folder_;
    QString current_; // the game in progress's file (GUI side)
    bool currentHasMoves_ = false;
    int sequence_ = 0; // numbers the files this archive makes, so that no two are alike

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool working_ = false;
    bool stopping_ = false;
    std::unique_ptr<QLockFile> lock_; // writer side: the lock of the game it writes
    QString locked_;
    std::thread writer_;
};

} // namespace quorrin
