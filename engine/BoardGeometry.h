// Precomputed lines and jumps from every square, so that the rules walk the board without
// recomputing coordinates or stepping off its edge.
#pragma once

#include "Squares.h"

#include <array>
#include <cstdint>

namespace quorrin::geometry {

struct Step {
    int file;
    int row;
};

// The eight directions: four straight ones (toward rank 8, the h-file, rank 1, the a-file),
// then the four diagonals (toward h8, h1, a1, a8). Row steps count toward rank 1.
inline constexpr std::array<Step, 8> Directions = {
    {{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}}};
inline constexpr int FirstDiagonal = 4;

inline constexpr std::array<Step, 8> KnightJumps = {
    {{-1, -2}, {1, -2}, {2, -1}, {2, 1}, {-1, 2}, {1, 2}, {-2, -1}, {-2, 1}}};

// The squares met walking from a square in one direction, nearest first, up to the edge.
struct Ray {
    std::array<SquareIndex, 7> squares{};
    std::uint8_t length = 0;
};

// Up to eight squares a knight jumps to from a square.
struct Jumps {
    std::array<SquareIndex, 8> squares{};
    std::uint8_t length = 0;
};

struct Tables {
    std::array<std::array<Ray, 8>, 65> rays{}; // [square][direction], square 0 unused
    std::array<Jumps, 65> knight{};
    // [from][to]: the direction from one square to another on a line of the board, -1 when
    // they share no rank, file or diagonal.
    std::array<std::array<std::int8_t, 65>, 65> direction{};
};

constexpr Tables MakeTables() {
    Tables t{};
    for (int sq = 1; sq <= 64; ++sq) {
        const int file = (sq - 1) % 8 + 1;
        const int row = (sq - 1) / 8 + 1;
        for (int d = 0; d < 8; ++d) {
            Ray& ray = t.rays[sq][d];
            for (int f = file + Directions[d].file, r = row + Directions[d].row;
                 SquareAt(f, r) != NoSquare; f += Directions[d].file, r += Directions[d].row) {
                ray.squares[ray.length++] = SquareAt(f, r);
            }
        }
        for (auto& direction : t.direction[sq]) {
            direction = -1;
        }
        for (int d = 0; d < 8; ++d) {
            for (int i = 0; i < t.rays[sq][d].length; ++i) {
                t.direction[sq][t.rays[sq][d].squares[i]] = static_cast<std::int8_t>(d);
            }
        }
        Jumps& jumps = t.knight[sq];
        for (const Step& j : KnightJumps) {
            if (const SquareIndex target = SquareAt(file + j.file, row + j.row)) {
                jumps.squares[jumps.length++] = target;
            }
        }
    }
    return t;
}

inline constexpr Tables Board = MakeTables();

} // namespace quorrin::geometry
