// How a game stands: in play, checkmate, stalemate, or drawn by rule; and the draws a player
// may claim.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorrin {

// The draws by rule. The first three end the game by themselves (the engine raises Draw); the
// last two are a player's to claim.
enum class DrawReason : std::int32_t {
    InsufficientMaterial = 1,
    FivefoldRepetition,
    SeventyFiveMoveRule,
    ThreefoldRepetition,
    FiftyMoveRule,
};

// "insufficient-material", "fivefold-repetition", "seventy-five-move-rule",
// "threefold-repetition", "fifty-move-rule"; empty for any other value. Names for programs
// (the tools print them), not sentences for people.
std::string_view DrawReasonName(DrawReason eReason);

enum class OutcomeKind : std::int32_t { InPlay, Checkmate, Stalemate, Drawn };

struct GameOutcome {
    OutcomeKind Kind = OutcomeKind::InPlay;
    bool WhiteWins = false;              // Checkmate: true when White gave the mate
    std::optional<DrawReason> DrawnBy;   // Drawn: the first automatic rule that holds
    std::optional<DrawReason> Claimable; // a draw a player may claim now, whatever the Kind

    // The result as PGN writes it: "1-0", "0-1", "1/2-1/2", or "*" while in play.
    std::string_view Result() const;

    friend bool operator==(const GameOutcome&, const GameOutcome&) = default;
};

} // namespace quorrin
