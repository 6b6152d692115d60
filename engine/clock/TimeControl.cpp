#include "TimeControl.h"

#include <algorithm>
#include <cstdio>
#include <variant>

namespace quorrin {

namespace {

using Seconds = std::chrono::seconds;

ReadError Fault(ReadErrorCode code, std::size_t at, std::string text = {}, int number = 0,
                int count = 0) {
    return ReadError{.Code = code,
                     .Text = std::move(text),
                     .Number = number,
                     .Count = count,
                     .Column = static_cast<int>(at) + 1};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the whole number at `at` within lo..hi (what says which field, for the error).
std::variant<long, ReadError> Number(std::string_view text, std::size_t& at, long lo, long hi,
                                     int what) {
    const std::size_t start = at;
    if (at >= text.size() || !IsDigit(text[at])) {
        return Fault(ReadErrorCode::TimeControlSyntax, at,
                     at < text.size() ? std::string(1, text[at]) : std::string());
    }
    long value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        value = std::min(value * 10 + (text[at] - '0'), 1'000'000'000L);
    }
    if (value < lo || value > hi) {
        return Fault(ReadErrorCode::TimeControlRange, start,
                     std::string(text.substr(start, at - start)), what);
    }
    return value;
}

void Append(std::string& text, const char* format, long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, format, value);
    text += buffer;
}

} // namespace

ReadResult<SideTimeControl> ReadTimeControl(std::string_view text) {
    using enum ReadErrorCode;
    if (text == "-") {
        return SideTimeControl{};
    }
    if (text == "?") {
        return Fault(TimeControlUnknown, 0, "?");
    }
    // Too many stages is told before what is in them.
    const auto stages = static_cast<int>(std::count(text.begin(), text.end(), ':')) + 1;
    if (stages > MaxTimeStages) {
        std::size_t at = 0;
        for (int i = 0; i < MaxTimeStages; ++i) {
            at = text.find(':', at) + 1;
        }
        return Fault(TimeControlStages, at, {}, 0, stages);
    }
    SideTimeControl control;
    std::size_t at = 0;
    for (;;) {
        const std::size_t start = at;
        TimeStage stage;
        auto first = Number(text, at, 1, 86'400, 2);
        if (at < text.size() && text[at] == '/') {
            // The number read was a move count; its range is told as one.
            at = start;
            first = Number(text, at, 1, 1000, 1);
            if (const auto* error = std::get_if<ReadError>(&first)) {
                return *error;
            }
            stage.Moves = static_cast<int>(std::get<long>(first));
            first = Number(text, ++at, 1, 86'400, 2);
        }
        if (const auto* error = std::get_if<ReadError>(&first)) {
            return *error;
        }
        stage.Base = Seconds(std::get<long>(first));
        if (at < text.size() && (text[at] == '+' || text[at] == 'd' || text[at] == 'b')) {
            stage.Bonus = text[at] == '+'   ? TimeBonus::Increment
                          : text[at] == 'd' ? TimeBonus::SimpleDelay
                                            : TimeBonus::Bronstein;
            const auto bonus = Number(text, ++at, 0, 3600, 3);
            if (const auto* error = std::get_if<ReadError>(&bonus)) {
                return *error;
            }
            stage.BonusTime = Seconds(std::get<long>(bonus));
        }
        control.Stages.push_back(stage);
        if (at == text.size()) {
            return control;
        }
        if (text[at] != ':') {
            return Fault(TimeControlSyntax, at, std::string(1, text[at]));
        }
        if (stage.Moves == 0) {
            return Fault(TimeControlOpenStage, start);
        }
        ++at;
    }
}

std::string TimeControlText(const SideTimeControl& control) {
    if (!control.Timed()) {
        return "-";
    }
    std::string text;
    for (const TimeStage& stage : control.Stages) {
        if (!text.empty()) {
            text += ':';
        }
        if (stage.Moves > 0) {
            Append(text, "%ld/", stage.Moves + 0L);
        }
        Append(text, "%ld", static_cast<long>(stage.Base.count() / 1000));
        const long bonus = static_cast<long>(stage.BonusTime.count() / 1000);
        switch (stage.Bonus) {
        case TimeBonus::None:
            break;
        case TimeBonus::Increment:
            Append(text, "+%ld", bonus);
            break;
        case TimeBonus::SimpleDelay:
            Append(text, "d%ld", bonus);
            break;
        case TimeBonus::Bronstein:
            Append(text, "b%ld", bonus);
            break;
        }
    }
    return text;
}

std::string ClockCommentTime(Millis remaining) {
    const long ms = std::max<long>(0, static_cast<long>(remaining.count()));
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", ms / 3'600'000,
                                     ms / 60'000 % 60, ms / 1000 % 60);
    std::string text(buffer, static_cast<std::size_t>(length));
    if (ms / 100 % 10 != 0) {
        text += '.';
        text += static_cast<char>('0' + ms / 100 % 10);
    }
    return text;
}

std::optional<ClockComment> ReadClockComment(std::string_view comment) {
    constexpr std::string_view Tag = "[%clk";
    const std::size_t begin = comment.find(Tag);
    if (begin == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t at = begin + Tag.size();
    const auto skipBlanks = [&] {
        while (at < comment.size() && comment[at] == ' ') {
            ++at;
        }
    };
    // Reads from..to digits as a number; -1 when there are fewer.
    const auto digits = [&](std::size_t from, std::size_t to) {
        long value = 0;
        std::size_t n = 0;
        for (; n < to && at < comment.size() && IsDigit(comment[at]); ++n, ++at) {
            value = value * 10 + (comment[at] - '0');
        }
        return n >= from ? std::pair{value, n} : std::pair{-1L, n};
    };
    const auto expect = [&](char c) { return at < comment.size() && comment[at++] == c; };
    skipBlanks();
    const long hours = digits(1, 2).first;
    const long minutes = expect(':') ? digits(2, 2).first : -1;
    const long seconds = expect(':') ? digits(2, 2).first : -1;
    long millis = 0;
    if (at < comment.size() && comment[at] == '.') {
        ++at;
        const auto [fraction, n] = digits(1, 3);
        millis = fraction < 0 ? -1 : fraction * (n == 1 ? 100 : n == 2 ? 10 : 1);
    }
    skipBlanks();
    if (hours < 0 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 || millis < 0 ||
        !expect(']')) {
        return std::nullopt;
    }
    const auto trimmed = [](std::string_view text) {
        const std::size_t first = text.find_first_not_of(" \t\r\n");
        return first == std::string_view::npos
                   ? std::string_view()
                   : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    };
    const std::string_view before = trimmed(comment.substr(0, begin));
    const std::string_view after = trimmed(comment.substr(at));
    std::string rest(before);
    if (!before.empty() && !after.empty()) {
        rest += ' ';
    }
    rest += after;
    return ClockComment{Millis(((hours * 60 + minutes) * 60 + seconds) * 1000 + millis), rest};
}

std::string ClockFaceText(Millis remaining) {
    const long ms = std::max<long>(0, static_cast<long>(remaining.count()));
    char buffer[32];
    if (ms < 10'000) {
        std::snprintf(buffer, sizeof buffer, "0:%02ld.%ld", ms / 1000, ms / 100 % 10);
    } else if (ms < 3'600'000) {
        std::snprintf(buffer, sizeof buffer, "%ld:%02ld", ms / 60'000, ms / 1000 % 60);
    } else {
        std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", ms / 3'600'000, ms / 60'000 % 60,
                      ms / 1000 % 60);
    }
    return buffer;
}

} // namespace quorrin
