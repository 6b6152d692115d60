#include "PgnListing.h"

#include <stdexcept>

namespace quorrin {

namespace {

constexpr std::size_t Nowhere = static_cast<std::size_t>(-1);

bool EndsLine(std::string_view text, std::size_t at) {
    return text[at] == '\n' ||
           (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'));
}

// The place a tokenizer of text stands at when it reaches the byte at on line: its line starts
// after the last line break before it, and its column counts the characters since.
PgnTokenizer::Place PlaceAt(std::string_view text, std::size_t at, int line) {
    const std::size_t first = PgnTokenizer(text).Here().At; // past a byte-order mark
    std::size_t start = at;
    while (start > first && !EndsLine(text, start - 1)) {
        --start;
    }
    PgnTokenizer::Place place{.At = at, .Line = line, .Column = 1, .LineStart = start};
    for (std::size_t i = start; i < at; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        place.Column += c != '\r' && (c & 0xC0) != 0x80 ? 1 : 0;
    }
    return place;
}

} // namespace

void PgnListing::Add(std::string_view piece) {
    // What has been reported is dropped before the text grows.
    if (from_.At > 0) {
        window_.erase(0, from_.At);
        windowAt_ += from_.At;
        from_.LineStart = from_.LineStart != Nowhere && from_.LineStart >= from_.At
                              ? from_.LineStart - from_.At
                              : Nowhere;
        from_.At = 0;
    }
    window_ += piece;
    List(false);
}

void PgnListing::Finish() {
    List(true);
}

void PgnListing::List(bool last) {
    while (last || window_.size() - from_.At >= needed_) {
        if (!started_) {
            started_ = true;
            from_ = PgnTokenizer(window_).Here();
        }
        PgnReader reader(window_, from_, PgnReader::Keep::Summary);
        std::optional<ReadResult<PgnGame>> game = reader.Next();
        const PgnTokenizer::Place next = reader.Where();
        // A game whose reading looked at the end of the text so far may go on, or be read
        // otherwise (a comment closed, damage found elsewhere), in the next piece: it is read
        // again once its text has doubled, so that a long one is read a few times only.
        if (!last && (next.At >= window_.size() || reader.ReachedEnd())) {
            needed_ = 2 * (window_.size() - from_.At);
            return;
        }
        needed_ = 1;
        if (!game) {
            return;
        }
        PgnListed listed;
        listed.Offset = windowAt_ + from_.At;
        listed.Line = from_.Line;
        listed.Column = from_.Column;
        listed.Text = std::string_view(window_).substr(from_.At, next.At - from_.At);
        listed.From = from_;
        listed.From.At = 0;
        listed.From.LineStart = from_.LineStart == from_.At ? 0 : Nowhere;
        if (*game) {
            listed.Summary = std::move(game->Value());
        } else {
            listed.Damage = game->Error();
        }
        found_(listed);
        from_ = next;
        if (last && from_.At >= window_.size()) {
            return;
        }
    }
}

std::optional<std::vector<PgnEntry>> IndexPgn(std::string_view text,
                                              const std::function<bool(std::uint64_t)>& goOn) {
    if (text.size() > LargestIndexedText) {
        throw std::length_error("IndexPgn: text too long");
    }
    std::vector<PgnEntry> entries;
    PgnTokenizer::Place from = PgnTokenizer(text).Here();
    std::uint64_t told = 0;
    while (true) {
        if (goOn && from.At - told >= (1U << 16)) {
            told = from.At;
            if (!goOn(told)) {
                return std::nullopt;
            }
        }
        PgnReader reader(text, from, PgnReader::Keep::Summary);
        const std::optional<ReadResult<PgnGame>> game = reader.Next();
        if (!game) {
            break;
        }
        PgnEntry entry;
        entry.Offset = static_cast<std::uint32_t>(from.At);
        entry.Line = static_cast<std::uint32_t>(from.Line);
        entry.Damaged = *game ? 0 : 1;
        entries.push_back(entry);
        from = reader.Where();
    }
    return entries;
}

ReadResult<PgnGame> ReadPgnEntry(std::string_view text, const PgnEntry& entry,
                                 PgnReader::Keep keep) {
    PgnReader reader(text, PlaceAt(text, entry.Offset, static_cast<int>(entry.Line)), keep);
    std::optional<ReadResult<PgnGame>> game = reader.Next();
    return game ? std::move(*game) : ReadResult<PgnGame>(PgnGame{});
}

} // namespace quorrin
