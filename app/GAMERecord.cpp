// The game window's record of the game: opening and saving PGN files, copying and pasting
// games (PGN) and positions (FEN), typing a move, the draws by rule and the claim of a draw.
#include "GAME.h"

#include "board/brdChessboard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace quorrin {

namespace {

// Larger files are no games a person keeps; reading stops there.
constexpr qint64 LargestGameFile = 64 * 1024 * 1024;

const QString PgnFilter = QStringLiteral("PGN games (*.pgn);;All files (*)");

QString MessageFor(DrawReason reason) {
    static const std::array<const char*, 5> texts = {
        "Draw by insufficient material", "Draw by fivefold repetition",
        "Draw by the seventy-five-move rule", "Draw by threefold repetition",
        "Draw by the fifty-move rule"};
    const auto index = static_cast<std::size_t>(reason) - 1;
    return index < texts.size() ? QLatin1String(texts[index]) : QString();
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void GAME::BuildRecordMenu(QMenuBar* bar) {
    auto* mnuRecord = new QMenu(QStringLiteral("Record"), bar);
    mnuRecord->setObjectName(QStringLiteral("mnuRecord"));
    mnuRecord->menuAction()->setObjectName(QStringLiteral("mnuRecord"));
    const auto item = [this, mnuRecord](const char* caption, const char* name,
                                        void (GAME::*handler)(), const QKeySequence& keys = {}) {
        QAction* action = mnuRecord->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
    };
    item("Open Game...", "mnuRecordOpen", &GAME::mnuRecordOpen_Click, QKeySequence::Open);
    item("Save Game As...", "mnuRecordSave", &GAME::mnuRecordSave_Click, QKeySequence::Save);
    mnuRecord->addSeparator();
    item("Copy Game", "mnuRecordCopyGame", &GAME::mnuRecordCopyGame_Click);
    item("Copy Position", "mnuRecordCopyPosition", &GAME::mnuRecordCopyPosition_Click);
    item("Paste Game or Position", "mnuRecordPaste", &GAME::mnuRecordPaste_Click,
         QKeySequence::Paste);
    mnuRecord->addSeparator();
    item("Enter Move...", "mnuRecordEnterMove", &GAME::mnuRecordEnterMove_Click,
         QKeySequence(Qt::CTRL | Qt::Key_E));
    bar->addMenu(mnuRecord);
}

void GAME::mnuRecordOpen_Click() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Game"), QString(), PgnFilter);
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    } else if (file.size() > LargestGameFile) {
        ShowMessage(QStringLiteral("%1 is too large for a game file").arg(path));
    } else {
        LoadText(file.readAll());
    }
}

void GAME::mnuRecordSave_Click() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Game As"),
                                                      QStringLiteral("game.pgn"), PgnFilter);
    if (path.isEmpty()) {
        return;
    }
    // Written whole or not at all: an old file survives a failed save.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(GameText().toUtf8()) < 0 || !file.commit()) {
        ShowMessage(QStringLiteral("Cannot save %1: %2").arg(path, file.errorString()));
    }
}

void GAME::mnuRecordCopyGame_Click() {
    QApplication::clipboard()->setText(GameText());
}

void GAME::mnuRecordCopyPosition_Click() {
    QApplication::clipboard()->setText(Text(brdChessboard1_->Engine().Fen()));
}

void GAME::mnuRecordPaste_Click() {
    LoadText(QApplication::clipboard()->text().toUtf8());
}

void GAME::mnuRecordEnterMove_Click() {
    bool entered = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Enter Move"),
                                               QStringLiteral("Move (Nf3, e2e4):"),
                                               QLineEdit::Normal, QString(), &entered);
    if (!entered || text.trimmed().isEmpty()) {
        return;
    }
    const std::optional<TextMove> move =
        brdChessboard1_->Engine().ParseMove(text.trimmed().toStdString());
    if (!move) {
        ShowMessage(QStringLiteral("Illegal move or bad syntax"));
        return;
    }
    // A typed promotion names its piece (a queen when no letter is given): no pop-up.
    if (move->Promotion >= 0) {
        givenPromotion_ =
            PieceOf(static_cast<Shape>(move->Promotion), brdChessboard1_->State().WhitesTurn);
    }
    const bool made = brdChessboard1_->MovePiece(Text(move->From), Text(move->To));
    givenPromotion_.reset();
    if (!made) {
        ShowMessage(QStringLiteral("Illegal move or bad syntax"));
    }
}

void GAME::mnuActionsClaimDraw_Click() {
    UpdateClaimDraw();
    if (const std::optional<DrawReason> reason = brdChessboard1_->Engine().ClaimableDraw()) {
        claimedAtPly_ = brdChessboard1_->State().MoveHistory.size();
        ShowMessage(MessageFor(*reason));
    }
}

