// Games in Portable Game Notation: reading a file into games (tags and the main line's moves,
// variations, comments and annotations skipped), importing one game through a fresh engine,
// and writing the game an engine holds.
#pragma once

#include "ChessEngine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

struct PgnTag {
    std::string Name;
    std::string Value;
    int Line = 0; // where the tag stands in the file it was read from, 0 when not read
    int Column = 0;
};

// One game as read from a file: not yet checked against the rules.
struct PgnGame {
    struct Move {
        std::string Text; // as written, without its number and !? annotations
        int Line = 0;
        int Column = 0;
    };
    std::vector<PgnTag> Tags;
    std::vector<Move> Moves; // the main line
    std::string Termination; // "1-0", "0-1", "1/2-1/2", "*", or empty when the text has none

    // The value of the tag name, empty when the game has none.
    std::string Tag(std::string_view name) const;
};

struct PgnFile {
    std::vector<PgnGame> Games;
    std::optional<ReadError> Error; // where and why the text could not be read
};

// Reads every game of a PGN text: tag pairs with escapes, {} and ; comments, variations
// however deeply nested, NAGs, !? annotations, move numbers with . and ..., % escape lines,
// a byte-order mark and CRLF line ends.
PgnFile ReadPgn(std::string_view text);

// What a list to pick a game from shows.
struct PgnSummary {
    std::string White;
    std::string Black;
    std::string Result;
    std::string Date;
    std::string FirstMoves; // "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6"
};
PgnSummary Summarize(const PgnGame& game);

// A game played through the rules in an engine of its own.
struct PgnImport {
    std::string StartFen;         // the FEN tag's position, empty for the standard start
    std::vector<Move> Moves;      // every move, with its promotion piece
    std::vector<std::string> San; // the same moves in standard algebraic notation
    std::string Result;           // as the game text gives it, "*" when it gives none
    std::string FinalFen;
    // Where and why the import stopped (the move's place, number and text in the error).
    std::optional<ReadError> Error;
};
PgnImport ImportPgnGame(const PgnGame& game);

// Plays the game into engine, from its FEN tag's position or the start; nothing when every
// move was made, else where and why it stopped.
std::optional<ReadError> PlayPgnGame(const PgnGame& game, ChessEngine& engine);

// The result of the game in the engine: decided by the first mate, stalemate or draw by rule
// in it; otherwise "1/2-1/2" when the host says a draw was claimed, else "*".
std::string_view GameResult(const ChessEngine& engine, bool drawClaimed = false);

// The game in the engine as PGN: the seven tags every game carries (Event, Site, Date, Round,
// White, Black, Result; "?" or "????.??.??" unless given, the Result always the engine's),
// then the other tags given, SetUp and FEN when the game did not start from the standard
// position, and the numbered moves, in lines under 80 columns, ending with the result.
std::string WritePgn(const ChessEngine& engine, const std::vector<PgnTag>& tags,
                     bool drawClaimed = false);

} // namespace quorrin
