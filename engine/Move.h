// A move as a value: the square it leaves, the square it lands on and the piece a pawn becomes;
// a list of moves without allocation; coordinate notation ("e2e4", "e7e8n").
#pragma once

#include "Pieces.h"
#include "ReadError.h"
#include "Squares.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

struct Move {
    SquareIndex From = NoSquare;
    // Where the moving piece lands: the king's square for a castling (e1 to g1), the empty
    // square beyond the pawn taken for an en passant capture.
    SquareIndex To = NoSquare;
    // The piece a pawn reaching the last rank becomes: a queen, rook, knight or bishop.
    std::optional<Shape> Promotion;

    // "e2e4", "e7e8n" (the promotion letter in lower case).
    std::string Coordinates() const;

    friend bool operator==(const Move&, const Move&) = default;
};

// Reads a move in coordinates: two square names and an optional promotion letter in either
// case ("e2e4", "e7e8n", "e7e8N"). Only the form is checked, not whether the move is legal.
ReadResult<Move> ReadCoordinates(std::string_view text);

// The moves of a position: no position has more than 218 legal moves.
class MoveList {
public:
    static constexpr std::size_t Capacity = 256;

    void Add(const Move& move) {
        if (size_ < Capacity) {
            moves_[size_++] = move;
        }
    }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Move& operator[](std::size_t i) const { return moves_[i]; }
    const Move* begin() const { return moves_.data(); }
    const Move* end() const { return moves_.data() + size_; }
    bool Contains(const Move& move) const;

private:
    std::array<Move, Capacity> moves_;
    std::size_t size_ = 0;
};

} // namespace quorrin
