// Creation of the board, its game commands, the relay of the engine's events, About.
#include "board/brdChessboard.h"

#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"

#include <QMessageBox>
#include <QTimer>

namespace quorrin {

namespace {

constexpr int DragPollMilliseconds = 100;

} // namespace

brdChessboard::brdChessboard(QWidget* parent) : QWidget(parent), artwork_(PieceArtwork::Shared()) {
    tmrDrag_ = new QTimer(this);
    tmrDrag_->setObjectName(QStringLiteral("tmrDrag"));
    tmrDrag_->setInterval(DragPollMilliseconds);
    connect(tmrDrag_, &QTimer::timeout, this, &brdChessboard::tmrDrag_Timer);

    for (int k = 1; k <= 64; ++k) {
        picSquare_[k] = new SquareSurface(k, this);
    }
    // Until a host sizes it, the board is eight template squares a side.
    LayOutSquares();
    extentWidthTwips_ = 8 * templateWidthTwips_;
    extentHeightTwips_ = 8 * templateHeightTwips_;
    resizing_ = true;
    resize(BoardPixels());
    resizing_ = false;

    engine_.SetEvents(&relay_);
    engine_.SetDrawer(this);
    engine_.NewGame(); // the start position, White to move, every square drawn
}

brdChessboard::~brdChessboard() {
    StopCarrying();
    // Nothing may reach the board while its parts are being torn down.
    engine_.SetEvents(nullptr);
    engine_.SetDrawer(nullptr);
}

bool brdChessboard::NewGame(const QString& sLayout, bool bWhitesTurn) {
    return engine_.NewGame(sLayout.toStdString(), bWhitesTurn);
}

std::int32_t brdChessboard::SideTurn() const {
    return engine_.SideTurn();
}

bool brdChessboard::MovePiece(const QString& sFrom, const QString& sTo) {
    return engine_.MovePiece(sFrom.toStdString(), sTo.toStdString());
}

bool brdChessboard::UndoLastMove() {
    return engine_.UndoLastMove();
}

const EngineState& brdChessboard::State() const {
    return engine_.State();
}

void brdChessboard::About() {
    const QString name = objectName().isEmpty() ? QStringLiteral("brdChessboard") : objectName();
    QMessageBox box(QMessageBox::Information, QStringLiteral("About ") + name,
                    QStringLiteral("Quorrin chess board\nVersion " QUORRIN_VERSION),
                    QMessageBox::Ok, this);
    box.exec();
}

void brdChessboard::EngineEventRelay::PieceMovement(bool bWhite, const std::string& sFrom,
                                                    const std::string& sTo) {
    emit board_.PieceMovement(bWhite, QString::fromStdString(sFrom), QString::fromStdString(sTo));
}

void brdChessboard::EngineEventRelay::PieceCapture(PieceType ePiece) {
    emit board_.PieceCapture(ePiece);
}

void brdChessboard::EngineEventRelay::KingInCheck(bool bWhite, bool bCheckmate) {
    emit board_.KingInCheck(bWhite, bCheckmate);
}

void brdChessboard::EngineEventRelay::PawnPromotion(bool bWhite, PieceType& eChoice) {
    emit board_.PawnPromotion(bWhite, eChoice);
}

void brdChessboard::EngineEventRelay::Stalemate() {
    emit board_.Stalemate();
}

void brdChessboard::EngineEventRelay::MoveUndo(bool bWhite) {
    emit board_.MoveUndo(bWhite);
}

} // namespace quorrin
