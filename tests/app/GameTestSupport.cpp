#include "GameTestSupport.h"

#include "board/brdChessboard.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

namespace quorrin::test {

namespace {

QtMessageHandler previousHandler = nullptr;

void FilterPlatformWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (type != QtWarningMsg || !message.startsWith(QStringLiteral("This plugin does not"))) {
        previousHandler(type, context, message);
    }
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
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::Answer);
    timer_.start(2);
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
    } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        const bool plain = box->windowTitle() == QStringLiteral("Quorrin") &&
                           box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1;
        log_.append((plain ? QStringLiteral("message ") : QStringLiteral("odd message ")) +
                    box->text());
        box->button(QMessageBox::Ok)->click();
    }
}

QPoint SquareCentreInWindow(const brdChessboard& board, int square) {
    const auto* widget = board.findChild<QWidget*>(QStringLiteral("picSquare%1").arg(square));
    return widget->mapTo(board.window(), widget->rect().center());
}

} // namespace quorrin::test
