// What a screen reader last heard from the board: the latest announcement of what happened in
// the game, which is the board's accessible description, and each square's spoken name. What
// changed since is told once the event being handled is done, so that a game replayed in one go
// is told once.
#pragma once

#include "engine/Records.h"

#include <QString>

#include <array>
#include <functional>

class QWidget;

namespace quorrin {

class SquareGrid;

class Announcer {
public:
    // Tells about board and the squares of grid; nameOf gives a square's spoken name as it is
    // now.
    Announcer(QWidget& board, const SquareGrid& grid, std::function<QString(SquareIndex)> nameOf);
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    const QString& Announcement() const { return announcement_; }
    // The name a screen reader would read now for square, taken as heard.
    void Heard(SquareIndex square, QString name) { spokenNames_[square] = std::move(name); }
    // A new announcement, told with the squares whose names changed.
    void Announce(const QString& text);
    // The squares whose spoken names changed since they were last told are told.
    void RefreshSpokenNames();
    // The square becomes the accessible focus, if the board has the focus.
    void TellFocus(SquareIndex square) const;

private:
    void TellChanges();

    QWidget& board_;
    const SquareGrid& grid_;
    std::function<QString(SquareIndex)> nameOf_;
    QString announcement_;
    std::array<QString, 65> spokenNames_; // 1..64
    bool announcementUntold_ = false;
    bool tellPending_ = false;
};

} // namespace quorrin
