// Conversions between square names ("e4"), file/row coordinates and square indexes.
#pragma once

#include "BoardTypes.h"

#include <string>
#include <string_view>

namespace quorrin {

// The index of a square name: exactly a lowercase file letter a..h followed by a rank
// digit 1..8. Anything else, upper case included, gives -1.
constexpr SquareIndex SquareNameToIndex(std::string_view name) {
    if (name.size() != 2) {
        return -1;
    }
    const char file = name[0];
    const char rank = name[1];
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') {
        return -1;
    }
    return static_cast<SquareIndex>((8 - (rank - '0')) * 8 + (file - 'a' + 1));
}

// The name of a square index 1..64 ("a8" for 1, "h1" for 64); an empty string otherwise.
std::string SquareIndexToName(int square);

} // namespace quorrin
