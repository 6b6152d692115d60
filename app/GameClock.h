// The game window's chess clock: the clock itself, its two faces and the one timer that wakes
// the window when a face's text changes or a flag falls. The timer only wakes it: the times
// are read from the time source each time, so a late or irregular timer costs no accuracy.
#pragma once

#include "engine/clock/ChessClock.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace quorrin {

class ClockFace;

class GameClock final : public QObject {
    Q_OBJECT

public:
    // time must outlive the clock; the faces belong to their parent widget.
    GameClock(const TimeSource& time, ClockFace* white, ClockFace* black,
              QObject* parent = nullptr);

    ChessClock& Clock() { return clock_; }
    const ChessClock& Clock() const { return clock_; }

    // Shows the clock's times and marks, and sets the timer for the next change. Called after
    // anything that changes the clock; the timer calls it too.
    void Refresh();
    // While an earlier position of the game is shown: the faces show the times of the position
    // after plies moves, and nothing else (the host holds the clock meanwhile); nullopt shows
    // the clock again.
    void ShowTimesAt(std::optional<std::size_t> plies, bool firstMoverIsWhite);

signals:
    // side's flag fell (reported once; the clock stops).
    void FlagFell(bool white);

private:
    const TimeSource& time_;
    ChessClock clock_;
    ClockFace* white_;
    ClockFace* black_;
    QTimer timer_;
    bool flagReported_ = false;
    std::optional<std::size_t> shownPlies_;
    bool firstMoverIsWhite_ = true;
};

} // namespace quorrin
