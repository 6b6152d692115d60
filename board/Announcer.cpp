#include "board/Announcer.h"

#include "board/SquareGrid.h"
#include "board/SquareSurface.h"

#include <QAccessible>
#include <QTimer>
#include <QWidget>

namespace quorrin {

Announcer::Announcer(QWidget& board, const SquareGrid& grid,
                     std::function<QString(SquareIndex)> nameOf)
    : board_(board), grid_(grid), nameOf_(std::move(nameOf)) {}

void Announcer::Announce(const QString& text) {
    announcement_ = text;
    announcementUntold_ = true;
    RefreshSpokenNames();
}

void Announcer::RefreshSpokenNames() {
    // Told once the event being handled is done: a game replayed in one go is told once.
    if (!QAccessible::isActive() || tellPending_) {
        return;
    }
    tellPending_ = true;
    QTimer::singleShot(0, &board_, [this] { TellChanges(); });
}

void Announcer::TellChanges() {
    tellPending_ = false;
    if (!QAccessible::isActive()) {
        return;
    }
    for (SquareIndex k = 1; k <= 64; ++k) {
        QString name = nameOf_(k);
        if (name != spokenNames_[k]) {
            spokenNames_[k] = std::move(name);
            QAccessibleEvent event(grid_.Surface(k), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (announcementUntold_) {
        announcementUntold_ = false;
        QAccessibleEvent event(&board_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Announcer::TellFocus(SquareIndex square) const {
    if (board_.hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(grid_.Surface(square), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace quorrin
