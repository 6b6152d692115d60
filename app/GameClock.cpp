#include "GameClock.h"

#include "ClockFace.h"

#include <algorithm>

namespace quorrin {

namespace {

// The warning starts below the smaller of 20 s and a tenth of the side's first base time, but
// never below 10 s.
Millis WarningBelow(const SideTimeControl& control) {
    const Millis base = control.Stages.empty() ? Millis(0) : control.Stages.front().Base;
    return std::max(Millis(10'000), std::min(Millis(20'000), base / 10));
}

} // namespace

GameClock::GameClock(const TimeSource& time, ClockFace* white, ClockFace* black, QObject* parent)
    : QObject(parent), time_(time), clock_(time), white_(white), black_(black) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &GameClock::Refresh);
}

void GameClock::ShowTimesAt(std::optional<std::size_t> plies, bool firstMoverIsWhite) {
    shownPlies_ = plies;
    firstMoverIsWhite_ = firstMoverIsWhite;
    Refresh();
}

void GameClock::Refresh() {
    if (shownPlies_) {
        // Each side's time after its last move before the position shown, else its first base.
        const std::vector<Millis>& after = clock_.RemainingAfterMoves();
        const std::size_t plies = std::min(*shownPlies_, after.size());
        const bool whiteToMove = (plies % 2 == 0) == firstMoverIsWhite_;
        for (const bool white : {true, false}) {
            const SideTimeControl& control = clock_.Control().Of(white);
            Millis left = control.Stages.empty() ? Millis(0) : control.Stages.front().Base;
            for (std::size_t ply = 0; ply < plies; ++ply) {
                left = ((ply % 2 == 0) == firstMoverIsWhite_) == white ? after[ply] : left;
            }
            (white ? white_ : black_)
                ->Show(QString::fromStdString(ClockFaceText(left)), whiteToMove == white,
                       left < WarningBelow(control));
        }
        timer_.stop();
        return;
    }
    const std::optional<bool> flag = clock_.Flag();
    for (const bool white : {true, false}) {
        const Millis left = clock_.Remaining(white);
        (white ? white_ : black_)
            ->Show(QString::fromStdString(ClockFaceText(left)),
                   !flag && clock_.WhiteToMove() == white,
                   left < WarningBelow(clock_.Control().Of(white)));
    }
    timer_.stop();
    if (flag) {
        if (!flagReported_) {
            flagReported_ = true;
            emit FlagFell(*flag);
        }
        return;
    }
    flagReported_ = false;
    if (const std::optional<Millis> next = clock_.NextTextChange()) {
        const std::optional<Millis> flagAt = clock_.FlagInstant();
        const Millis wake = flagAt ? std::min(*next, *flagAt) : *next;
        const auto wait = std::max<Millis::rep>(0, (wake - time_.Now()).count());
        timer_.start(static_cast<int>(std::min<Millis::rep>(wait, 24 * 3600 * 1000)));
    }
}

} // namespace quorrin
