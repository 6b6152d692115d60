// Whether a square is attacked: could a piece of the other colour capture on it?
#include "Attacks.h"

#include "BoardGeometry.h"
#include "ChessEngine.h"

namespace quorrin {

bool ChessEngine::IsSquareAttacked(bool ownerIsWhite, SquareIndex square) const {
    return SquareIsAttacked(Squares, ownerIsWhite, square);
}

namespace {

// With no overlay the board is read as it stands, without the overlay's tests on every square.
template <bool Overlaid>
bool Attacked(const Board& squares, bool ownerIsWhite, SquareIndex square, const Overlay& overlay) {
    const bool attackerIsWhite = !ownerIsWhite;
    const PieceType king = PieceOf(Shape::King, attackerIsWhite);
    const PieceType queen = PieceOf(Shape::Queen, attackerIsWhite);
    const PieceType rook = PieceOf(Shape::Rook, attackerIsWhite);
    const PieceType bishop = PieceOf(Shape::Bishop, attackerIsWhite);
    const PieceType knight = PieceOf(Shape::Knight, attackerIsWhite);
    const PieceType pawn = PieceOf(Shape::Pawn, attackerIsWhite);
    // The piece that stands on a square as the overlay leaves the board: -1 for none, -2 for
    // the owner's piece laid on filled.
    auto kindAt = [&](SquareIndex at) -> PieceType {
        if (Overlaid && at == overlay.filled) {
            return -2;
        }
        const BoardSquare& met = squares[at];
        return met.Occupied && (!Overlaid || (overlay.vacated & SquareBit(at)) == 0)
                   ? met.Piece.Kind
                   : -1;
    };

    const auto& rays = geometry::Board.rays[square];
    for (int d = 0; d < 8; ++d) {
        const bool diagonalRay = d >= geometry::FirstDiagonal;
        const PieceType slider = diagonalRay ? bishop : rook;
        const geometry::Ray& ray = rays[d];
        for (int i = 0; i < ray.length; ++i) {
            const PieceType kind = kindAt(ray.squares[i]);
            if (kind == -1) {
                continue;
            }
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
        if (kindAt(jumps.squares[i]) == knight) {
            return true;
        }
    }
    return false;
}

} // namespace

bool SquareIsAttacked(const Board& squares, bool ownerIsWhite, SquareIndex square,
                      const Overlay& overlay) {
    if (!IsBoardSquare(square)) {
        return false;
    }
    return overlay.vacated == 0 && overlay.filled == NoSquare
               ? Attacked<false>(squares, ownerIsWhite, square, overlay)
               : Attacked<true>(squares, ownerIsWhite, square, overlay);
}

int CastlingRights(const Board& squares) {
    auto unmoved = [&squares](int square, PieceType kind) {
        const BoardSquare& s = squares[square];
        return s.Occupied && s.Piece.Kind == kind && !s.Piece.HasMoved;
    };
    int rights = 0;
    for (const bool white : {true, false}) {
        const SquareIndex king = white ? E1 : E8;
        const PieceType rook = PieceOf(Shape::Rook, white);
        if (unmoved(king, PieceOf(Shape::King, white))) {
            const int shift = white ? 0 : 2;
            rights |= unmoved(king + KingSideRookOffset, rook) ? 1 << shift : 0;
            rights |= unmoved(king + QueenSideRookOffset, rook) ? 2 << shift : 0;
        }
    }
    return rights;
}

} // namespace quorrin
