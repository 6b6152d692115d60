#include "GameArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <optional>

namespace quorrin {

namespace {

// The archive's own files: "20240501-134501123-4242-1.pgn", when the game started (to the
// millisecond), the program that started it and its count. Other files in the folder are not
// the archive's: never listed, never removed.
const QRegularExpression OwnName(QStringLiteral(R"(^\d{8}-\d{9}-\d+-\d+\.pgn$)"));

// Larger files are no game of the archive.
constexpr qint64 LargestGame = 4 * 1024 * 1024;

std::atomic<int> filesMade{0};

QString LockPath(const QString& path) {
    return path + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> MakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(LockPath(path));
    // Only a holder that has died makes a lock stale, however long a game lasts.
    lock->setStaleLockTime(0);
    return lock;
}

// The one game in the file; with needMoves, only when it has a move.
std::optional<PgnGame> ReadGame(const QString& path, bool needMoves) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestGame) {
        return std::nullopt;
    }
    PgnFile read = ReadPgn(file.readAll().toStdString());
    if (read.Error || read.Games.size() != 1 || (needMoves && read.Games.front().Moves.empty())) {
        return std::nullopt;
    }
    return std::move(read.Games.front());
}

// The archive's own games in the folder, newest first (by name when written in the same
// millisecond).
QFileInfoList OwnFiles(const QString& folder) {
    QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pgn")}, QDir::Files);
    files.removeIf(
        [](const QFileInfo& file) { return !OwnName.match(file.fileName()).hasMatch(); });
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime ta = a.lastModified(), tb = b.lastModified();
        return ta != tb ? ta > tb : a.fileName() > b.fileName();
    });
    return files;
}

} // namespace

GameArchive::GameArchive(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder), writer_([this] { Run(); }) {}

GameArchive::~GameArchive() {
    StartGame();
    {
        const std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    writer_.join();
}

QString GameArchive::DefaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/games");
}

void GameArchive::StartGame(const QString& continued) {
    if (!current_.isEmpty() && current_ != continued) {
        Push({currentHasMoves_ ? Job::Finish : Job::Remove, current_, {}});
    }
    if (!continued.isEmpty() && continued != current_) {
        Push({Job::Hold, continued, {}});
    }
    current_ = continued;
    currentHasMoves_ = !continued.isEmpty();
}

void GameArchive::Write(const QByteArray& text, bool hasMoves) {
    if (current_.isEmpty()) {
        if (!hasMoves) {
            return;
        }
        current_ =
            QStringLiteral("%1/%2-%3-%4.pgn")
                .arg(folder_,
                     QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
                .arg(QCoreApplication::applicationPid())
                .arg(++filesMade);
    }
    currentHasMoves_ = hasMoves;
    Push({Job::Write, current_, text});
}

void GameArchive::Prune(int keep) {
    Push({Job::Prune, {}, {}, keep});
}

void GameArchive::Push(Job job) {
    {
        const std::lock_guard guard(mutex_);
        if (job.What == Job::Write && !jobs_.empty() && jobs_.back().What == Job::Write &&
            jobs_.back().Path == job.Path) {
            jobs_.back().Text = std::move(job.Text); // only the newest text matters
        } else {
            jobs_.push_back(std::move(job));
        }
    }
    wake_.notify_one();
}

void GameArchive::Flush() {
    std::unique_lock guard(mutex_);
    idle_.wait(guard, [this] { return jobs_.empty() && !working_; });
}

void GameArchive::Run() {
    std::unique_lock guard(mutex_);
    for (;;) {
        wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            break;
        }
        const Job job = std::move(jobs_.front());
        jobs_.pop_front();
        working_ = true;
        guard.unlock();
        Do(job);
        guard.lock();
        working_ = false;
        if (jobs_.empty()) {
            idle_.notify_all();
        }
    }
    Unlock();
}

void GameArchive::Do(const Job& job) {
    switch (job.What) {
    case Job::Write: {
        if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
            Report(tr("the folder %1 cannot be made").arg(folder_));
            return;
        }
        if (locked_ != job.Path && !Lock(job.Path)) {
            return;
        }
        // Written whole or not at all, and on the disk before it replaces the last one.
        QSaveFile file(job.Path);
        if (!file.open(QIODevice::WriteOnly) || file.write(job.Text) != job.Text.size() ||
            !file.flush() || !file.commit()) {
            Report(tr("%1 cannot be written: %2").arg(job.Path, file.errorString()));
        }
        return;
    }
    case Job::Hold:
        Lock(job.Path);
        return;
    case Job::Finish:
    case Job::Remove:
        if (locked_ == job.Path) {
            Unlock();
        }
        if (job.What == Job::Remove) {
            QFile::remove(job.Path);
        }
        return;
    case Job::Prune:
        PruneNow(job.Keep);
        return;
    }
}

bool GameArchive::Lock(const QString& path) {
    Unlock();
    lock_ = MakeLock(path);
    if (!lock_->tryLock(0)) {
        const bool held = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        Report(held ? tr("%1 is held by another program").arg(path)
                    : tr("%1 cannot be locked").arg(LockPath(path)));
        return false;
    }
    locked_ = path;
    return true;
}

void GameArchive::Unlock() {
    lock_.reset(); // which removes the lock file
    locked_.clear();
}

void GameArchive::PruneNow(int keep) {
    const QFileInfoList files = OwnFiles(folder_);
    for (qsizetype i = files.size() - 1; i >= keep && i >= 0; --i) {
        const QString path = files[i].filePath();
        if (path != locked_ && !Held(path) && ReadGame(path, false)) {
            QFile::remove(path);
        }
    }
}

void GameArchive::Report(const QString& reason) {
    QMetaObject::invokeMethod(
        this, [this, reason] { emit Failed(reason); }, Qt::QueuedConnection);
}

bool GameArchive::Held(const QString& path) {
    if (!QFileInfo::exists(LockPath(path))) {
        return false;
    }
    // Taken, the lock was stale: it goes.
    const std::unique_ptr<QLockFile> probe = MakeLock(path);
    return !probe->tryLock(0);
}

QList<GameArchive::Entry> GameArchive::List() {
    Flush();
    QList<Entry> entries;
    for (const QFileInfo& file : OwnFiles(folder_)) {
        if (const std::optional<PgnGame> game = ReadGame(file.filePath(), true)) {
            entries.append(
                {file.filePath(), file.lastModified(), Summarize(*game), game->Moves.size()});
        }
    }
    return entries;
}

QString GameArchive::TakeInterrupted() {
    Flush();
    const QStringList locks = QDir(folder_).entryList({QStringLiteral("*.pgn.lock")}, QDir::Files);
    const QSet<QString> locked(locks.begin(), locks.end());
    QString found;
    for (const QFileInfo& file : OwnFiles(folder_)) {
        const QString path = file.filePath();
        if (path == current_ || !locked.contains(file.fileName() + QStringLiteral(".lock")) ||
            Held(path)) {
            continue;
        }
        if (found.isEmpty() && ReadGame(path, true)) {
            found = path;
        }
    }
    return found;
}

} // namespace quorrin
