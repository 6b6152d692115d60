#include "board/platform/WindowPlacement.h"

#include "board/platform/Platform.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quorrin {

namespace {

void CentreFrame(QWidget& window) {
    const QSize screen = platform::ScreenSize();
    const QSize frame = window.frameGeometry().size();
    // For a top-level window, move() places the top-left corner of its frame.
    window.move((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

// Centres its window again whenever its frame turns out to have another size than the one it
// was centred with, until shortly after the window is first shown, so that a later resize by
// the player does not move the window.
class FrameWatch final : public QObject {
public:
    explicit FrameWatch(QWidget& window)
        : QObject(&window), window_(window), centredFrame_(window.frameGeometry().size()) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched != &window_ ||
            (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)) {
            return QObject::eventFilter(watched, event);
        }
        if (type == QEvent::Show) {
            QTimer::singleShot(GiveUpMs, this, &QObject::deleteLater);
        }
        if (window_.frameGeometry().size() != centredFrame_) {
            centredFrame_ = window_.frameGeometry().size();
            CentreFrame(window_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int GiveUpMs = 2000;
    QWidget& window_;
    QSize centredFrame_;
};

} // namespace

void CentreOnScreen(QWidget& window) {
    CentreFrame(window);
    new FrameWatch(window);
}

} // namespace quorrin
