// Argument helpers shared by the command-line tools.
#pragma once

#include "engine/ChessEngine.h"
#include "tools/support/ReadErrorText.h"
#include "tools/support/StandardPositions.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin::tools {

// "start", a 128-character layout string, or a board diagram such as "8/8/8/8/8/8/8/K6k".
inline std::optional<std::string> ParseLayout(std::string_view text) {
    if (text == "start") {
        return std::string(StartLayout);
    }
    if (text.size() == 128 && text.find('/') == std::string_view::npos) {
        return std::string(text);
    }
    return LayoutFromDiagram(text);
}

// "w" for White to move, "b" for Black.
inline std::optional<bool> ParseSide(std::string_view text) {
    if (text == "w") {
        return true;
    }
    if (text == "b") {
        return false;
    }
    return std::nullopt;
}

// What is wrong with a layout the engine would take as it is: a cell that is no piece code
// and not XX, or not one king a side. Nothing when it is fit to play from.
inline std::optional<std::string> LayoutProblem(std::string_view layout) {
    int kings[2] = {0, 0};
    for (std::size_t cell = 0; cell < 64; ++cell) {
        const std::string_view code = layout.substr(2 * cell, 2);
        const auto known = std::find(PieceCodes.begin(), PieceCodes.end(), code);
        if (known == PieceCodes.end() && code != EmptyCode) {
            return "cell " + std::to_string(cell + 1) + " of the layout, '" + Printable(code) +
                   "', is neither a piece code (WK, BP, ...) nor XX";
        }
        if (known != PieceCodes.end() &&
            ShapeOf(static_cast<PieceType>(known - PieceCodes.begin())) == Shape::King) {
            ++kings[IsWhitePiece(static_cast<PieceType>(known - PieceCodes.begin())) ? 0 : 1];
        }
    }
    if (kings[0] != 1 || kings[1] != 1) {
        return std::string("the layout needs exactly one king a side");
    }
    return std::nullopt;
}

// Sets up the engine from the arguments from argv[at] on: a FEN (one argument, with spaces), the
// name of a standard position (kiwipete, rook-endgame, promotions, pinned-promotion,
// middlegame), "start" (optionally followed by w or b), or a layout followed by w or b. Moves
// at past them. Returns what is wrong, or nothing when the engine is set up.
inline std::optional<std::string> SetUpStart(ChessEngine& engine, int argc, char** argv, int& at) {
    if (at >= argc) {
        return std::string("the start position is missing");
    }
    const std::string_view first = argv[at];
    const std::optional<std::string_view> named = support::StandardFen(first);
    if (first.find(' ') != std::string_view::npos || (named && first != "start")) {
        ++at;
        const ReadResult<FenPosition> position = ReadFen(named.value_or(first));
        if (!position) {
            return "the FEN cannot be played from: " + support::DescribeError(position.Error());
        }
        engine.NewGame(*position);
        return std::nullopt;
    }
    const auto layout = ParseLayout(first);
    const auto side = at + 1 < argc ? ParseSide(argv[at + 1]) : std::nullopt;
    if (!layout || (!side && first != "start")) {
        return std::string("the start must be 'start', a FEN in quotes, or a layout (128 "
                           "characters or a diagram) followed by w or b");
    }
    if (auto problem = LayoutProblem(*layout)) {
        return problem;
    }
    at += side ? 2 : 1;
    engine.NewGame(*layout, side.value_or(true));
    return std::nullopt;
}

// A coordinate move with an optional promotion letter ("e2e4", "e7e8n"), legal in the engine's
// position; a pawn reaching the last rank without a letter becomes a queen.
inline std::optional<Move> LegalMoveOf(const ChessEngine& engine, std::string_view text) {
    const ReadResult<Move> read = ReadCoordinates(text);
    if (!read) {
        return std::nullopt;
    }
    Move move = *read;
    if (!move.Promotion && !engine.IsLegal(move)) {
        move.Promotion = Shape::Queen;
    }
    return engine.IsLegal(move) ? std::optional(move) : std::nullopt;
}

// The host's answer for a promotion letter (none: 0, a queen), in the colour given.
inline PieceType PromotionAnswer(std::string_view move, bool white) {
    const std::optional<Shape> shape =
        move.size() == 5 ? PromotionShapeOfLetter(move[4]) : std::nullopt;
    return shape ? PieceOf(*shape, white) : 0;
}

} // namespace quorrin::tools
