// The engine's texts (UTF-8 std::string) as the window shows them.
#pragma once

#include <QString>

#include <string>

namespace quorrin {

inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace quorrin
