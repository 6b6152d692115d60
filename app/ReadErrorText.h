// Why a game or a position could not be read, or a typed move not understood, in the player's
// language.
#pragma once

#include "engine/ReadError.h"

#include <QString>

namespace quorrin {

// "line 14, column 9: 23...Nbd7: no black knight can move to d7", "the board has 3 ranks
// instead of 8", "'Nz3' is not a move".
QString ReadErrorText(const ReadError& error);

} // namespace quorrin
