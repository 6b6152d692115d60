// Layout strings, the positions NewGame reads: 64 cells of two-character piece codes ("WK",
// "BP", ..., "XX" for an empty square), a8 first and h1 last; and board diagrams, the
// placement field of a FEN ("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", ranks 8 to 1,
// upper case White, a digit for that many empty squares), turned into layouts.
#pragma once

#include "Pieces.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

// Two-character piece codes in PieceType order, as used in layout strings.
inline constexpr std::array<std::string_view, PieceTypeCount> PieceCodes = {
    "BK", "BQ", "BR", "BN", "BB", "BP", "WK", "WQ", "WR", "WN", "WB", "WP"};
inline constexpr std::string_view EmptyCode = "XX";

// The start position as a layout string.
inline constexpr std::string_view StartLayout = "BRBNBBBQBKBBBNBR"
                                                "BPBPBPBPBPBPBPBP"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "XXXXXXXXXXXXXXXX"
                                                "WPWPWPWPWPWPWPWP"
                                                "WRWNWBWQWKWBWNWR";

// What stands on each square, a8 first (element square - 1): a piece code, or -1 for an
// empty square.
using Placement = std::array<PieceType, 64>;
inline constexpr PieceType NoPiece = -1;

// The placement of a layout: "XX", an unknown cell and a missing one are empty squares.
Placement PlacementOfLayout(std::string_view layout);
// The layout of a placement.
std::string LayoutOf(const Placement& placement);

// The layout for a diagram, or nothing when the diagram is not eight ranks of eight squares
// (ReadFen says why).
std::optional<std::string> LayoutFromDiagram(std::string_view diagram);

} // namespace quorrin
