// The squares a piece could possibly move to by the shape of its moves: a superset of its
// legal moves, for anything that must try every move of a side (the checkmate and stalemate
// tests, move walkers in tools and tests). The movement rule still judges each one.
#pragma once

#include "BoardGeometry.h"
#include "ChessEngine.h"

namespace quorrin {

// Calls visit(to) for each candidate destination of the piece on from. Sliding pieces stop
// at the first occupied square of each line; a king on its home square also offers the two
// castling destinations; a pawn offers its steps forward and both forward diagonals.
template <class Visit>
void ForEachCandidateTarget(const EngineState& state, SquareIndex from, Visit&& visit) {
    if (!IsBoardSquare(from) || !state.Squares[from].Occupied) {
        return;
    }
    const PieceState& piece = state.Squares[from].Piece;
    const auto& rays = geometry::Board.rays[from];
    auto walk = [&](int firstDirection, int lastDirection) {
        for (int d = firstDirection; d <= lastDirection; ++d) {
            const geometry::Ray& ray = rays[d];
            for (int i = 0; i < ray.length; ++i) {
                visit(ray.squares[i]);
                if (state.Squares[ray.squares[i]].Occupied) {
                    break;
                }
            }
        }
    };
    switch (ShapeOf(piece.Kind)) {
    case Shape::Rook:
        walk(0, geometry::FirstDiagonal - 1);
        break;
    case Shape::Bishop:
        walk(geometry::FirstDiagonal, 7);
        break;
    case Shape::Queen:
        walk(0, 7);
        break;
    case Shape::Knight: {
        const geometry::Jumps& jumps = geometry::Board.knight[from];
        for (int i = 0; i < jumps.length; ++i) {
            visit(jumps.squares[i]);
        }
        break;
    }
    case Shape::King: {
        for (int d = 0; d < 8; ++d) {
            if (rays[d].length > 0) {
                visit(rays[d].squares[0]);
            }
        }
        const SquareIndex homeSquare = piece.IsWhite ? E1 : E8;
        if (from == homeSquare) {
            visit(static_cast<SquareIndex>(from + 2));
            visit(static_cast<SquareIndex>(from - 2));
        }
        break;
    }
    case Shape::Pawn: {
        const int forward = piece.IsWhite ? -1 : 1;
        const int file = FileOf(from);
        const int row = RowOf(from);
        for (const int df : {0, -1, 1}) {
            if (const SquareIndex to = SquareAt(file + df, row + forward)) {
                visit(to);
            }
        }
        if (const SquareIndex two = SquareAt(file, row + 2 * forward)) {
            visit(two);
        }
        break;
    }
    }
}

} // namespace quorrin
