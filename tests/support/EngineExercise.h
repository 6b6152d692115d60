// Long request sequences against one engine, read from a stream of bytes, with everything that
// must hold checked after every call. The random-games test feeds it seeded random bytes, the
// fuzz target its input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrin::testing {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual bool Empty() const = 0;
    virtual std::uint8_t Next() = 0; // any value once empty
};

struct ExerciseCounts {
    std::size_t made = 0;
    std::size_t refused = 0;
    std::size_t undone = 0;
    std::array<std::size_t, 6> events{}; // PieceMovement .. MoveUndo, in declaration order
};

// Plays requests read from bytes until they run out: new games (known layouts, kingless and
// two-king ones among them, or cells taken from the bytes, malformed ones included); moves,
// mostly ones the piece could make by its shape, also any two squares and raw strings; undos;
// promotion answers of any value; mate and stalemate questions. Every event handler tries to
// call back into the engine. After each call: a refused request changed nothing, an undo
// restored the state before its move, trials left no trace, the invariants hold, the event
// arguments fit, and every square shows what the board holds. Returns the first problem with
// the requests of the game that led to it, or "".
std::string Exercise(ByteSource& bytes, ExerciseCounts& counts);

} // namespace quorrin::testing
