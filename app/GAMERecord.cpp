// The game window's record of the game: opening and saving PGN files, copying and pasting
// games (PGN) and positions (FEN), typing a move, the draws by rule and the claim of a draw.
#include "GAME.h"
#include "StdText.h"

#include "GameArchive.h"
#include "GamePicker.h"
#include "GameTextReading.h"
#include "MoveGate.h"
#include "ReadErrorText.h"
#include "UserSettings.h"
#include "board/SpokenText.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QStringListModel>

#include <algorithm>
#include <array>
#include <utility>

namespace quorrin {

namespace {

// The open and save dialogs' file types.
QString PgnFilter() {
    return GAME::tr("PGN games (*.pgn);;All files (*)");
}

// A single line whose first field has the seven slashes of a board is a position (FEN); slashes
// further on, in a comment of a game, are not.
bool IsFenLine(std::string_view text) {
    constexpr std::string_view spaces = " \t\n\r\f\v";
    const std::size_t first = text.find_first_not_of(spaces);
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, text.find_last_not_of(spaces) + 1 - first);
    const std::string_view field = text.substr(0, text.find_first_of(spaces));
    return text.find_first_of("\n\r") == std::string_view::npos &&
           std::count(field.begin(), field.end(), '/') == 7;
}

} // namespace

