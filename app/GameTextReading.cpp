#include "GameTextReading.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>

#include <filesystem>
#include <thread>

namespace quorrin {

namespace {

// The dialog appears only when reading takes longer than this; most files are read sooner.
constexpr int ProgressDelayMs = 400;
// How often the window's thread looks whether the work is done.
constexpr int PollMs = 20;

} // namespace

bool RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(ReadingProgress&)>& work) {
    ReadingProgress progress;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work(progress);
        finished = true;
    });
    QProgressDialog dialog(label, QCoreApplication::translate("quorrin::GAME", "Cancel"), 0, 1000,
                           parent);
    dialog.setObjectName(QStringLiteral("dlgReading"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ProgressDelayMs);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setValue(0);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished) {
            loop.quit();
            return;
        }
        const std::uint64_t total = progress.Total;
        if (total > 0) {
            dialog.setValue(
                static_cast<int>(std::min<std::uint64_t>(999, progress.Done * 1000 / total)));
        }
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        progress.Cancelled = true;
        loop.quit();
    });
    poll.start(PollMs);
    loop.exec();
    worker.join();
    return !progress.Cancelled;
}

QString RefusalToRead(const QString& path) {
    std::error_code error;
    const auto type = std::filesystem::status(QFile::encodeName(path).toStdString(), error).type();
    if (error || type == std::filesystem::file_type::regular ||
        type == std::filesystem::file_type::not_found) {
        return {};
    }
    return QCoreApplication::translate("quorrin::GAME", "Cannot open %1: %2")
        .arg(path, type == std::filesystem::file_type::directory
                       ? QCoreApplication::translate("quorrin::GAME", "it is a folder")
                       : QCoreApplication::translate(
                             "quorrin::GAME", "it is not a regular file but a device or a pipe"));
}

void ReadGameFile(const QString& path, std::uint64_t limit, ReadingProgress& progress,
                  ListedText& game) {
    const QString tooLarge =
        QCoreApplication::translate("quorrin::GAME", "%1 is too large for a game file").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        game.Refusal = QCoreApplication::translate("quorrin::GAME", "Cannot open %1: %2")
                           .arg(path, file.errorString());
        return;
    }
    const auto reported = static_cast<std::uint64_t>(std::max<qint64>(0, file.size()));
    if (reported > limit) {
        game.Refusal = tooLarge;
        return;
    }
    progress.Total = reported;
    game.Text.reserve(reported);
    constexpr qint64 Piece = qint64{1} << 20;
    while (true) {
        const std::size_t at = game.Text.size();
        // One byte past the limit is enough to know the file is too large.
        const auto want = static_cast<qint64>(std::min<std::uint64_t>(Piece, limit + 1 - at));
        game.Text.resize(at + static_cast<std::size_t>(want));
        const qint64 got = file.read(game.Text.data() + at, want);
        if (got < 0) {
            game.Refusal = QCoreApplication::translate("quorrin::GAME", "Cannot open %1: %2")
                               .arg(path, file.errorString());
            return;
        }
        game.Text.resize(at + static_cast<std::size_t>(got));
        if (game.Text.size() > limit) {
            game.Refusal = tooLarge;
            game.Text = {};
            return;
        }
        if (got == 0 || !progress.GoOn(game.Text.size())) {
            break;
        }
    }
    if (!progress.Cancelled) {
        ListGames(progress, game);
    }
}

void ListGames(ReadingProgress& progress, ListedText& game) {
    progress.Total = game.Text.size();
    if (auto entries =
            IndexPgn(game.Text, [&progress](std::uint64_t done) { return progress.GoOn(done); })) {
        game.Entries = std::move(*entries);
    }
}

} // namespace quorrin
