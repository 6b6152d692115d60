#include "GameTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <utility>

namespace quorrin::test {

namespace {

QtMessageHandler previousHandler = nullptr;

void FilterPlatformWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (type == QtWarningMsg &&
        message.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    previousHandler(type, context, message);
}

} // namespace

void IgnoreOffscreenPlatformWarnings() {
    if (previousHandler == nullptr) {
        previousHandler = qInstallMessageHandler(FilterPlatformWarnings);
    }
}

bool RecordingSoundPlayer::Play(const QString& filePath) {
    Paths.append(filePath);
    log_.append(QStringLiteral("sound ") + QFileInfo(filePath).fileName());
    return true;
}

DialogAnswerer::DialogAnswerer(EventLog& log) : log_(log) {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::Answer);
    timer_.start();
}

void DialogAnswerer::QueuePopupAnswer(const QString& caption) {
    popupAnswers_.push_back(caption);
}

void DialogAnswerer::SetPopupPolicy(PopupPolicy policy) {
    policy_ = std::move(policy);
}

void DialogAnswerer::Answer() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        log_.append(QStringLiteral("popup ") + menu->objectName());
        QString caption;
        if (!popupAnswers_.empty()) {
            caption = popupAnswers_.front();
            popupAnswers_.pop_front();
        } else if (policy_) {
            caption = policy_(*menu);
        }
        for (QAction* action : menu->actions()) {
            if (!caption.isEmpty() && action->text() == caption) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        // A box that is not plain (title "Quorrin", no icon, OK only) is logged as odd, so
        // that a test comparing the log fails.
        const bool plain = box->windowTitle() == QStringLiteral("Quorrin") &&
                           box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1 &&
                           box->isModal();
        log_.append((plain ? QStringLiteral("message ") : QStringLiteral("odd message ")) +
                    box->text());
        box->button(QMessageBox::Ok)->click();
    }
}

} // namespace quorrin::test
