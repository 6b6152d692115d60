// Writing layouts as board diagrams: "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR" (ranks 8 to
// 1, upper case White, a digit for that many empty squares) turned into the 128-character
// layout string that NewGame reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

// The layout for a diagram, or nothing when the diagram is not eight ranks of eight squares.
std::optional<std::string> LayoutFromDiagram(std::string_view diagram);

} // namespace quorrin
