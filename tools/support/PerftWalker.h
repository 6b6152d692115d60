// Walks every legal move of a position to a fixed depth through the engine's legal moves, its
// move command and undo, counting the leaves and what happened on the last move, as in the
// published perft tables.
#pragma once

#include "engine/ChessEngine.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quorrin::support {

struct PerftCounts {
    std::uint64_t nodes = 0;
    std::uint64_t captures = 0; // en passant included
    std::uint64_t enPassant = 0;
    std::uint64_t castles = 0;
    std::uint64_t promotions = 0;
    std::uint64_t checks = 0;
    std::uint64_t checkmates = 0;
    std::uint64_t stalemates = 0;
};

// "nodes=N captures=N ep=N castles=N promotions=N checks=N checkmates=N stalemates=N"
std::string FormatCounts(const PerftCounts& counts);

class PerftWalker final : private BoardEvents {
public:
    // Takes over the engine's events for its lifetime.
    explicit PerftWalker(ChessEngine& engine);
    ~PerftWalker() override;
    PerftWalker(const PerftWalker&) = delete;
    PerftWalker& operator=(const PerftWalker&) = delete;

    // Counts from the engine's current position; depth 0 counts the position itself. When
    // onRootMove is given it hears each first move ("e2e4", "e7e8q") with its leaf count.
    PerftCounts Run(int depth,
                    const std::function<void(const std::string&, std::uint64_t)>& onRootMove = {});

private:
    std::uint64_t Walk(int depth, bool root);

    void PieceCapture(PieceType ePiece) override;
    void KingInCheck(bool bWhite, bool bCheckmate) override;
    void Stalemate() override;

    ChessEngine& engine_;
    PerftCounts counts_;
    bool lastPly_ = false; // events are counted only on the last move of a line
    std::function<void(const std::string&, std::uint64_t)> onRootMove_;
};

} // namespace quorrin::support
