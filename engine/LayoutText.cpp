#include "LayoutText.h"

#include "BoardTypes.h"

namespace quorrin {

std::optional<std::string> LayoutFromDiagram(std::string_view diagram) {
    constexpr std::string_view letters = "kqrnbp"; // PieceType order within a colour
    std::string layout;
    layout.reserve(128);
    int filesInRank = 0;
    int ranks = 1;
    for (const char c : diagram) {
        if (c == '/') {
            if (filesInRank != 8) {
                return std::nullopt;
            }
            filesInRank = 0;
            ++ranks;
        } else if (c >= '1' && c <= '8') {
            filesInRank += c - '0';
            for (int i = 0; i < c - '0'; ++i) {
                layout += EmptyCode;
            }
        } else {
            const bool white = c >= 'A' && c <= 'Z';
            const char lower = white ? static_cast<char>(c - 'A' + 'a') : c;
            const std::size_t shape = letters.find(lower);
            if (shape == std::string_view::npos) {
                return std::nullopt;
            }
            layout += PieceCodes[shape + (white ? 6 : 0)];
            ++filesInRank;
        }
        if (filesInRank > 8) {
            return std::nullopt;
        }
    }
    if (ranks != 8 || filesInRank != 8) {
        return std::nullopt;
    }
    return layout;
}

} // namespace quorrin
