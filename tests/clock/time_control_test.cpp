// Time controls read and written, clock readings as a face and a [%clk] comment show them, and
// whether a side could still checkmate (a fallen flag loses only then).
#include "engine/ChessEngine.h"
#include "engine/Fen.h"
#include "engine/clock/TimeControl.h"
#include "tools/support/ReadErrorText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorrin {
namespace {

using std::chrono::seconds;

TEST(TimeControl, EveryFormIsReadAndWrittenBackAsItWas) {
    for (const char* text : {"-", "300", "180+2", "300+0", "300d5", "300b5", "86400", "1+3600",
                             "40/5400+30:1800+30", "40/7200", "1000/1:20/3600d10:900b30"}) {
        const ReadResult<SideTimeControl> read = ReadTimeControl(text);
        ASSERT_TRUE(read) << text << ": " << support::DescribeError(read.Error());
        EXPECT_EQ(TimeControlText(*read), text);
    }
    const SideTimeControl classical = *ReadTimeControl("40/5400+30:1800+30");
    const std::vector<TimeStage> stages{{40, seconds(5400), TimeBonus::Increment, seconds(30)},
                                        {0, seconds(1800), TimeBonus::Increment, seconds(30)}};
    EXPECT_EQ(classical.Stages, stages);
    EXPECT_FALSE(ReadTimeControl("-")->Timed());
}

TEST(TimeControl, AFaultIsToldWithItsCodeAndColumn) {
    using enum ReadErrorCode;
    // The text, the code, the column, and the Text (or the Count of stages) of the error.
    const std::tuple<const char*, ReadErrorCode, int, std::string> rows[] = {
        {"?", TimeControlUnknown, 1, "?"},
        {"", TimeControlSyntax, 1, ""},
        {"5m", TimeControlSyntax, 2, "m"},
        {"300+", TimeControlSyntax, 5, ""},
        {"300 ", TimeControlSyntax, 4, " "},
        {"40/", TimeControlSyntax, 4, ""},
        {"40/60:+5", TimeControlSyntax, 7, "+"},
        {"0", TimeControlRange, 1, "0"},
        {"86401", TimeControlRange, 1, "86401"},
        {"99999999999999", TimeControlRange, 1, "99999999999999"},
        {"1001/60", TimeControlRange, 1, "1001"},
        {"40/0", TimeControlRange, 4, "0"},
        {"60b3601", TimeControlRange, 4, "3601"},
        {"40/60:30:20/10", TimeControlOpenStage, 7, ""},
        {"1/1:1/1:1/1:1", TimeControlStages, 13, "4"},
    };
    for (const auto& [text, code, column, detail] : rows) {
        const ReadResult<SideTimeControl> read = ReadTimeControl(text);
        ASSERT_FALSE(read) << text;
        const ReadError& e = read.Error();
        EXPECT_EQ(e.Code, code) << text << ": " << support::DescribeError(e);
        EXPECT_EQ(e.Column, column) << text;
        EXPECT_EQ(code == TimeControlStages ? std::to_string(e.Count) : e.Text, detail) << text;
    }
    EXPECT_EQ(support::DescribeError(ReadTimeControl("0/60").Error()),
              "a stage's move count must be 1 to 1000, not 0 (column 1)");
}

TEST(ClockText, FaceAndCommentRoundDownAndTheCommentReadsBack) {
    const std::tuple<long, const char*, const char*> rows[] = {
        // ms, face, comment
        {-5, "0:00.0", "0:00:00"},       {0, "0:00.0", "0:00:00"},
        {9349, "0:09.3", "0:00:09.3"},   {9999, "0:09.9", "0:00:09.9"},
        {10000, "0:10", "0:00:10"},      {297999, "4:57", "0:04:57.9"},
        {3599999, "59:59", "0:59:59.9"}, {3600000, "1:00:00", "1:00:00"},
        {5400050, "1:30:00", "1:30:00"}, {36001000, "10:00:01", "10:00:01"},
    };
    for (const auto& [ms, face, comment] : rows) {
        EXPECT_EQ(ClockFaceText(Millis(ms)), face) << ms;
        EXPECT_EQ(ClockCommentTime(Millis(ms)), comment) << ms;
        const auto read = ReadClockComment(std::string("[%clk ") + comment + "]");
        ASSERT_TRUE(read) << comment;
        EXPECT_EQ(read->Remaining.count(), std::max(0L, ms / 100 * 100)) << comment;
    }
}

TEST(ClockText, AClockCommentIsFoundAnywhereAndTakenOut) {
    // The comment, the time found (-1: none) and the rest.
    const std::tuple<const char*, long, std::string> rows[] = {
        {"[%clk 0:04:57]", 297000, ""},
        {"  good move [%clk 0:04:57.3]  ! ", 297300, "good move !"},
        {"[%clk 1:30:00.25] [%eval 0.3]", 5400250, "[%eval 0.3]"},
        {"x[%clk  0:00:09.125 ]", 9125, "x"},
        {"[%clk 0:4:57]", -1, ""},
        {"[%clk 0:04:60]", -1, ""},
        {"[%clk 0:04:57.1234]", -1, ""},
        {"[%clk 0:04:57", -1, ""},
        {"[%emt 0:00:05] no clock", -1, ""},
    };
    for (const auto& [comment, ms, rest] : rows) {
        const auto read = ReadClockComment(comment);
        EXPECT_EQ(read ? read->Remaining.count() : -1, ms) << comment;
        EXPECT_EQ(read ? read->Rest : "", rest) << comment;
    }
}

TEST(CouldCheckmate, OnlyWhereNoSeriesOfMovesMates) {
    const std::tuple<const char*, bool, bool> rows[] = {
        // FEN, White could, Black could
        {"4k3/8/8/8/8/8/8/4K3 w - -", false, false},
        {"4k3/8/8/8/8/8/8/3NK3 w - -", false, false},
        {"4k3/8/8/8/8/8/8/3BK3 b - -", false, false},
        {"4k3/8/8/8/8/8/8/2NNK3 w - -", true, false},   // no forced mate, but a helpmate
        {"4k3/4p3/8/8/8/8/8/3NK3 w - -", true, true},   // the pawn can block its king in
        {"4k3/8/8/8/8/8/8/R3K3 b - -", true, false},    //
        {"3bk3/8/8/8/8/8/8/2B1K3 w - -", false, false}, // bishops on dark squares only
        {"2b1k3/8/8/8/8/8/8/2B1K3 w - -", true, true},  // bishops on both colours
        {"4k3/8/8/8/8/8/8/1BB1K3 w - -", true, false},
    };
    for (const auto& [fen, white, black] : rows) {
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*ReadFen(fen))) << fen;
        EXPECT_EQ(engine.CouldCheckmate(true), white) << fen;
        EXPECT_EQ(engine.CouldCheckmate(false), black) << fen;
    }
}

} // namespace
} // namespace quorrin
