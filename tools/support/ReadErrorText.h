// Why a text could not be read, in English: what the tools print.
#pragma once

#include "engine/ReadError.h"

#include <string>

namespace quorrin::support {

// "line 14, column 9: 23...Nbd7: no black knight can move to d7",
// "the FEN tag: the board has 3 ranks instead of 8", "'Nz3' is not a move".
std::string DescribeError(const ReadError& error);

} // namespace quorrin::support
