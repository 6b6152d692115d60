// Creation of the board, its game commands, the relay of the engine's events, About.
#include "board/brdChessboard.h"

#include "board/BoardAccessibility.h"
#include "board/PieceArtwork.h"
#include "board/SpokenText.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard_p.h"

#include "QuorrinVersion.h"

#include <QMessageBox>

namespace quorrin {

brdChessboardPrivate::brdChessboardPrivate(brdChessboard& board)
    : q(board), artwork_(PieceArtwork::Shared()), drag_(board, [this] { tmrDrag_Timer(); }),
      grid_(board, artwork_), keyboard_(board),
      announcer_(board, grid_, [this](SquareIndex square) {
          return SquareSpokenName(Shown(), square, SelectedSquare());
      }) {}

void brdChessboardPrivate::Create() {
    for (SquareIndex k = 1; k <= 64; ++k) {
        QObject::connect(
            grid_.Surface(k), &SquareSurface::MouseDown, &q,
            [this](int index, Qt::MouseButton button) { picSquare_MouseDown(index, button); });
        QObject::connect(grid_.Surface(k), &SquareSurface::MouseUp, &q,
                         [this](int, Qt::MouseButton button, const QPointF& globalPos) {
                             picSquare_MouseUp(button, globalPos);
                         });
    }
    // Click or Tab: the board takes the keys for keyboard play.
    q.setFocusPolicy(Qt::StrongFocus);
    InstallBoardAccessibility();
    // Until a host sizes it, the board is eight template squares a side.
    LayOutSquares();
    grid_.ExtentFromTemplate();
    grid_.SizeBoard();

    engine_.SetEvents(this);
    engine_.SetDrawer(this);
    engine_.NewGame(); // the start position, White to move, every square drawn
    // What a screen reader would read now; later changes are told as they happen.
    for (SquareIndex k = 1; k <= 64; ++k) {
        announcer_.Heard(k, SquareSpokenName(engine_.State(), k, 0));
    }
}

brdChessboard::brdChessboard(QWidget* parent)
    : QWidget(parent), d_ptr(std::make_unique<brdChessboardPrivate>(*this)) {
    d_ptr->Create();
}

brdChessboard::~brdChessboard() {
    Q_D(brdChessboard);
    d->drag_.StopCarrying();
    // Nothing may reach the board while its parts are being torn down.
    d->engine_.SetEvents(nullptr);
    d->engine_.SetDrawer(nullptr);
}

bool brdChessboard::NewGame(const QString& sLayout, bool bWhitesTurn) {
    Q_D(brdChessboard);
    if (d->engine_.IsBusy()) {
        return false;
    }
    d->EndShowing();
    if (!d->engine_.NewGame(sLayout.toStdString(), bWhitesTurn)) {
        return false;
    }
    d->redo_.clear();
    d->PositionChanged();
    d->Announce(NewGameAnnouncement(bWhitesTurn));
    return true;
}

std::int32_t brdChessboard::SideTurn() const {
    return d_func()->engine_.SideTurn();
}

bool brdChessboard::MovePiece(const QString& sFrom, const QString& sTo) {
    Q_D(brdChessboard);
    const brdChessboardPrivate::EngineCall call(*d);
    if (!d->engine_.IsBusy()) {
        d->EndShowing();
    }
    return d->engine_.MovePiece(sFrom.toStdString(), sTo.toStdString());
}

bool brdChessboard::UndoLastMove() {
    Q_D(brdChessboard);
    const brdChessboardPrivate::EngineCall call(*d);
    if (d->engine_.IsBusy()) {
        return false;
    }
    d->EndShowing();
    const std::size_t made = d->engine_.State().MoveHistory.size();
    const Move last = made > 0 ? d->engine_.MoveAt(made - 1) : Move{};
    if (!d->engine_.UndoLastMove()) {
        return false;
    }
    d->redo_.push_back(last);
    return true;
}

bool brdChessboard::MakeMove(const Move& move) {
    Q_D(brdChessboard);
    const brdChessboardPrivate::EngineCall call(*d);
    if (!d->engine_.IsBusy()) {
        d->EndShowing();
    }
    return d->engine_.MakeMove(move);
}

bool brdChessboard::NewGame(const FenPosition& position) {
    Q_D(brdChessboard);
    if (d->engine_.IsBusy()) {
        return false;
    }
    d->EndShowing();
    if (!d->engine_.NewGame(position)) {
        return false;
    }
    d->redo_.clear();
    d->PositionChanged();
    d->Announce(NewGameAnnouncement(position.WhiteToMove));
    return true;
}

bool brdChessboard::LoadGame(const ChessEngine& source) {
    Q_D(brdChessboard);
    if (d->engine_.IsBusy()) {
        return false;
    }
    d->EndShowing();
    if (!d->engine_.TakeGame(source)) {
        return false;
    }
    d->redo_.clear();
    d->PositionChanged();
    d->Announce(NewGameAnnouncement(d->engine_.State().WhitesTurn));
    emit GameLoaded();
    return true;
}

void brdChessboard::SetMoveGate(MoveGate gate) {
    d_func()->moveGate_ = std::move(gate);
}

const EngineState& brdChessboard::State() const {
    return d_func()->engine_.State();
}

const ChessEngine& brdChessboard::Engine() const {
    return d_func()->engine_;
}

void brdChessboard::About() {
    const QString name = objectName().isEmpty() ? QStringLiteral("brdChessboard") : objectName();
    QMessageBox box(
        QMessageBox::Information, tr("About %1").arg(name),
        tr("Quorrin chess board\nVersion %1").arg(QLatin1String(QUORRIN_VERSION_STRING)),
        QMessageBox::Ok, this);
    box.exec();
}

void brdChessboardPrivate::EventsBegin() {
    if (!busyTold_) {
        busyTold_ = true;
        emit q.BusyChanged(true);
    }
}

brdChessboardPrivate::EngineCall::~EngineCall() {
    if (d_.busyTold_ && !d_.engine_.IsBusy()) {
        d_.busyTold_ = false;
        emit d_.q.BusyChanged(false);
    }
}

void brdChessboardPrivate::PieceMovement(bool bWhite, const std::string& sFrom,
                                         const std::string& sTo) {
    EventsBegin();
    MoveMadeAfterUndo();
    // The record of the move is complete by now: it is announced before the host's handlers
    // run, whose message boxes speak for themselves.
    PositionChanged();
    Announce(MoveAnnouncement(engine_));
    emit q.PieceMovement(bWhite, QString::fromStdString(sFrom), QString::fromStdString(sTo));
}

void brdChessboardPrivate::PieceCapture(PieceType ePiece) {
    emit q.PieceCapture(ePiece);
}

void brdChessboardPrivate::KingInCheck(bool bWhite, bool bCheckmate) {
    emit q.KingInCheck(bWhite, bCheckmate);
}

void brdChessboardPrivate::PawnPromotion(bool bWhite, PieceType& eChoice) {
    EventsBegin();
    emit q.PawnPromotion(bWhite, eChoice);
}

void brdChessboardPrivate::Stalemate() {
    emit q.Stalemate();
}

void brdChessboardPrivate::MoveUndo(bool bWhite) {
    EventsBegin();
    PositionChanged();
    Announce(UndoAnnouncement(bWhite));
    emit q.MoveUndo(bWhite);
}

void brdChessboardPrivate::Draw(DrawReason eReason) {
    emit q.Draw(eReason);
}

} // namespace quorrin