void GAME::brdChessboard1_Draw(int eReason) {
    const QString text = MessageFor(static_cast<DrawReason>(eReason));
    if (replaying_) {
        replayMessage_ = text;
    } else if (!text.isEmpty()) {
        ShowMessage(text);
    }
}

void GAME::UpdateClaimDraw() {
    if (claimedAtPly_ && brdChessboard1_->State().MoveHistory.size() < *claimedAtPly_) {
        claimedAtPly_.reset();
    }
    mnuActionsClaimDraw_->setEnabled(brdChessboard1_->Engine().ClaimableDraw().has_value());
}

void GAME::RecordNewGame() {
    ClearMoveLists();
    tags_.clear();
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
    for (const auto& [name, value] :
         {std::pair<const char*, std::string>{"White", "White"},
          {"Black", "Black"},
          {"Date", QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString()}}) {
        if (!has(name)) {
            tags.push_back({name, value});
        }
    }
    const bool claimed =
        claimedAtPly_ && brdChessboard1_->State().MoveHistory.size() >= *claimedAtPly_;
    return Text(WritePgn(brdChessboard1_->Engine(), tags, claimed));
}

void GAME::LoadText(const QByteArray& bytes) {
    const std::string text = bytes.toStdString();
    // A single line with slashes and no move numbers or tags is taken for a position.
    const QString line = QString::fromUtf8(bytes).trimmed();
    if (!line.isEmpty() && !line.contains(QLatin1Char('\n')) && line.count(QLatin1Char('/')) == 7 &&
        !line.contains(QLatin1Char('['))) {
        if (const QString refused = brdChessboard1_->NewGameFromFen(line); !refused.isEmpty()) {
            ShowMessage(QStringLiteral("Not a position to play from: ") + refused);
        } else {
            RecordNewGame();
        }
        return;
    }
    const PgnFile file = ReadPgn(text);
    if (!file.Error.empty() || file.Games.empty()) {
        ShowMessage(QStringLiteral("Not a game: ") + (file.Error.empty()
                                                          ? QStringLiteral("no moves or tags found")
                                                          : Text(file.Error)));
        return;
    }
    const std::optional<std::size_t> chosen = PickGame(file);
    if (!chosen) {
        return;
    }
    const PgnGame& game = file.Games[*chosen];
    const PgnImport imported = ImportPgnGame(game);
    if (!imported.Error.empty()) {
        ShowMessage(QStringLiteral("Cannot load the game: ") + Text(imported.Error));
        return;
    }
    ReplayGame(imported, game.Tags);
}

std::optional<std::size_t> GAME::PickGame(const PgnFile& file) {
    if (file.Games.size() == 1) {
        return 0;
    }
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgPickGame"));
    dialog.setWindowTitle(QStringLiteral("Open Game"));
    auto* games = new QListWidget(&dialog);
    games->setObjectName(QStringLiteral("lstGames"));
    for (const PgnGame& game : file.Games) {
        const PgnSummary about = Summarize(game);
        games->addItem(QStringLiteral("%1 - %2   %3   %4   %5")
                           .arg(Text(about.White), Text(about.Black), Text(about.Result),
                                Text(about.Date), Text(about.FirstMoves)));
    }
    games->setCurrentRow(0);
    games->setMinimumWidth(560);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(games, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(games);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || games->currentRow() < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(games->currentRow());
}

void GAME::ReplayGame(const PgnImport& game, std::vector<PgnTag> tags) {
    const bool started = game.StartFen.empty()
                             ? brdChessboard1_->NewGame()
                             : brdChessboard1_->NewGameFromFen(Text(game.StartFen)).isEmpty();
    if (!started) {
        ShowMessage(QStringLiteral("Cannot load the game: its position was refused"));
        return;
    }
    RecordNewGame();
    tags_ = std::move(tags);
    replaying_ = true;
    replayMessage_.clear();
    bool complete = true;
    for (const TextMove& move : game.Moves) {
        givenPromotion_ = PieceOf(static_cast<Shape>(std::max(move.Promotion, 1)),
                                  brdChessboard1_->State().WhitesTurn);
        if (!brdChessboard1_->MovePiece(Text(move.From), Text(move.To))) {
            complete = false; // an imported game always replays; this guards a broken import
            break;
        }
    }
    replaying_ = false;
    givenPromotion_.reset();
    lstWhiteMoves_->scrollToBottom();
    lstBlackMoves_->scrollToBottom();
    UpdateClaimDraw();
    TurnToSideToMove(brdChessboard1_->State().WhitesTurn);
    if (!complete) {
        ShowMessage(QStringLiteral("Cannot load the game: a move was refused"));
    } else if (!replayMessage_.isEmpty()) {
        ShowMessage(replayMessage_);
    }
}

} // namespace quorrin
