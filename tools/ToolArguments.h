// Argument helpers shared by the command-line tools.
#pragma once

#include "engine/BoardTypes.h"
#include "engine/LayoutText.h"

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

} // namespace quorrin::tools
