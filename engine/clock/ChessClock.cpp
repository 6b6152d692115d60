#include "ChessClock.h"

#include <algorithm>

namespace quorrin {

Millis SteadyTimeSource::Now() const {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

ChessClock::ChessClock(const TimeSource& time) : time_(time) {
    Reset(TimeControl{});
}

void ChessClock::Reset(const TimeControl& control, bool whiteToMove) {
    control_ = control;
    whiteToMove_ = whiteToMove;
    paused_ = false;
    resumeOnMove_ = false;
    started_ = false;
    flag_.reset();
    for (const bool white : {true, false}) {
        const SideTimeControl& side = control_.Of(white);
        Of(white) = Side{.Remaining = side.Timed() ? side.Stages.front().Base : Millis{}};
    }
    used_ = Millis{};
    since_ = time_.Now();
    history_.clear();
    afterMoves_.clear();
}

const TimeStage* ChessClock::MoveStage() const {
    const SideTimeControl& side = control_.Of(whiteToMove_);
    return side.Timed() ? &side.Stages[static_cast<std::size_t>(Of(whiteToMove_).Stage)] : nullptr;
}

bool ChessClock::Counting() const {
    return started_ && !paused_ && holds_ == 0 && !flag_ && MoveStage() != nullptr;
}

Millis ChessClock::Allowed() const {
    const TimeStage* stage = MoveStage();
    const Millis delay = stage->Bonus == TimeBonus::SimpleDelay ? stage->BonusTime : Millis{};
    return Of(whiteToMove_).Remaining + delay;
}

void ChessClock::Sync() {
    const Millis now = time_.Now();
    if (Counting()) {
        used_ += now - since_;
        if (used_ > Allowed()) {
            // The time ran out at the instant used_ reached Allowed; nothing since counts.
            used_ = Allowed();
            flag_ = whiteToMove_;
        }
    }
    since_ = now;
}

Millis ChessClock::Left(Millis used) const {
    const TimeStage* stage = MoveStage();
    if (stage->Bonus == TimeBonus::SimpleDelay) {
        used = std::max(Millis{}, used - stage->BonusTime);
    }
    return std::max(Millis{}, Of(whiteToMove_).Remaining - used);
}

Millis ChessClock::Remaining(bool white) const {
    if (white != whiteToMove_ || MoveStage() == nullptr) {
        return Of(white).Remaining;
    }
    return Left(used_ + (Counting() ? time_.Now() - since_ : Millis{}));
}

std::optional<bool> ChessClock::Running() const {
    return Counting() ? std::optional<bool>(whiteToMove_) : std::nullopt;
}

int ChessClock::MovesMade(bool white) const {
    return Of(white).Moves;
}

bool ChessClock::MoveMade() {
    if (flag_) {
        return false;
    }
    Sync();
    if (flag_) {
        return false;
    }
    history_.push_back(Snapshot{sides_, used_, started_});
    const TimeStage* stage = MoveStage();
    Side& mover = Of(whiteToMove_);
    if (stage != nullptr) {
        // used_ is zero for the first move: no time ran before it.
        mover.Remaining = Left(used_);
        if (stage->Bonus == TimeBonus::Increment) {
            mover.Remaining += stage->BonusTime;
        } else if (stage->Bonus == TimeBonus::Bronstein) {
            mover.Remaining += std::min(used_, stage->BonusTime);
        }
        const std::vector<TimeStage>& stages = control_.Of(whiteToMove_).Stages;
        if (stage->Moves > 0 && ++mover.StageMoves == stage->Moves) {
            // The next stage begins, or the last one again.
            mover.Stage = std::min(mover.Stage + 1, static_cast<int>(stages.size()) - 1);
            mover.StageMoves = 0;
            mover.Remaining += stages[static_cast<std::size_t>(mover.Stage)].Base;
        }
    }
    ++mover.Moves;
    afterMoves_.push_back(mover.Remaining);
    whiteToMove_ = !whiteToMove_;
    used_ = Millis{};
    started_ = true;
    if (resumeOnMove_) {
        paused_ = resumeOnMove_ = false;
    }
    return true;
}

void ChessClock::TakeBack() {
    if (history_.empty()) {
        return;
    }
    const Snapshot& before = history_.back();
    sides_ = before.Sides;
    used_ = before.Used;
    started_ = before.Started;
    history_.pop_back();
    afterMoves_.pop_back();
    whiteToMove_ = !whiteToMove_;
    flag_.reset();
    paused_ = resumeOnMove_ = true;
    since_ = time_.Now();
}

void ChessClock::Pause() {
    Sync();
    paused_ = true;
    resumeOnMove_ = false;
}

void ChessClock::Resume() {
    Sync();
    paused_ = resumeOnMove_ = false;
}

void ChessClock::Hold() {
    Sync();
    ++holds_;
}

void ChessClock::Release() {
    Sync();
    holds_ = std::max(0, holds_ - 1);
}

std::optional<bool> ChessClock::Flag() {
    if (!flag_) {
        Sync();
    }
    return flag_;
}

std::optional<Millis> ChessClock::FlagInstant() const {
    if (!Counting()) {
        return std::nullopt;
    }
    return since_ + Allowed() - used_ + Millis(1);
}

std::optional<Millis> ChessClock::NextTextChange() const {
    if (!Counting()) {
        return std::nullopt;
    }
    const TimeStage* stage = MoveStage();
    const Millis used = used_ + (time_.Now() - since_);
    if (stage->Bonus == TimeBonus::SimpleDelay && used < stage->BonusTime) {
        return since_ + stage->BonusTime - used_;
    }
    // The face shows whole seconds, tenths under ten seconds: it changes when the time drops
    // below the shown unit, and at the latest when the flag falls (a target of -1 ms).
    const auto remaining = Left(used).count();
    const auto unit = remaining >= 10'000 ? 1000 : 100;
    const Millis target(remaining / unit * unit - 1);
    return since_ + Allowed() - used_ - target;
}

void ChessClock::Restore(const TimeControl& control,
                         const std::vector<std::optional<Millis>>& afterMoves,
                         bool firstMoverIsWhite) {
    Reset(control, firstMoverIsWhite);
    paused_ = true; // nothing runs while the moves are counted
    for (const std::optional<Millis>& recorded : afterMoves) {
        const Millis previous = Of(whiteToMove_).Remaining;
        MoveMade(); // nothing runs: each move costs nothing and counts its stage
        Of(!whiteToMove_).Remaining = recorded.value_or(previous);
        afterMoves_.back() = Of(!whiteToMove_).Remaining;
    }
    paused_ = resumeOnMove_ = true;
}

} // namespace quorrin
