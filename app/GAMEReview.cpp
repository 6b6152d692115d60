// Looking back through the game and making taken-back moves again: the Review submenu, the move
// lists as a way to pick a position, Redo Move and Continue from Here.
#include "GAME.h"

#include "GameClock.h"
#include "MoveGate.h"
#include "board/brdChessboard.h"
#include "engine/ChessEngine.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

namespace quorrin {

namespace {

const QString ReviewCloser = QStringLiteral("review");

} // namespace

void GAME::BuildReviewMenus(QMenu* mnuActions) {
    const auto action = [this](const QString& caption, const char* name, void (GAME::*handler)(),
                               const QList<QKeySequence>& keys) {
        auto* made = new QAction(caption, this);
        made->setObjectName(QLatin1String(name));
        made->setShortcuts(keys);
        if (handler != nullptr) {
            connect(made, &QAction::triggered, this, handler);
        }
        return made;
    };
    // Redo Move comes straight after Undo Last Move.
    mnuActionsRedo_ = action(
        tr("Redo Move"), "mnuActionsRedo", &GAME::mnuActionsRedo_Click,
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuActions->insertAction(mnuActionsClaimDraw_, mnuActionsRedo_);

    QMenu* review = mnuActions->addMenu(tr("Review"));
    review->setObjectName(QStringLiteral("mnuReview"));
    review->menuAction()->setObjectName(QStringLiteral("mnuReview"));
    const auto step = [&](const QString& caption, const char* name, Qt::Key key, auto target) {
        QAction* made = action(caption, name, nullptr, {QKeySequence(Qt::ALT | key)});
        connect(made, &QAction::triggered, this, [this, target] { Browse(target()); });
        review->addAction(made);
        return made;
    };
    const auto shown = [this] {
        return brdChessboard1_->ShownPlies().value_or(brdChessboard1_->State().MoveHistory.size());
    };
    mnuReviewBack_ =
        step(tr("Back"), "mnuReviewBack", Qt::Key_Left,
             [shown]() -> std::optional<std::size_t> { return shown() > 0 ? shown() - 1 : 0; });
    mnuReviewForward_ = step(tr("Forward"), "mnuReviewForward", Qt::Key_Right,
                             [shown]() -> std::optional<std::size_t> { return shown() + 1; });
    mnuReviewStart_ = step(tr("To Start"), "mnuReviewStart", Qt::Key_Home,
                           []() -> std::optional<std::size_t> { return 0; });
    mnuReviewEnd_ = step(tr("To End"), "mnuReviewEnd", Qt::Key_End,
                         []() -> std::optional<std::size_t> { return std::nullopt; });
    review->addSeparator();
    mnuReviewContinue_ =
        action(tr("Continue from Here"), "mnuReviewContinue", &GAME::mnuReviewContinue_Click, {});
    review->addAction(mnuReviewContinue_);

    // An entry of either list shows the position after its move.
    for (QListWidget* list : {lstWhiteMoves_, lstBlackMoves_}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            const bool whiteList = list == lstWhiteMoves_;
            const bool whiteFirst = brdChessboard1_->State().StartWhitesTurn;
            const auto row = static_cast<std::size_t>(list->row(item));
            Browse(2 * row + (whiteList == whiteFirst ? 1 : 2));
        });
    }
}

void GAME::Browse(std::optional<std::size_t> plies) {
    if (boardBusy_) {
        return;
    }
    const std::size_t made = brdChessboard1_->State().MoveHistory.size();
    if (plies && *plies >= made) {
        plies.reset();
    }
    brdChessboard1_->ShowPosition(plies);
    ReviewChanged();
}

void GAME::ReturnToGame() {
    if (brdChessboard1_->ShownPlies()) {
        brdChessboard1_->ShowPosition(std::nullopt);
    }
    ReviewChanged();
}

void GAME::ReviewChanged() {
    const std::optional<std::size_t> shown = brdChessboard1_->ShownPlies();
    if (shown.has_value() == browsing_) {
        MarkShownMove(shown);
        UpdateReviewCommands();
        return;
    }
    browsing_ = shown.has_value();
    ChessClock& clock = clock_->Clock();
    if (browsing_) {
        // No move, no time: the game waits while the players look back.
        gate_->Close(ReviewCloser, tr("An earlier position is shown"));
        clock.Hold();
    } else {
        gate_->Open(ReviewCloser);
        clock.Release();
        clock_->ShowTimesAt(std::nullopt, true);
        setWindowTitle(QStringLiteral("Quorrin "));
    }
    MarkShownMove(shown);
    UpdateReviewCommands();
}

void GAME::MarkShownMove(std::optional<std::size_t> shown) {
    for (QListWidget* list : {lstWhiteMoves_, lstBlackMoves_}) {
        list->clearSelection();
        list->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    }
    if (!shown) {
        return;
    }
    const QString move = brdChessboard1_->ShownMoveText();
    // The program's name stays as it is in every language.
    setWindowTitle(move.isEmpty() ? tr("%1 - at the start").arg(QStringLiteral("Quorrin "))
                                  : tr("%1 - after %2").arg(QStringLiteral("Quorrin "), move));
    const bool whiteFirst = brdChessboard1_->State().StartWhitesTurn;
    clock_->ShowTimesAt(shown, whiteFirst);
    if (*shown == 0) {
        return;
    }
    const std::size_t ply = *shown - 1;
    QListWidget* list = (ply % 2 == 0) == whiteFirst ? lstWhiteMoves_ : lstBlackMoves_;
    if (QListWidgetItem* entry = list->item(static_cast<int>(ply / 2))) {
        entry->setSelected(true);
        list->scrollToItem(entry);
    }
}

void GAME::UpdateReviewCommands() {
    if (mnuActionsRedo_ == nullptr) {
        return;
    }
    const std::optional<std::size_t> shown = brdChessboard1_->ShownPlies();
    const std::size_t at = shown.value_or(brdChessboard1_->State().MoveHistory.size());
    mnuActionsRedo_->setEnabled(!boardBusy_ && brdChessboard1_->CanRedo());
    mnuReviewBack_->setEnabled(!boardBusy_ && at > 0);
    mnuReviewStart_->setEnabled(!boardBusy_ && at > 0);
    mnuReviewForward_->setEnabled(!boardBusy_ && shown.has_value());
    mnuReviewEnd_->setEnabled(!boardBusy_ && shown.has_value());
    mnuReviewContinue_->setEnabled(!boardBusy_ && shown.has_value());
}

void GAME::mnuActionsRedo_Click() {
    ReturnToGame();
    if (!gate_->IsOpen() || !brdChessboard1_->RedoMove()) {
        return;
    }
    // A promotion made again, without its pop-up, ends like one made with it.
    const ChessEngine& game = brdChessboard1_->Engine();
    if (game.MoveAt(game.State().MoveHistory.size() - 1).Promotion) {
        PromotionChoice_ = -1;
    }
}

void GAME::mnuReviewContinue_Click() {
    const std::optional<std::size_t> shown = brdChessboard1_->ShownPlies();
    if (!shown) {
        return;
    }
    ReturnToGame();
    // The game goes another way from here: Save Game asks where to keep it.
    gameFile_.clear();
    // The later moves are taken back one by one, each to be made again with Redo.
    LiftEnding();
    while (brdChessboard1_->State().MoveHistory.size() > *shown &&
           brdChessboard1_->UndoLastMove()) {
    }
    UpdateClaimDraw();
}

} // namespace quorrin
