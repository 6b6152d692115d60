// The chess clock: two times, one of them running, switched by the moves. It reads time only
// from its TimeSource (a monotonic clock, or a hand-driven one in tests) and keeps no timer:
// the host asks when the shown text next changes and when a flag falls, and calls in then.
#pragma once

#include "TimeControl.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace quorrin {

// A monotonic time in milliseconds from any fixed origin.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual Millis Now() const = 0;
};

// std::chrono::steady_clock.
class SteadyTimeSource final : public TimeSource {
public:
    Millis Now() const override;
};

class ChessClock {
public:
    // Untimed until Reset with a timed control. time must outlive the clock.
    explicit ChessClock(const TimeSource& time);

    // A new game under control with whiteToMove to move first: each side's first stage base,
    // no time running until the first move (made by either side), not paused, no flag. Holds
    // stay as they are (they belong to the host's windows, not to the game).
    void Reset(const TimeControl& control, bool whiteToMove = true);
    const TimeControl& Control() const { return control_; }
    bool Timed() const { return control_.Timed(); }

    // The time a side has left now; a running clock counts down from its last switch, and a
    // simple delay holds it until the delay is used up. Never negative; 0 for an untimed side.
    Millis Remaining(bool white) const;
    // The side whose time is counting now (not before the first move, while paused or held,
    // after a flag, or for an untimed side); nullopt when none.
    std::optional<bool> Running() const;
    // The side to move as the clock sees it: the side whose clock runs or would run.
    bool WhiteToMove() const { return whiteToMove_; }
    int MovesMade(bool white) const;

    // A move by the side to move was accepted now: the mover's time stops, its delay or
    // Bronstein refund, its increment and a new stage's base are added, and the other
    // side's time starts (unless paused or held, when it starts on Resume/Release; a pause
    // left by TakeBack or Restore is lifted by the move). A move at the very instant the
    // flag falls stands; after it, the flag has fallen: false, and nothing but the flag
    // changes. The first move of the game costs nothing.
    bool MoveMade();
    // Back to the times before the last move, which the clock forgets; the clock is then
    // paused (Resume, or the next move, goes on). Also lifts a fallen flag. Does nothing
    // when no move was made.
    void TakeBack();

    // A player's pause: both times stop until Resume. A simple delay interrupted by a pause
    // or a hold goes on afterwards with what was left of it (only time counted is spent).
    void Pause();
    void Resume();
    bool Paused() const { return paused_; }
    // While the host shows something nobody should be timed for (a message box): nested
    // holds, the time stops until the last Release.
    void Hold();
    void Release();

    // The side whose flag has fallen: its time ran out while running (now past the instant
    // its time reached zero). Once fallen, it stays fallen (the clock stops) until TakeBack
    // or Reset.
    std::optional<bool> Flag();
    // When the running side's flag falls (the first millisecond past zero); nullopt when no
    // time runs.
    std::optional<Millis> FlagInstant() const;
    // When the running side's face text next changes (ClockFaceText of its time): a second
    // boundary, a tenth under ten seconds, the end of a simple delay; nullopt when no time runs.
    std::optional<Millis> NextTextChange() const;

    // The times left after each move of the game, oldest first (what [%clk] records).
    const std::vector<Millis>& RemainingAfterMoves() const { return afterMoves_; }

    // Takes up a recorded game under control: the times left after each of its moves, oldest
    // first, as its [%clk] comments gave them (nullopt where a move had none: that side's
    // previous time, or its first stage's base, is carried on), with the first move made by
    // firstMoverIsWhite. The clock stands paused with the side after the last move to move,
    // each side's stage following from the moves it made.
    void Restore(const TimeControl& control, const std::vector<std::optional<Millis>>& afterMoves,
                 bool firstMoverIsWhite);

private:
    // A side's time at the start of its current (or next) move, and where it stands in its
    // stages.
    struct Side {
        Millis Remaining{};
        int Moves = 0;
        int Stage = 0;
        int StageMoves = 0; // moves made in the current round of its stage
    };
    // What TakeBack returns to: the sides and the time used in the move as it was made.
    struct Snapshot {
        std::array<Side, 2> Sides;
        Millis Used{};
        bool Started = false;
    };

    Side& Of(bool white) { return sides_[white ? 0 : 1]; }
    const Side& Of(bool white) const { return sides_[white ? 0 : 1]; }
    // The stage the side to move plays its move in; null when untimed.
    const TimeStage* MoveStage() const;
    // Whether the side to move's time is counting now.
    bool Counting() const;
    // The time the side to move may use in its move before its time reaches zero: its
    // remaining time, and a simple delay.
    Millis Allowed() const;
    // The side to move's time left after using used in its move (of a timed side).
    Millis Left(Millis used) const;
    // Counts the time since the last call into used_, latching the flag when it passes Allowed.
    void Sync();

    const TimeSource& time_;
    TimeControl control_;
    bool whiteToMove_ = true;
    bool paused_ = false;
    bool resumeOnMove_ = false; // the pause is TakeBack's or Restore's: the next move lifts it
    bool started_ = false;      // the first move was made
    int holds_ = 0;
    std::optional<bool> flag_;
    std::array<Side, 2> sides_{};
    Millis used_{};  // counted time of the side to move in its current move
    Millis since_{}; // the instant used_ was last brought up to date
    std::vector<Snapshot> history_;
    std::vector<Millis> afterMoves_;
};

} // namespace quorrin
