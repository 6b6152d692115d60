#include "PerftWalker.h"

#include <cstdlib>

namespace quorrin::support {

std::string FormatCounts(const PerftCounts& c) {
    return "nodes=" + std::to_string(c.nodes) + " captures=" + std::to_string(c.captures) +
           " ep=" + std::to_string(c.enPassant) + " castles=" + std::to_string(c.castles) +
           " promotions=" + std::to_string(c.promotions) + " checks=" + std::to_string(c.checks) +
           " checkmates=" + std::to_string(c.checkmates) +
           " stalemates=" + std::to_string(c.stalemates);
}

PerftWalker::PerftWalker(ChessEngine& engine) : engine_(engine) {
    engine_.SetEvents(this);
}

PerftWalker::~PerftWalker() {
    engine_.SetEvents(nullptr);
}

PerftCounts
PerftWalker::Run(int depth,
                 const std::function<void(const std::string&, std::uint64_t)>& onRootMove) {
    counts_ = {};
    onRootMove_ = onRootMove;
    counts_.nodes = depth <= 0 ? 1 : Walk(depth, true);
    return counts_;
}

std::uint64_t PerftWalker::Walk(int depth, bool root) {
    const EngineState& state = engine_.State();
    const MoveList moves = engine_.LegalMoves();
    std::uint64_t nodes = 0;
    for (const Move& move : moves) {
        const BoardSquare& from = state.Squares[move.From];
        const bool pawn = ShapeOf(from.Piece.Kind) == Shape::Pawn;
        lastPly_ = depth == 1;
        if (lastPly_) {
            const bool enPassant =
                pawn && FileOf(move.From) != FileOf(move.To) && !state.Squares[move.To].Occupied;
            counts_.enPassant += enPassant;
            counts_.captures += enPassant;
            counts_.castles += ShapeOf(from.Piece.Kind) == Shape::King &&
                               std::abs(FileOf(move.From) - FileOf(move.To)) == 2;
            counts_.promotions += move.Promotion.has_value();
        }
        engine_.MakeMove(move);
        const std::uint64_t below = depth == 1 ? 1 : Walk(depth - 1, false);
        nodes += below;
        engine_.UndoLastMove();
        if (root && onRootMove_) {
            onRootMove_(move.Coordinates(), below);
        }
    }
    return nodes;
}

void PerftWalker::PieceCapture(PieceType) {
    counts_.captures += lastPly_;
}

void PerftWalker::KingInCheck(bool, bool bCheckmate) {
    counts_.checks += lastPly_;
    counts_.checkmates += lastPly_ && bCheckmate;
}

void PerftWalker::Stalemate() {
    counts_.stalemates += lastPly_;
}

} // namespace quorrin::support
