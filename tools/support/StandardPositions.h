// The positions that move generators are checked and timed on, by name: the start and the
// well-known perft positions, whose move-tree counts are published.
#pragma once

#include "engine/Fen.h"

#include <optional>
#include <string_view>

namespace quorrin::support {

struct StandardPosition {
    std::string_view Name;
    std::string_view Fen;
};

inline constexpr StandardPosition StandardPositions[] = {
    {"start", StartFen},
    // Castling both ways, pins, en passant and checks in the middlegame.
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
    // En passant along a rank that would expose the king.
    {"rook-endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
    // Promotions, with and without capture, and castling only for Black.
    {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"},
    // A promotion that must not leave the king in check.
    {"pinned-promotion", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"},
    // A quiet, symmetric middlegame.
    {"middlegame", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"},
};

// The FEN of the standard position of that name.
constexpr std::optional<std::string_view> StandardFen(std::string_view name) {
    for (const StandardPosition& position : StandardPositions) {
        if (position.Name == name) {
            return position.Fen;
        }
    }
    return std::nullopt;
}

} // namespace quorrin::support
