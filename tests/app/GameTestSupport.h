// Driving the game window in tests: a sound player that records its requests and a timer that
// answers message boxes and pop-up menus, both writing one log so that the order of messages
// and sounds can be checked; and the board's squares as a player's mouse finds them.
#pragma once

#include "SoundPlayer.h"

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QMenu;

namespace quorrin {
class brdChessboard;
}

namespace quorrin::test {

// Entries: "sound click.wav", "message Stalemate", "popup mnuWhitePawnPromotion". A box that is
// not plain (title "Quorrin", no icon, only OK, modal) is logged as "odd message ...".
using EventLog = QStringList;

class RecordingSoundPlayer final : public SoundPlayer {
public:
    explicit RecordingSoundPlayer(EventLog& log) : log_(log) {}
    bool Play(const QString& filePath) override;
    QStringList Paths;

private:
    EventLog& log_;
};

class DialogAnswerer final : public QObject {
    Q_OBJECT

public:
    explicit DialogAnswerer(EventLog& log);
    // Pop-ups take queued answers first (a caption to choose, "" to dismiss), then ask the
    // policy; without either they are dismissed.
    void QueuePopupAnswer(const QString& caption) { popupAnswers_.push_back(caption); }
    void SetPopupPolicy(std::function<QString(QMenu&)> policy) { policy_ = std::move(policy); }

private:
    void Answer();

    EventLog& log_;
    QTimer timer_;
    std::deque<QString> popupAnswers_;
    std::function<QString(QMenu&)> policy_;
};

// Drops the offscreen platform's notes about grabbing, raising and size hints.
void IgnoreOffscreenPlatformWarnings();

// The centre of square 1..64 in the coordinates of the board's window.
QPoint SquareCentreInWindow(const brdChessboard& board, int square);

} // namespace quorrin::test
