// Whether a square is attacked: could a piece of the other colour capture on it?
#include "BoardGeometry.h"
#include "ChessEngine.h"
#include "EngineInternals.h"

namespace quorrin {

bool ChessEngine::IsSquareAttacked(bool ownerIsWhite, SquareIndex square) const {
    return SquareIsAttacked(Squares, ownerIsWhite, square);
}

bool SquareIsAttacked(const std::array<BoardSquare, 65>& squares, bool ownerIsWhite,
                      SquareIndex square) {
    if (!IsBoardSquare(square)) {
        return false;
    }
    const bool attackerIsWhite = !ownerIsWhite;
    const PieceType king = PieceOf(Shape::King, attackerIsWhite);
    const PieceType queen = PieceOf(Shape::Queen, attackerIsWhite);
    const PieceType rook = PieceOf(Shape::Rook, attackerIsWhite);
    const PieceType bishop = PieceOf(Shape::Bishop, attackerIsWhite);
    const PieceType knight = PieceOf(Shape::Knight, attackerIsWhite);
    const PieceType pawn = PieceOf(Shape::Pawn, attackerIsWhite);

    const auto& rays = geometry::Board.rays[square];
    for (int d = 0; d < 8; ++d) {
        const bool diagonalRay = d >= geometry::FirstDiagonal;
        const PieceType slider = diagonalRay ? bishop : rook;
        const geometry::Ray& ray = rays[d];
        for (int i = 0; i < ray.length; ++i) {
            const BoardSquare& met = squares[ray.squares[i]];
            if (!met.Occupied) {
                continue;
            }
            const PieceType kind = met.Piece.Kind;
            if (kind == queen || kind == slider) {
                return true;
            }
            if (i == 0 && kind == king) {
                return true;
            }
            // A pawn takes diagonally forward: a white pawn attacks from the row below the
            // square (toward rank 1), a black pawn from the row above.
            if (i == 0 && diagonalRay && kind == pawn &&
                (geometry::Directions[d].row > 0) == attackerIsWhite) {
                return true;
            }
            break;
        }
    }
    const geometry::Jumps& jumps = geometry::Board.knight[square];
    for (int i = 0; i < jumps.length; ++i) {
        const BoardSquare& met = squares[jumps.squares[i]];
        if (met.Occupied && met.Piece.Kind == knight) {
            return true;
        }
    }
    return false;
}

} // namespace quorrin
