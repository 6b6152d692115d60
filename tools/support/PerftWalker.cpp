#include "PerftWalker.h"

#include "engine/CandidateTargets.h"
#include "engine/Notation.h"

#include <array>
#include <cstdlib>
#include <utility>

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
    if (depth <= 0) {
        counts_.nodes = 1;
        return counts_;
    }
    counts_.nodes = Walk(depth, true);
    return counts_;
}

std::uint64_t PerftWalker::Walk(int depth, bool root) {
    const EngineState& state = engine_.State();
    const bool white = state.WhitesTurn;

    // Gather the candidates first: the walk below changes the board and restores it.
    std::array<std::pair<SquareIndex, SquareIndex>, 512> moves;
    std::size_t count = 0;
    for (SquareIndex from = 1; from <= 64; ++from) {
        const BoardSquare& square = state.Squares[from];
        if (square.Occupied && square.Piece.IsWhite == white) {
            ForEachCandidateTarget(state, from, [&](SquareIndex to) {
                if (count < moves.size()) {
                    moves[count++] = {from, to};
                }
            });
        }
    }

    static constexpr std::array<PieceType, 4> promotionShapes = {1, 2, 4, 3}; // Q R B N
    static constexpr char promotionLetters[] = "qrbn";
    std::uint64_t nodes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto [from, to] = moves[i];
        const PieceState mover = state.Squares[from].Piece;
        const bool pawn = ShapeOf(mover.Kind) == Shape::Pawn;
        const bool promotion = pawn && RowOf(to) == (white ? 1 : 8);
        const bool enPassant = pawn && FileOf(from) != FileOf(to) && !state.Squares[to].Occupied;
        const bool castle =
            ShapeOf(mover.Kind) == Shape::King && std::abs(FileOf(from) - FileOf(to)) == 2;
        const std::string fromName = SquareIndexToName(from);
        const std::string toName = SquareIndexToName(to);

        for (int choice = 0; choice < (promotion ? 4 : 1); ++choice) {
            promotionChoice_ = promotionShapes[choice] + (white ? 6 : 0);
            lastPly_ = depth == 1;
            if (!engine_.MovePiece(fromName, toName)) {
                continue;
            }
            std::uint64_t below = 1;
            if (depth == 1) {
                counts_.enPassant += enPassant;
                counts_.captures += enPassant;
                counts_.castles += castle;
                counts_.promotions += promotion;
            } else {
                below = Walk(depth - 1, false);
            }
            nodes += below;
            engine_.UndoLastMove();
            if (root && onRootMove_) {
                onRootMove_(fromName + toName +
                                (promotion ? std::string(1, promotionLetters[choice]) : ""),
                            below);
            }
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

void PerftWalker::PawnPromotion(bool, PieceType& eChoice) {
    eChoice = promotionChoice_;
}

void PerftWalker::Stalemate() {
    counts_.stalemates += lastPly_;
}

} // namespace quorrin::support
