// Listing the games of a PGN text without keeping them: where each begins, whether it can be
// read, and what a list to pick one from shows, in memory that grows with the number of games
// and not with their moves. Only the game chosen is then read whole (PgnReader.h) and played
// (PlayPgnGame in Pgn.h).
//
// Memory, for a text of n bytes:
//   PgnListing (a text that comes in pieces): the piece given, the text of the game being read
//     (the last unfinished game is read again from its start once twice as much of it has come,
//     so its text is held at most once plus the growth of one string) and one game's summary;
//     nothing is kept of the games already reported. At most about 2 n, usually a few pieces.
//   IndexPgn (a text held whole): 8 bytes a game, and a game takes at least 2 bytes of text
//     ("* *"), so at most 4 n + 8 besides the text (6 n for a moment while the list grows).
//   Reading one entry whole (ReadPgnEntry with Keep::Whole): that game's tags, moves and
//     comments: up to about 30 times the length of its text (a long line of short moves).
#pragma once

#include "PgnReader.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// The largest game text Quorrin reads, whether from a file, the clipboard or a tool's argument:
// a person's games fit many times over, and a larger text is refused before it is all read.
inline constexpr std::uint64_t LargestPgnText = std::uint64_t{64} << 20;

// One game of a text as a listing finds it.
struct PgnListed {
    std::uint64_t Offset = 0; // the byte where reading the game begins (white space before it)
    int Line = 1;             // where that is, as the reader counts lines and columns
    int Column = 1;
    std::optional<ReadError> Damage; // why the game cannot be read; nothing when it can
    PgnGame Summary;                 // what PgnReader::Keep::Summary keeps of it
    // The game's text, valid while the listing reports it, and where a reader of it starts:
    // PgnReader(Text, From) reads the game whole, with the lines and columns of the whole text.
    std::string_view Text;
    PgnTokenizer::Place From;
};

// Lists a text that comes a piece at a time (a file being read): each game is reported, in the
// order of the text, once the text after it has come or the text is complete.
class PgnListing {
public:
    using Found = std::function<void(const PgnListed&)>;
    explicit PgnListing(Found found) : found_(std::move(found)) {}

    // The next piece of the text.
    void Add(std::string_view piece);
    // The text is complete: the games not yet reported are.
    void Finish();
    // The bytes given so far.
    std::uint64_t Size() const { return windowAt_ + window_.size(); }

private:
    void List(bool last);

    Found found_;
    std::string window_;         // the text from the game being read on
    std::uint64_t windowAt_ = 0; // where window_ begins in the text
    PgnTokenizer::Place from_;   // where the next game begins in window_
    std::size_t needed_ = 3;     // the bytes from from_ on needed before reading again
    bool started_ = false;       // the byte-order mark has been looked for
};

// One game of a text held whole, in 8 bytes: the text may be at most LargestIndexedText long.
struct PgnEntry {
    std::uint32_t Offset = 0;      // the byte where reading the game begins
    std::uint32_t Line : 31 = 1;   // the line of that byte
    std::uint32_t Damaged : 1 = 0; // the game cannot be read (ReadPgnEntry says why)
};
inline constexpr std::uint64_t LargestIndexedText = UINT32_MAX;

// Every game of text (at most LargestIndexedText bytes, or std::length_error), read the way
// PgnReader reads them, damaged ones included. goOn, when given, is told now and then how many
// bytes have been listed; when it answers false, listing stops and nothing is returned.
std::optional<std::vector<PgnEntry>> IndexPgn(std::string_view text,
                                              const std::function<bool(std::uint64_t)>& goOn = {});

// The game that entry of IndexPgn(text) begins, read again as keep says, or why it cannot be.
ReadResult<PgnGame> ReadPgnEntry(std::string_view text, const PgnEntry& entry,
                                 PgnReader::Keep keep = PgnReader::Keep::Whole);

} // namespace quorrin
