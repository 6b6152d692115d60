#include "PositionKeys.h"

#include <array>

namespace quorrin::keys {

namespace {

struct KeyTable {
    std::array<std::array<std::uint64_t, PieceTypeCount>, 65> pieces{};
    std::uint64_t blackToMove = 0;
    std::array<std::uint64_t, 16> castling{};
    std::array<std::uint64_t, 9> enPassantFile{};
};

constexpr std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr KeyTable MakeKeyTable() {
    KeyTable t{};
    std::uint64_t state = 0x51A5EC0FFEEULL;
    for (auto& square : t.pieces) {
        for (auto& key : square) {
            key = SplitMix(state);
        }
    }
    t.blackToMove = SplitMix(state);
    std::array<std::uint64_t, 4> rights{};
    for (auto& key : rights) {
        key = SplitMix(state);
    }
    for (std::size_t mask = 0; mask < 16; ++mask) {
        for (std::size_t bit = 0; bit < 4; ++bit) {
            if ((mask >> bit) & 1U) {
                t.castling[mask] ^= rights[bit];
            }
        }
    }
    for (auto& key : t.enPassantFile) {
        key = SplitMix(state);
    }
    return t;
}

constexpr KeyTable Keys = MakeKeyTable();

} // namespace

std::uint64_t OfSquare(const Board& squares, SquareIndex square) {
    const BoardSquare& s = squares[square];
    // Without a branch: an empty square's stale piece is masked out.
    const auto kind = static_cast<std::size_t>(s.Piece.Kind) % PieceTypeCount;
    return Keys.pieces[square][kind] & (std::uint64_t{0} - std::uint64_t{s.Occupied});
}

std::uint64_t OfCastling(int rights) {
    return Keys.castling[static_cast<std::size_t>(rights) & 15U];
}

std::uint64_t OfEnPassant(SquareIndex target) {
    return target != NoSquare ? Keys.enPassantFile[FileOf(target)] : 0;
}

std::uint64_t OfBlackToMove() {
    return Keys.blackToMove;
}

std::uint64_t OfPosition(const Board& squares, bool whiteToMove, SquareIndex enPassantTarget) {
    std::uint64_t key = whiteToMove ? 0 : Keys.blackToMove;
    for (SquareIndex k = 1; k <= 64; ++k) {
        key ^= OfSquare(squares, k);
    }
    return key ^ OfCastling(CastlingRights(squares)) ^ OfEnPassant(enPassantTarget);
}

} // namespace quorrin::keys
