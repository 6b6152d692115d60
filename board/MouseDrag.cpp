#include "board/MouseDrag.h"

#include "board/platform/Platform.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace quorrin {

namespace {

constexpr int DragPollMilliseconds = 100;

} // namespace

MouseDrag::MouseDrag(QWidget& board, const std::function<void()>& onTick)
    : board_(board), tmrDrag_(new QTimer(&board)) {
    tmrDrag_->setObjectName(QStringLiteral("tmrDrag"));
    tmrDrag_->setInterval(DragPollMilliseconds);
    QObject::connect(tmrDrag_, &QTimer::timeout, &board, onTick);
}

bool MouseDrag::Active() const {
    return tmrDrag_->isActive();
}

void MouseDrag::Start(SquareIndex from, const QCursor& pointer) {
    from_ = from;
    releaseUnheard_ = false;
    tmrDrag_->start();
    if (carrying_) {
        QGuiApplication::changeOverrideCursor(pointer);
    } else {
        QGuiApplication::setOverrideCursor(pointer);
    }
    carrying_ = true;
    // The release then comes to the board wherever the pointer is, off the board included,
    // and so does Escape.
    board_.grabMouse();
    board_.grabKeyboard();
}

bool MouseDrag::ButtonReleased() {
    if (platform::LeftButtonDown()) {
        releaseUnheard_ = false;
        return false;
    }
    // The button is up. A release still on its way to the application would drop the piece:
    // give it one more tick; after that it went to another window and is never coming.
    if (!releaseUnheard_ && (QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        releaseUnheard_ = true;
        return false;
    }
    return true;
}

void MouseDrag::Stop() {
    tmrDrag_->stop();
    releaseUnheard_ = false;
    StopCarrying();
}

void MouseDrag::StopCarrying() {
    if (!carrying_) {
        return;
    }
    carrying_ = false;
    if (QWidget::mouseGrabber() == &board_) {
        board_.releaseMouse();
    }
    if (QWidget::keyboardGrabber() == &board_) {
        board_.releaseKeyboard();
    }
    QGuiApplication::restoreOverrideCursor();
}

} // namespace quorrin
