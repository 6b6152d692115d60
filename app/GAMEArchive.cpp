// The game window's archive of games played: each game kept as it is played, Record > Recent
// Games..., and the game an interrupted run left behind brought back.
#include "GAME.h"
#include "StdText.h"

#include "GameArchive.h"
#include "UserSettings.h"
#include "board/brdChessboard.h"

#include <QFile>

#include <utility>

namespace quorrin {

namespace {

// How many games the archive keeps: the player's "Archive/Keep", else 500.
int GamesKept() {
    bool read = false;
    const int keep = UserSettings()
                         ->value(QStringLiteral("Archive/Keep"), GameArchive::DefaultKeep)
                         .toInt(&read);
    return read && keep > 0 ? keep : GameArchive::DefaultKeep;
}

} // namespace

void GAME::BuildArchive() {
    archive_ = new GameArchive(GameArchive::DefaultFolder(), this);
    // Said once a run; play goes on whatever the disk does.
    connect(archive_, &GameArchive::Failed, this, [this](const QString& reason) {
        if (!std::exchange(archiveWarned_, true)) {
            archiveWarning_ = tr("Games are not being kept: %1").arg(reason);
            if (!boardBusy_) {
                ShowMessage(std::exchange(archiveWarning_, QString()));
            }
        }
    });
    // Each move and undo is kept once it is complete, before the messages an ending leaves for
    // its end.
    connect(brdChessboard1_, &brdChessboard::BusyChanged, this, [this](bool bBusy) {
        if (!bBusy) {
            ArchiveGame();
            if (!archiveWarning_.isEmpty()) {
                ShowMessage(std::exchange(archiveWarning_, QString()));
            }
        }
    });
    archive_->Prune(GamesKept());
}

void GAME::ArchiveGame() {
    const bool moved = !brdChessboard1_->State().MoveHistory.empty();
    if (moved || !archive_->CurrentFile().isEmpty()) {
        archive_->Write(GameText().toUtf8(), moved);
    }
}

void GAME::ArchiveNewGame() {
    archive_->StartGame(std::exchange(archiveContinued_, QString()));
    archive_->Prune(GamesKept());
}

void GAME::mnuRecordRecent_Click() {
    ReturnToGame();
    ArchiveGame();
    const QList<GameArchive::Entry> entries = archive_->List();
    QStringList rows;
    for (const GameArchive::Entry& entry : entries) {
        const PgnSummary& about = entry.Summary;
        const auto moves = static_cast<int>((entry.Plies + 1) / 2);
        rows << QStringLiteral("%1   %2 - %3   %4   %5   %6")
                    .arg(entry.Modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                         Text(about.White), Text(about.Black), Text(about.Result),
                         tr("%n moves", nullptr, moves), Text(about.FirstMoves));
    }
    const std::optional<std::size_t> chosen =
        PickRow("dlgRecentGames", tr("Recent Games"), rows, 640);
    if (!chosen) {
        return;
    }
    const QString path = entries[static_cast<qsizetype>(*chosen)].Path;
    // The game goes on in its own file, unless another program is playing it there.
    archiveContinued_ =
        path == archive_->CurrentFile() || !GameArchive::Held(path) ? path : QString();
    OpenFile(path);
    archiveContinued_.clear();
}

bool GAME::RecoverInterruptedGame() {
    const QString path = archive_->TakeInterrupted();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    archiveContinued_ = path;
    LoadText(file.readAll());
    // Taken up by the new game once the game is on the board.
    const bool loaded = archiveContinued_.isEmpty();
    archiveContinued_.clear();
    if (loaded) {
        ShowMessage(tr("The game in progress when Quorrin last stopped has been brought back."));
    }
    return loaded;
}

} // namespace quorrin
