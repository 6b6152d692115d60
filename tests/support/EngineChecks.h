// Comparing engine states, showing them, and what must hold between any two calls: shared by
// the unit tests, the random-games test and the fuzz target, so free of any test framework.
#pragma once

#include "engine/ChessEngine.h"

#include <cstddef>
#include <string>

namespace quorrin::testing {

// The engine with the operations that tests call directly opened up.
class TestEngine : public ChessEngine {
public:
    using ChessEngine::ChessEngine;
    using ChessEngine::IsCheckmate;
    using ChessEngine::IsStalemate;
};

// The board as the layout string NewGame reads; "?" in place of a colour letter that does not
// match the piece's colour.
std::string Board(const EngineState& state);

// The whole state as text, for failure messages.
std::string Describe(const EngineState& state);

// Whether two states agree in every field that a move or its take-back may change. Unless
// exact, leftovers that nothing reads are skipped: the piece record of an empty square, the
// captured piece of a record that took none, and the colour and square of the last promotion.
bool SameState(const EngineState& a, const EngineState& b, bool exact = false);

// What is wrong between two calls, "" when nothing: the king squares name the last king of
// each colour on the board (0 for none), square 0 is empty, no move is half-made, and the en
// passant state is the one the last record holds (closed, file 0, with no record).
std::string StateProblems(const EngineState& state);

} // namespace quorrin::testing
