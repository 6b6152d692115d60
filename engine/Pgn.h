// Games in Portable Game Notation: playing a game read (PgnReader.h) into an engine, what a
// list to pick a game from shows, and writing the game an engine holds.
#pragma once

#include "ChessEngine.h"
#include "PgnReader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// What a list to pick a game from shows: the tags (the Result tag, else the termination marker,
// else "*"), and the first six moves numbered from the FEN tag's move number and side (from 1,
// White, when the game has no FEN tag that reads).
struct PgnSummary {
    std::string White;
    std::string Black;
    std::string Result;
    std::string Date;
    std::string FirstMoves; // "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6"
};
PgnSummary Summarize(const PgnGame& game);

// Plays the game through the rules in engine (a fresh one with no host is what this is meant
// for; it raises its events): sets up the FEN tag's position, or the standard start, and makes
// each move. The engine then holds the game as far as it could be played; nothing is returned
// when all of it was, otherwise where and why it stopped: a FEN tag that sets up no game
// (Context FenTag), or a move that cannot be made (GameMove, with its number, side and text),
// a move after a checkmate or stalemate among them (GameAlreadyOver). With warnings, the faults
// that do not stop the game are appended to it in the order of the text, each with its line and
// column: a Result tag that disagrees with the termination marker, a move marked check or mate
// that is not, a move marked a capture that takes nothing.
std::optional<ReadError> PlayPgnGame(const PgnGame& game, ChessEngine& engine,
                                     std::vector<ReadError>* warnings = nullptr);

// The result of the game in the engine: decided by the first mate, stalemate or draw by rule
// in it; otherwise the result the players or a clock decided (a resignation, an agreed draw, a
// fallen flag) when the host gives one; otherwise "1/2-1/2" when the host says a draw was
// claimed, else "*".
std::string_view GameResult(const ChessEngine& engine, bool drawClaimed = false,
                            std::string_view decided = {});

// The game in the engine as PGN: the seven tags every game carries (Event, Site, Date, Round,
// White, Black, Result; "?" or "????.??.??" unless given, the Result always GameResult's),
// then the other tags given, SetUp and FEN when the game did not start from the standard
// position, and the numbered moves with the comments given, in lines under 80 columns (a
// longer word of a comment aside), ending with the result (GameResult). A comment is written in
// braces, or after semicolons when it holds a closing brace.
std::string WritePgn(const ChessEngine& engine, const std::vector<PgnTag>& tags,
                     bool drawClaimed = false, const PgnComments& comments = {},
                     std::string_view decided = {});

} // namespace quorrin
