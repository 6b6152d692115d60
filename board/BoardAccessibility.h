// The board for assistive technology: every board and its squares get their accessible
// interfaces (BoardAccessible, SquareAccessible) from a factory installed once a process.
#pragma once

namespace quorrin {

void InstallBoardAccessibility();

} // namespace quorrin
