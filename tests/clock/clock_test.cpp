// The chess clock driven by a hand-set time source: what each mode adds and takes, flags on
// the last millisecond, pauses and holds, taking moves back, restoring a recorded game, and an
// hour of irregular calls against a count kept here.
#include "engine/clock/ChessClock.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace quorrin {
namespace {

struct FakeTime final : TimeSource {
    Millis now{123'456};
    Millis Now() const override { return now; }
};

// Both sides' control from "control" or, in a handicap, "white|black".
TimeControl Control(const std::string& text) {
    const std::size_t bar = text.find('|');
    const auto white = ReadTimeControl(text.substr(0, bar));
    const auto black = ReadTimeControl(bar == std::string::npos ? text : text.substr(bar + 1));
    EXPECT_TRUE(white && black) << text;
    return {white.Ok() ? *white : SideTimeControl{}, black.Ok() ? *black : SideTimeControl{}};
}

struct Game {
    FakeTime time;
    ChessClock clock{time};

    explicit Game(const std::string& control, bool whiteFirst = true) {
        clock.Reset(Control(control), whiteFirst);
    }
    // Steps: "ms" passes ms then a move is made, "ms*k" does so k times. The result of the
    // last move made; the first refused ends the steps.
    bool Play(const std::string& steps) {
        std::istringstream in(steps);
        bool made = true;
        for (long ms = 0, times = 1; made && in >> ms; times = 1) {
            if (in.peek() == '*') {
                in.ignore() >> times;
            }
            for (; made && times > 0; --times) {
                time.now += Millis(ms);
                made = clock.MoveMade();
            }
        }
        return made;
    }
    long Left(bool white) const { return static_cast<long>(clock.Remaining(white).count()); }
};

TEST(ChessClock, EachModeAddsAndTakesWhatItShould) {
    struct Row {
        const char* control;
        const char* steps; // the first move's wait costs nothing
        long white, black;
        bool stands = true; // the last move stands; else Black's flag has fallen
        bool whiteFirst = true;
    } const rows[] = {
        {"180+2", "5000 3000 4000", 180000, 179000},
        {"180+2", "5000 3000", 179000, 182000, true, false},   // Black moves first
        {"300d5", "0 5000 7500", 297500, 300000},              // delay used up exactly, and more
        {"300b5", "0 3000 8000", 297000, 300000},              // the refund is capped
        {"40/5400+30:1800+30", "0 1000*78", 8361000, 6531000}, // White's 40th move: +1800 s
        {"40/5400+30:1800+30", "0 1000*79", 8361000, 8360000},
        {"2/60", "0 1000*7", 177000, 176000},      // the last stage begins again
        {"2/60+1:30+5", "0 1000*5", 95000, 94000}, // each stage's own increment
        {"300|60+1", "0 1000*3", 299000, 60000},   // handicap
        {"-|60", "0 1000*3", 0, 58000},            // White untimed
        {"60", "0 60000", 60000, 0},               // a move on the last millisecond stands
        {"60+2", "0 60000", 62000, 2000},
        {"60d5", "0 65000", 60000, 0},
        {"60b5", "0 60000", 60000, 5000},
        {"60", "0 60001", 60000, 0, false}, // a millisecond later the flag has fallen
        {"60d5", "0 65001", 60000, 0, false},
    };
    for (const Row& row : rows) {
        Game game(row.control, row.whiteFirst);
        const std::string what = std::string(row.control) + " " + row.steps;
        EXPECT_EQ(game.Play(row.steps), row.stands) << what;
        EXPECT_EQ(game.Left(true), row.white) << what;
        EXPECT_EQ(game.Left(false), row.black) << what;
        EXPECT_EQ(game.clock.Flag(), row.stands ? std::nullopt : std::optional(false)) << what;
    }
}

// Walking millisecond by millisecond: the face text changes exactly when NextTextChange said
// (or at a delay's end, where the host is only asked to look again), the flag falls at
// FlagInstant and not a millisecond sooner.
TEST(ChessClock, TheFaceChangesAndTheFlagFallsWhenAnnounced) {
    for (const char* control : {"12", "12d2"}) {
        Game game(control);
        ASSERT_TRUE(game.Play("0"));
        const Millis flag = *game.clock.FlagInstant();
        EXPECT_EQ(flag, game.time.now + Millis(control[2] == 'd' ? 14001 : 12001));
        Millis next = *game.clock.NextTextChange();
        std::string face = ClockFaceText(game.clock.Remaining(false));
        int changes = 0;
        for (; game.time.now < flag; game.time.now += Millis(1)) {
            const std::string now = ClockFaceText(game.clock.Remaining(false));
            ASSERT_TRUE(now == face || game.time.now == next) << control << " " << now;
            changes += now != face;
            face = now;
            if (game.time.now == next) {
                next = *game.clock.NextTextChange();
                ASSERT_GT(next, game.time.now);
                ASSERT_LE(next, flag);
            }
            ASSERT_EQ(game.clock.Flag(), std::nullopt) << control;
        }
        EXPECT_EQ(changes, 2 + 100) << control; // "0:11", "0:10", then every tenth
        EXPECT_EQ(next, flag);
        EXPECT_EQ(game.clock.Flag(), std::optional(false));
        EXPECT_EQ(game.clock.Running(), std::nullopt);
    }
}

TEST(ChessClock, StoppedTimeCostsNobodyAndADelayGoesOnWithWhatWasLeft) {
    Game game("300d5");
    EXPECT_EQ(game.clock.Running(), std::nullopt); // nothing runs before the first move
    game.time.now += Millis(9000);
    ASSERT_TRUE(game.Play("0 2000"));
    EXPECT_EQ(game.clock.Running(), std::optional(true));
    game.time.now += Millis(2000);
    game.clock.Pause();
    game.time.now += Millis(60000);
    game.clock.Resume();
    game.clock.Hold();
    game.clock.Hold();
    game.time.now += Millis(1000);
    game.clock.Release();
    EXPECT_EQ(game.clock.NextTextChange(), std::nullopt); // one hold is still on
    game.time.now += Millis(1000);
    game.clock.Release();
    EXPECT_EQ(game.clock.NextTextChange(), game.time.now + Millis(3000)); // the delay's end
    game.time.now += Millis(3000);
    EXPECT_EQ(game.Left(true), 300000);
    game.time.now += Millis(1);
    EXPECT_EQ(game.Left(true), 299999);
    EXPECT_EQ(game.Left(false), 300000);
}

TEST(ChessClock, TakeBackReturnsTimesAndStageAndLiftsTheFlag) {
    Game game("2/60:30");
    ASSERT_TRUE(game.Play("0 1000 2000")); // White's second move completes its stage
    EXPECT_EQ(game.Left(true), 88000);
    game.time.now += Millis(500);
    game.clock.TakeBack();
    EXPECT_EQ(game.Left(true), 58000); // as it stood when the move was made
    EXPECT_EQ(game.Left(false), 59000);
    EXPECT_TRUE(game.clock.Paused());
    EXPECT_EQ(game.clock.MovesMade(true), 1);
    EXPECT_EQ(game.clock.RemainingAfterMoves(),
              (std::vector<Millis>{Millis(60000), Millis(59000)}));
    ASSERT_TRUE(game.Play("7000")); // the paused move costs nothing and brings the base again
    EXPECT_FALSE(game.clock.Paused());
    EXPECT_EQ(game.Left(true), 88000);
    EXPECT_FALSE(game.Play("59001"));
    game.clock.TakeBack();
    EXPECT_EQ(game.clock.Flag(), std::nullopt);
    EXPECT_EQ(game.Left(true), 58000);
    for (int i = 0; i < 3; ++i) {
        game.clock.TakeBack(); // the last time, nothing is left to take back
    }
    EXPECT_EQ(game.clock.MovesMade(true), 0);
    EXPECT_EQ(game.Left(true), 60000);
    ASSERT_TRUE(game.Play("5000")); // the first move again: free, and nothing ran before it
    EXPECT_EQ(game.Left(true), 60000);
}

TEST(ChessClock, RestoreTakesUpARecordedGameWithItsStages) {
    Game game("-");
    game.clock.Restore(Control("2/60+1:30+5"),
                       {Millis(61000), Millis(58000), std::nullopt, Millis(50000), Millis(40000)},
                       true);
    EXPECT_TRUE(game.clock.Paused() && !game.clock.WhiteToMove());
    EXPECT_EQ(game.clock.RemainingAfterMoves(),
              (std::vector<Millis>{Millis(61000), Millis(58000), Millis(61000), Millis(50000),
                                   Millis(40000)}));
    ASSERT_TRUE(game.Play("3000 1000")); // Black's third move: the second stage's +5
    EXPECT_EQ(game.Left(false), 55000);
    EXPECT_EQ(game.Left(true), 44000);
    game.clock.TakeBack();
    game.clock.TakeBack();
    EXPECT_EQ(game.Left(false), 50000);
    EXPECT_EQ(game.clock.MovesMade(true), 3);
}

// An hour and more of play with calls at odd moments: the clock's times equal a count kept
// here of the time each side was running, to the millisecond.
TEST(ChessClock, AnHourOfIrregularCallsStaysExact) {
    Game game("5400+30");
    std::mt19937 random(7);
    const auto ms = [&](int most) {
        return Millis(std::uniform_int_distribution(0, most)(random));
    };
    Millis expected[2] = {Millis(5400000), Millis(5400000)};
    ASSERT_TRUE(game.Play("0"));
    expected[0] += Millis(30000);
    for (Millis played{}; played < Millis(3'700'000);) {
        const bool white = game.clock.WhiteToMove();
        for (int call = std::uniform_int_distribution(0, 6)(random); call > 0; --call) {
            const Millis step = ms(9000);
            game.time.now += step;
            played += step;
            expected[white ? 0 : 1] -= step;
            if (call % 3 == 0) { // stopped time, by a hold or a pause, costs nobody
                call % 2 ? game.clock.Hold() : game.clock.Pause();
                game.time.now += ms(90000);
                call % 2 ? game.clock.Release() : game.clock.Resume();
            }
            ASSERT_EQ(game.clock.Flag(), std::nullopt);
            ASSERT_EQ(game.clock.Remaining(white), expected[white ? 0 : 1]);
        }
        ASSERT_TRUE(game.clock.MoveMade());
        expected[white ? 0 : 1] += Millis(30000);
        ASSERT_EQ(game.clock.Remaining(white), expected[white ? 0 : 1]);
    }
}

} // namespace
} // namespace quorrin
