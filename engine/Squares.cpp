#include "Squares.h"

namespace quorrin {

std::string SquareIndexToName(int square) {
    if (!IsBoardSquare(square)) {
        return {};
    }
    const char file = static_cast<char>('a' + (square - 1) % 8);
    const char rank = static_cast<char>('8' - (square - 1) / 8);
    return std::string{file, rank};
}

} // namespace quorrin
