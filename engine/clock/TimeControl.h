// Time controls: how much time each side has, how it grows, and their text form, the PGN
// TimeControl tag's syntax ("-", "300", "180+2", "40/5400+30:1800+30") with two extensions
// for delays, "300d5" (simple delay) and "300b5" (Bronstein delay).
#pragma once

#include "engine/ReadError.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

using Millis = std::chrono::milliseconds;

// What a side gets with each move of a stage.
enum class TimeBonus : int {
    None,
    Increment,   // BonusTime added after each move, the first included
    SimpleDelay, // the clock waits BonusTime before it counts down, each move
    Bronstein,   // the time used in a move, up to BonusTime, is given back after it
};

struct TimeStage {
    int Moves = 0; // moves to make in the stage; 0: the rest of the game
    Millis Base{}; // added when the stage begins
    TimeBonus Bonus = TimeBonus::None;
    Millis BonusTime{};

    friend bool operator==(const TimeStage&, const TimeStage&) = default;
};

// One side's control: up to three stages, played in order; a last stage with a move count
// begins again when its moves are made (40/7200 is 40 moves in two hours, again and again).
// No stage: untimed.
struct SideTimeControl {
    std::vector<TimeStage> Stages;

    bool Timed() const { return !Stages.empty(); }
    friend bool operator==(const SideTimeControl&, const SideTimeControl&) = default;
};

// Both sides' controls: equal, except in a handicap game.
struct TimeControl {
    SideTimeControl White;
    SideTimeControl Black;

    bool Timed() const { return White.Timed() || Black.Timed(); }
    bool Handicap() const { return White != Black; }
    const SideTimeControl& Of(bool white) const { return white ? White : Black; }
    friend bool operator==(const TimeControl&, const TimeControl&) = default;
};

inline constexpr int MaxTimeStages = 3;

// Reads one side's control. "-" is untimed. Each stage is [moves/]seconds[+increment |
// dseconds | bseconds], stages joined by ':'; every stage but the last has a move count.
// Seconds are whole numbers: the base 1 s to 24 hours, the bonus 0 to 3600 s ("+0" too), a
// move count 1 to 1000. "?" (unknown) is refused. Errors carry the code TimeControl* and the
// column (1-based) of the fault.
ReadResult<SideTimeControl> ReadTimeControl(std::string_view text);
// The same control as text; "-" when untimed. ReadTimeControl(TimeControlText(c)) == c.
std::string TimeControlText(const SideTimeControl& control);

// A clock reading as the [%clk] comment of PGN writes it: "0:04:57", with tenths when they
// are not zero ("0:00:09.3"); rounded down, never negative.
std::string ClockCommentTime(Millis remaining);
// Finds "[%clk h:mm:ss[.fff]]" in a move's comment: the time it gives, and the comment
// without it (spaces around it trimmed); nullopt when the comment holds none or a bad one.
struct ClockComment {
    Millis Remaining{};
    std::string Rest;
};
std::optional<ClockComment> ReadClockComment(std::string_view comment);

// A clock face's text: "4:57", "59:59", "1:30:00" (hours when there are any), and under ten
// seconds "0:09.3"; rounded down, never negative.
std::string ClockFaceText(Millis remaining);

} // namespace quorrin
