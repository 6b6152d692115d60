// Long request sequences against one engine, read from a stream of bytes, with everything that
// must hold checked after every call. The random-games test feeds it seeded random bytes, the
// fuzz target its input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrin::testing {

// The bytes the requests are read from; 0 once they run out.
class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
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
