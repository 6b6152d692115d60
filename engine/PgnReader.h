// Reading games in Portable Game Notation: each game's tags, main line, comments and result,
// one game at a time (variations and annotations skipped), not yet checked against the rules.
#pragma once

#include "PgnTokenizer.h"
#include "ReadError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

struct PgnTag {
    std::string Name;
    std::string Value;
    int Line = 0; // where the tag stands in the text it was read from, 0 when not read
    int Column = 0;
};

// A move of the main line as written, without its number and annotations, and where.
struct PgnMove {
    std::string Text;
    int Line = 0;
    int Column = 0;
};

// The comments of a game's main line: the text of every comment at one place joined by a
// space, white space inside each one folded to single spaces ("[%clk 0:04:57] a fine move").
struct PgnComments {
    std::string BeforeFirstMove;
    // Those that follow each move, by ply; shorter than the game when its last moves have none.
    std::vector<std::string> AfterMove;

    // The comment after the move at ply, empty when it has none.
    std::string_view After(std::size_t ply) const;

    friend bool operator==(const PgnComments&, const PgnComments&) = default;
};

struct PgnGame {
    std::vector<PgnTag> Tags;
    std::vector<PgnMove> Moves; // the main line
    PgnComments Comments;
    std::string Termination; // "1-0", "0-1", "1/2-1/2", "*", or empty when the text has none
    bool Dropped = false;    // variations or annotations were skipped

    // The value of the tag name, empty when the game has none.
    std::string_view Tag(std::string_view name) const;
    // How the text says the game ended: its termination marker, else its Result tag, else "*".
    std::string_view Result() const;
};

// Reads the games of a PGN text one at a time; the text must outlive the reader. A game ends
// with its result, or, without one, where the next game's tags begin or the text ends.
class PgnReader {
public:
    // What is kept of each game: all of it, or what a list of games shows (Summarize in Pgn.h):
    // the first White, Black, Result, Date and FEN tags and the first six moves, no comments.
    // The rest is read and checked all the same, so both find the same games and errors.
    enum class Keep { Whole, Summary };

    explicit PgnReader(std::string_view text) : tokens_(text) {}
    // Reads from a place that a reader of the same text gave (Where).
    PgnReader(std::string_view text, const PgnTokenizer::Place& from, Keep keep = Keep::Whole)
        : tokens_(text, from), keep_(keep) {}

    // The next game; nothing once the text holds no more; or where and why the text cannot be
    // read. After an error the next call carries on at the next line that begins with "[", so
    // that a caller may skip a damaged game.
    std::optional<ReadResult<PgnGame>> Next();

    // Where the next game begins: just past the last one read, or, after an error, at the line
    // where reading carries on.
    PgnTokenizer::Place Where() const { return pending_ ? pendingFrom_ : tokens_.Here(); }
    // Whether reading looked at the end of the text (PgnTokenizer::ReachedEnd).
    bool ReachedEnd() const { return tokens_.ReachedEnd(); }

private:
    ReadResult<PgnToken> Take();
    // Adds what a token of the game's tags or moves holds to it, or says why it cannot.
    std::optional<ReadError> Add(const PgnToken& token, PgnGame& game);
    std::optional<ReadError> ReadTag(const PgnToken& open, PgnGame& game);
    std::optional<ReadError> SkipVariation(const PgnToken& open);
    std::optional<ReadResult<PgnGame>> Failed(const ReadError& error);

    PgnTokenizer tokens_;
    Keep keep_ = Keep::Whole;
    std::optional<PgnToken> pending_; // a token read that belongs to the next game
    PgnTokenizer::Place pendingFrom_; // where the tokenizer stood before reading it
    PgnTokenizer::Place before_;      // where it stood before the last token it read
};

// Every game of a PGN text, or the games before the first error and that error.
struct PgnFile {
    std::vector<PgnGame> Games;
    std::optional<ReadError> Error;
};
PgnFile ReadPgn(std::string_view text);

} // namespace quorrin
