// Looking back through the game, and making taken-back moves again.
#include "board/SpokenText.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard_p.h"

#include <QCursor>

namespace quorrin {

bool brdChessboard::ShowPosition(std::optional<std::size_t> plies) {
    Q_D(brdChessboard);
    const std::size_t made = d->engine_.State().MoveHistory.size();
    if (d->engine_.IsBusy() || (plies && *plies > made)) {
        return false;
    }
    if (!plies || *plies == made) {
        if (d->shown_) {
            d->EndShowing();
            d->Announce(tr("Back to the game"));
        }
        return true;
    }
    // The game as far as the position shown: taking moves back restores every record exactly.
    auto shown = std::make_unique<ChessEngine>();
    shown->TakeGame(d->engine_);
    for (std::size_t n = made; n > *plies; --n) {
        shown->UndoLastMove();
    }
    d->shown_ = std::move(shown);
    d->keyboard_.PutBack();
    d->RepaintBoard();
    d->ShowKeyboardMarks();
    const QString move = ShownMoveText();
    d->Announce(move.isEmpty() ? tr("Showing the start position")
                               : tr("Showing the position after %1").arg(move));
    return true;
}

std::optional<std::size_t> brdChessboard::ShownPlies() const {
    const auto& shown = d_func()->shown_;
    return shown ? std::optional(shown->State().MoveHistory.size()) : std::nullopt;
}

const ChessEngine& brdChessboard::ShownGame() const {
    const auto& d = *d_func();
    return d.shown_ ? *d.shown_ : d.engine_;
}

QString brdChessboard::ShownMoveText() const {
    const ChessEngine& game = ShownGame();
    const EngineState& state = game.State();
    if (state.MoveHistory.empty()) {
        return {};
    }
    const std::size_t ply = state.MoveHistory.size() - 1;
    // Plies counted from a White move, so that each pair shares its number.
    const std::size_t fromWhite = ply + (state.StartWhitesTurn ? 0 : 1);
    const auto number =
        static_cast<long long>(state.StartFullmoveNumber) + static_cast<long long>(fromWhite / 2);
    return QStringLiteral("%1%2 %3")
        .arg(number)
        .arg(fromWhite % 2 == 0 ? QStringLiteral(".") : QStringLiteral("..."))
        .arg(QString::fromStdString(game.MoveSan(ply)));
}

bool brdChessboard::RedoMove() {
    Q_D(brdChessboard);
    // The move made is taken off the list when its PieceMovement is raised.
    return !d->redo_.empty() && MakeMove(d->redo_.back());
}

QPoint brdChessboard::PopupPoint() const {
    const auto& d = *d_func();
    if (const QWidget* square =
            IsBoardSquare(d.keyMoveTarget_) ? d.grid_.Surface(d.keyMoveTarget_) : nullptr) {
        return square->mapToGlobal(QPoint(square->width(), 0));
    }
    return QCursor::pos();
}

bool brdChessboard::CanRedo() const {
    return !d_func()->redo_.empty();
}

QString brdChessboardPrivate::MoveRefusal() const {
    const QString refusal = moveGate_ ? moveGate_() : QString();
    return refusal.isEmpty() && shown_ ? brdChessboard::tr("An earlier position is shown")
                                       : refusal;
}

void brdChessboardPrivate::EndShowing() {
    if (shown_) {
        shown_.reset();
        keyboard_.PutBack();
        RepaintBoard();
        ShowKeyboardMarks();
        RefreshSpokenNames();
    }
}

void brdChessboardPrivate::MoveMadeAfterUndo() {
    if (redo_.empty()) {
        return;
    }
    const std::size_t made = engine_.State().MoveHistory.size();
    if (made > 0 && engine_.MoveAt(made - 1) == redo_.back()) {
        redo_.pop_back();
    } else {
        redo_.clear();
    }
}

} // namespace quorrin