void GAME::BuildRecordMenu(QMenuBar* bar) {
    //: The menu of the game's written record (noun): opening, saving, copying and pasting games.
    auto* mnuRecord = new QMenu(tr("Record"), bar);
    mnuRecord->setObjectName(QStringLiteral("mnuRecord"));
    mnuRecord->menuAction()->setObjectName(QStringLiteral("mnuRecord"));
    const auto item = [this, mnuRecord](const QString& caption, const char* name,
                                        void (GAME::*handler)(), const QKeySequence& keys = {}) {
        QAction* action = mnuRecord->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
    };
    item(tr("Open Game..."), "mnuRecordOpen", &GAME::mnuRecordOpen_Click, QKeySequence::Open);
    item(tr("Recent Games..."), "mnuRecordRecent", &GAME::mnuRecordRecent_Click);
    item(tr("Save Game"), "mnuRecordSave", &GAME::mnuRecordSave_Click, QKeySequence::Save);
    item(tr("Save Game As..."), "mnuRecordSaveAs", &GAME::mnuRecordSaveAs_Click,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuRecord->addSeparator();
    item(tr("Copy Game"), "mnuRecordCopyGame", &GAME::mnuRecordCopyGame_Click);
    item(tr("Copy Position"), "mnuRecordCopyPosition", &GAME::mnuRecordCopyPosition_Click);
    item(tr("Paste Game or Position"), "mnuRecordPaste", &GAME::mnuRecordPaste_Click,
         QKeySequence::Paste);
    mnuRecord->addSeparator();
    item(tr("Enter Move..."), "mnuRecordEnterMove", &GAME::mnuRecordEnterMove_Click,
         QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuRecordEnterMove_ = mnuRecord->findChild<QAction*>(QStringLiteral("mnuRecordEnterMove"));
    bar->addMenu(mnuRecord);
}

void GAME::mnuRecordOpen_Click() {
    ReturnToGame();
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Game"), QString(), PgnFilter());
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void GAME::OpenFile(const QString& path) {
    // Folders, devices and pipes are refused before anything is opened: reading one could block.
    if (const QString refusal = RefusalToRead(path); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    ListedText game;
    const std::uint64_t limit = largestGameText_;
    if (!RunWithProgress(this, tr("Reading %1...").arg(path), [&](ReadingProgress& progress) {
            ReadGameFile(path, limit, progress, game);
        })) {
        return; // cancelled: the game stays as it was
    }
    if (!game.Refusal.isEmpty()) {
        ShowMessage(game.Refusal);
        return;
    }
    openingFile_ = path;
    LoadListedGame(game, tr("Open Game"));
    openingFile_.clear();
}

void GAME::mnuRecordSave_Click() {
    gameFile_.isEmpty() ? mnuRecordSaveAs_Click() : SaveGameTo(gameFile_);
}

void GAME::mnuRecordSaveAs_Click() {
    QFileDialog dialog(this, tr("Save Game As"), QString(), PgnFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets ".pgn" before the dialog asks whether to replace
    // a file of that name, so that the file written is the one the player agreed to, and the
    // Open dialog's filter shows it.
    dialog.setDefaultSuffix(QStringLiteral("pgn"));
    dialog.selectFile(QStringLiteral("game.pgn"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveGameTo(dialog.selectedFiles().constFirst());
    }
}

void GAME::SaveGameTo(const QString& path) {
    // The safe save below writes a new file and renames it over the old name, which would put a
    // plain file in place of a device, a FIFO or a folder. A link is followed to the file it
    // names, which is replaced while the link stays; a link that leads to no file (dangling, or
    // a loop) is refused too.
    const QFileInfo target(path);
    if ((target.exists() || target.isSymLink()) && !target.isFile()) {
        ShowMessage(tr("Cannot save the game: %1 is not a regular file").arg(path));
        return;
    }
    // Written whole or not at all: an old file survives a failed save. The text is flushed
    // before the commit, which would put a file cut short in place of the old one when its own
    // flush fails (a full disk); uncommitted, the new file is thrown away.
    QSaveFile file(path);
    const QByteArray text = GameText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush() ||
        !file.commit()) {
        ShowMessage(tr("Cannot save %1: %2").arg(path, file.errorString()));
        return;
    }
    gameFile_ = path;
}

void GAME::mnuRecordCopyGame_Click() {
    QApplication::clipboard()->setText(GameText());
}

void GAME::mnuRecordCopyPosition_Click() {
    // The position shown, an earlier one while looking back.
    QApplication::clipboard()->setText(Text(brdChessboard1_->ShownGame().Fen()));
}

void GAME::mnuRecordPaste_Click() {
    ReturnToGame();
    const QString pasted = QApplication::clipboard()->text();
    // A character takes at least one byte: a text too long is refused before it is converted.
    if (static_cast<std::uint64_t>(pasted.size()) > largestGameText_) {
        ShowMessage(tr("The text pasted is too large for a game"));
        return;
    }
    const QByteArray bytes = pasted.toUtf8();
    if (static_cast<std::uint64_t>(bytes.size()) > largestGameText_) {
        ShowMessage(tr("The text pasted is too large for a game"));
        return;
    }
    LoadText(bytes.toStdString(), tr("Paste Game"));
}

void GAME::mnuRecordEnterMove_Click() {
    if (!gate_->IsOpen()) {
        return;
    }
    bool entered = false;
    const QString text = QInputDialog::getText(
        this, tr("Enter Move"),
        //: The moves given as examples are typed as shown, in English letters.
        tr("Move (Nf3, e2e4):"), QLineEdit::Normal, QString(), &entered);
    if (!entered || text.trimmed().isEmpty()) {
        return;
    }
    // A typed promotion names its piece (a queen when no letter is given): no pop-up.
    const ReadResult<Move> move = brdChessboard1_->Engine().ParseMove(text.trimmed().toStdString());
    if (!move) {
        ShowMessage(tr("Illegal move or bad syntax\n%1").arg(ReadErrorText(move.Error())));
    } else if (!PlayMove(*move)) {
        ShowMessage(tr("Illegal move or bad syntax"));
    }
}

bool GAME::PlayMove(const Move& move) {
    if (!gate_->IsOpen() || !brdChessboard1_->MakeMove(move)) {
        return false;
    }
    // A promotion made without the pop-up ends like one made with it.
    if (move.Promotion) {
        PromotionChoice_ = -1;
    }
    return true;
}

void GAME::mnuActionsClaimDraw_Click() {
    UpdateClaimDraw();
    if (const std::optional<DrawReason> reason = OpenClaim()) {
        claimedAtPly_ = brdChessboard1_->State().MoveHistory.size();
        UpdateClaimDraw();
        ArchiveGame();
        ShowMessage(DrawText(*reason));
    }
}

void GAME::brdChessboard1_Draw(DrawReason eReason) {
    if (const QString text = DrawText(eReason); !text.isEmpty()) {
        ShowMessage(text);
    }
}

void GAME::UpdateClaimDraw() {
    if (claimedAtPly_ && brdChessboard1_->State().MoveHistory.size() < *claimedAtPly_) {
        claimedAtPly_.reset();
    }
    mnuActionsClaimDraw_->setEnabled(!boardBusy_ && OpenClaim().has_value());
}

std::optional<DrawReason> GAME::OpenClaim() const {
    const GameOutcome outcome = brdChessboard1_->Engine().Outcome();
    if (outcome.Kind != OutcomeKind::InPlay || claimedAtPly_ || ending_) {
        return std::nullopt;
    }
    return outcome.Claimable;
}

void GAME::RecordNewGame() {
    ReturnToGame();
    ArchiveNewGame();
    LiftEnding();
    ClockNewGame();
    ClearMoveLists();
    tags_.clear();
    comments_ = {};
    gameFile_.clear();
    claimedAtPly_.reset();
    UpdateClaimDraw();
    TurnToSideToMove(brdChessboard1_->State().WhitesTurn);
}

QString GAME::GameText() const {
    std::vector<PgnTag> tags = tags_;
    const auto has = [&tags](const char* name) {
        return std::any_of(tags.begin(), tags.end(),
                           [name](const PgnTag& t) { return t.Name == name; });
    };
    const PlayerNames players = SavedPlayers();
    for (const auto& [name, value] :
         {std::pair<const char*, std::string>{"White", players.White.toStdString()},
          {"Black", players.Black.toStdString()},
          {"Date", QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString()}}) {
        if (!has(name)) {
            tags.push_back({name, value});
        }
    }
    const bool claimed =
        claimedAtPly_ && brdChessboard1_->State().MoveHistory.size() >= *claimedAtPly_;
    PgnComments comments = comments_;
    AddClockRecord(tags, comments);
    const std::string decided = ending_ ? ending_->Result.toStdString() : std::string();
    return Text(WritePgn(brdChessboard1_->Engine(), tags, claimed, comments, decided));
}

void GAME::LoadText(const QByteArray& bytes) {
    LoadText(bytes.toStdString(), tr("Open Game"));
}

void GAME::LoadText(std::string text, const QString& title) {
    ListedText game;
    game.Text = std::move(text);
    if (!IsFenLine(game.Text) &&
        !RunWithProgress(this, tr("Reading the games..."),
                         [&game](ReadingProgress& progress) { ListGames(progress, game); })) {
        return;
    }
    LoadListedGame(game, title);
}

void GAME::LoadListedGame(const ListedText& game, const QString& title) {
    if (IsFenLine(game.Text)) {
        const ReadResult<FenPosition> position =
            ReadFen(QString::fromStdString(game.Text).trimmed().toStdString());
        if (!position) {
            ShowMessage(tr("Not a position to play from: %1").arg(ReadErrorText(position.Error())));
        } else if (brdChessboard1_->NewGame(*position)) {
            RecordNewGame();
        }
        return;
    }
    const auto readable = std::find_if(game.Entries.begin(), game.Entries.end(),
                                       [](const PgnEntry& entry) { return !entry.Damaged; });
    if (readable == game.Entries.end()) {
        ShowMessage(
            tr("Not a game: %1")
                .arg(game.Entries.empty()
                         ? tr("no moves or tags found")
                         : ReadErrorText(ReadPgnEntry(game.Text, game.Entries.front()).Error())));
        return;
    }
    std::size_t chosen = 0;
    if (game.Entries.size() > 1) {
        PgnGamesModel games(game.Text, game.Entries);
        const std::optional<std::size_t> picked =
            PickFromList(this, "dlgPickGame", title, &games, 560);
        if (!picked) {
            return;
        }
        chosen = *picked;
    }
    // The one place the game chosen is read whole and played.
    const ReadResult<PgnGame> read = ReadPgnEntry(game.Text, game.Entries[chosen]);
    if (!read) {
        ShowMessage(tr("Not a game: %1").arg(ReadErrorText(read.Error())));
        return;
    }
    ChessEngine played;
    std::vector<ReadError> warnings;
    if (const std::optional<ReadError> error = PlayPgnGame(*read, played, &warnings)) {
        ShowMessage(tr("Cannot load the game: %1").arg(ReadErrorText(*error)));
        return;
    }
    // Save Game writes back only to a file whose other games, variations, annotations or result
    // (a resignation, say) it would not lose.
    if (game.Entries.size() != 1 || read->Dropped || GameResult(played) != read->Result()) {
        openingFile_.clear();
    }
    AdoptGame(played, *read);
    // A game whose text claims what its moves do not (a false check mark, a capture of nothing,
    // a Result tag against the moves' own) is loaded, and the player told what was found.
    if (!warnings.empty()) {
        QStringList found;
        for (const ReadError& warning : warnings) {
            found << ReadErrorText(warning);
        }
        ShowMessage(tr("The game was loaded, but its text is doubtful:\n%1")
                        .arg(found.join(QLatin1Char('\n'))));
    }
}

std::optional<std::size_t> GAME::PickRow(const char* name, const QString& title,
                                         const QStringList& rows, int width) {
    QStringListModel list(rows);
    return PickFromList(this, name, title, &list, width);
}

void GAME::AdoptGame(const ChessEngine& played, const PgnGame& game) {
    if (!brdChessboard1_->LoadGame(played)) {
        return;
    }
    tags_ = game.Tags;
    comments_ = game.Comments;
    AdoptClock(game);
    ArchiveGame();
    // The message the game's last move gave when it was made.
    const EngineState& state = played.State();
    if (state.MoveHistory.empty()) {
        return;
    }
    const MoveRecord& last = state.MoveHistory.back();
    const std::optional<DrawReason> draw = played.DrawMadeBy(state.MoveHistory.size() - 1);
    if (last.After.InCheck) {
        ShowMessage(CheckMessage(!last.WhiteMoved, last.After.Mated));
    } else if (last.After.Stalemated) {
        ShowMessage(tr("Stalemate"));
    } else if (draw) {
        ShowMessage(DrawText(*draw));
    }
}

void GAME::brdChessboard1_GameLoaded() {
    RecordNewGame();
    // A game from the archive of games played is saved where the player chooses.
    if (QFileInfo(openingFile_).canonicalPath() != QDir(archive_->Folder()).canonicalPath()) {
        gameFile_ = openingFile_;
    }
    const ChessEngine& engine = brdChessboard1_->Engine();
    bool promoted = false;
    for (std::size_t ply = 0; ply < engine.State().MoveHistory.size(); ++ply) {
        const Move move = engine.MoveAt(ply);
        const bool white = engine.State().MoveHistory[ply].WhiteMoved;
        (white ? lstWhiteMoves_ : lstBlackMoves_)
            ->addItem(QString::fromStdString(SquareIndexToName(move.From) + "-" +
                                             SquareIndexToName(move.To)));
        promoted = promoted || move.Promotion.has_value();
    }
    lstWhiteMoves_->scrollToBottom();
    lstBlackMoves_->scrollToBottom();
    if (promoted) {
        PromotionChoice_ = -1;
    }
}

} // namespace quorrin
