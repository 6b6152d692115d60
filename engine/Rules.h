// Inside the engine: the movement rule of each piece and the legality of a move, judged on a
// position without changing it, and the legal moves of a side. Everything here reads the
// position only, so that any question about moves leaves the game exactly as it was.
#pragma once

#include "Attacks.h"
#include "BoardGeometry.h"
#include "ChessEngine.h"

#include <optional>

namespace quorrin::rules {

// What the safety of a side's king rests on, worked out once for many moves.
struct KingSafety {
    SquareIndex king = NoSquare; // the side's king square, none without a king
    bool inCheck = false;
    // The side's pieces that alone stand between its king and an enemy queen, rook or bishop
    // (SquareBit of each), when pinsKnown.
    std::uint64_t pinned = 0;
    bool pinsKnown = false;
};

// The kind of move that the movement rule of the piece on from allows to to (its own king not
// considered), or nothing: geometry, pieces in the way, pawn steps and captures, en passant
// (only for the side that may take it), promotion, and castling with its conditions.
std::optional<MoveKind> RuleAllows(const EngineState& position, SquareIndex from, SquareIndex to);

// Whether the move from..to of that kind leaves the mover's own king unattacked: the king's
// new square for a king move, else the side's king square (a side without a king is safe).
bool KeepsKingSafe(const EngineState& position, SquareIndex from, SquareIndex to, MoveKind kind);

// The safety of the side's king, with its pins when withPins; inCheck is worked out unless
// given.
KingSafety SafetyOf(const EngineState& position, bool sideIsWhite,
                    std::optional<bool> inCheck = std::nullopt, bool withPins = true);

// The direction (an index of geometry::Directions) from square a to square b on a line of the
// board, or -1 when they share no rank, file or diagonal.
int DirectionTo(SquareIndex a, SquareIndex b);
// The first occupied square walking from square in direction, or NoSquare.
SquareIndex FirstOccupied(const Board& squares, SquareIndex square, int direction);

// Whether the piece on from, on a line with its king, alone shields the king from an enemy
// queen, rook or bishop on that line.
bool IsPinned(const EngineState& position, SquareIndex king, SquareIndex from);

// KeepsKingSafe for a side whose safety is known: a move of a piece other than the king that
// is not pinned (or, pins unknown, not on a line with its king) cannot expose a king that is
// not in check, and needs no attack test.
inline bool KeepsKingSafe(const EngineState& position, SquareIndex from, SquareIndex to,
                          MoveKind kind, const KingSafety& safety) {
    if (safety.king == NoSquare) {
        return true;
    }
    if (!safety.inCheck && kind != MoveKind::EnPassantMove &&
        ShapeOf(position.Squares[from].Piece.Kind) != Shape::King) {
        if (safety.pinsKnown ? (safety.pinned & SquareBit(from)) == 0
                             : !IsPinned(position, safety.king, from)) {
            return true;
        }
    }
    return KeepsKingSafe(position, from, to, kind);
}

// The kind of move, when move is a legal move of the side, whose king's safety is given (a
// promotion naming its piece, any other move none); else nothing.
std::optional<MoveKind> LegalKind(const EngineState& position, bool sideIsWhite, const Move& move,
                                  const KingSafety& safety);

// The squares (SquareBit of each) of the pieces of kind, other than except, that may legally
// move to to.
std::uint64_t LegalOrigins(const EngineState& position, PieceType kind, SquareIndex to,
                           SquareIndex except);

// Whether the piece now standing on to, having come from from, gives check to the king of the
// other colour on king: directly, or by opening a line through from. (Castling and en passant
// change more squares: ask SquareIsAttacked.)
bool GivesCheck(const EngineState& position, SquareIndex from, SquareIndex to, SquareIndex king);

// The square a legal en passant capture of the side would land on, or 0.
SquareIndex LegalEnPassantTarget(const EngineState& position, bool sideIsWhite);

// Whether the side, its king's safety known, has any legal move.
bool HasLegalMove(const EngineState& position, bool sideIsWhite, const KingSafety& safety);

// The order promotions are offered in.
inline constexpr Shape PromotionOrder[] = {Shape::Queen, Shape::Rook, Shape::Bishop, Shape::Knight};

// Calls visit(move, kind) for each legal move of the side, in board order of the squares left
// (from a8, or from the side's own back rank when homeFirst) and, for each piece, in the order
// of its directions (a pawn: forward, the two captures, the double step; a king: its steps,
// then castling); each promotion piece apart. Stops when visit returns false, and then returns
// false.
template <class Visit>
bool ForEachLegalMove(const EngineState& position, bool sideIsWhite, const KingSafety& safety,
                      Visit&& visit, bool homeFirst = false) {
    const Board& squares = position.Squares;
    auto offer = [&](SquareIndex from, SquareIndex to, MoveKind kind) {
        if (!KeepsKingSafe(position, from, to, kind, safety)) {
            return true;
        }
        if (kind != MoveKind::PromotionMove) {
            return visit(Move{from, to, std::nullopt}, kind);
        }
        for (const Shape shape : PromotionOrder) {
            if (!visit(Move{from, to, shape}, kind)) {
                return false;
            }
        }
        return true;
    };
    // A square a piece of the side may go to by capture or onto an empty square.
    auto open = [&](SquareIndex to) {
        return !squares[to].Occupied || squares[to].Piece.IsWhite != sideIsWhite;
    };
    const bool backwards = homeFirst && sideIsWhite;
    for (int step = 1; step <= 64; ++step) {
        const auto from = static_cast<SquareIndex>(backwards ? 65 - step : step);
        const BoardSquare& square = squares[from];
        if (!square.Occupied || square.Piece.IsWhite != sideIsWhite) {
            continue;
        }
        const auto& rays = geometry::Board.rays[from];
        auto slide = [&](int firstDirection, int lastDirection) {
            for (int d = firstDirection; d <= lastDirection; ++d) {
                const geometry::Ray& ray = rays[d];
                for (int i = 0; i < ray.length; ++i) {
                    const SquareIndex to = ray.squares[i];
                    if (open(to) && !offer(from, to, MoveKind::NormalMove)) {
                        return false;
                    }
                    if (squares[to].Occupied) {
                        break;
                    }
                }
            }
            return true;
        };
        switch (ShapeOf(square.Piece.Kind)) {
        case Shape::Rook:
            if (!slide(0, geometry::FirstDiagonal - 1)) {
                return false;
            }
            break;
        case Shape::Bishop:
            if (!slide(geometry::FirstDiagonal, 7)) {
                return false;
            }
            break;
        case Shape::Queen:
            if (!slide(0, 7)) {
                return false;
            }
            break;
        case Shape::Knight: {
            const geometry::Jumps& jumps = geometry::Board.knight[from];
            for (int i = 0; i < jumps.length; ++i) {
                if (open(jumps.squares[i]) &&
                    !offer(from, jumps.squares[i], MoveKind::NormalMove)) {
                    return false;
                }
            }
            break;
        }
        case Shape::King: {
            for (int d = 0; d < 8; ++d) {
                if (rays[d].length > 0 && open(rays[d].squares[0]) &&
                    !offer(from, rays[d].squares[0], MoveKind::NormalMove)) {
                    return false;
                }
            }
            if (from == (sideIsWhite ? E1 : E8)) {
                for (const int side : {2, -2}) {
                    const auto to = static_cast<SquareIndex>(from + side);
                    const std::optional<MoveKind> castling = RuleAllows(position, from, to);
                    if (castling && !offer(from, to, *castling)) {
                        return false;
                    }
                }
            }
            break;
        }
        case Shape::Pawn: {
            const int file = FileOf(from);
            const int row = RowOf(from);
            const int forward = sideIsWhite ? -1 : 1;
            auto kindTo = [&](SquareIndex to) {
                return RowOf(to) == PromotionRow(sideIsWhite) ? MoveKind::PromotionMove
                                                              : MoveKind::NormalMove;
            };
            const SquareIndex one = SquareAt(file, row + forward);
            if (one && !squares[one].Occupied && !offer(from, one, kindTo(one))) {
                return false;
            }
            for (const int df : {-1, 1}) {
                const SquareIndex to = SquareAt(file + df, row + forward);
                if (to == NoSquare) {
                    continue;
                }
                if (squares[to].Occupied) {
                    if (squares[to].Piece.IsWhite != sideIsWhite && !offer(from, to, kindTo(to))) {
                        return false;
                    }
                } else if (position.EnPassantOpen && FileOf(to) == position.EnPassantFile &&
                           row == (sideIsWhite ? 4 : 5) &&
                           position.EnPassantByWhite == sideIsWhite &&
                           !offer(from, to, MoveKind::EnPassantMove)) {
                    return false;
                }
            }
            const SquareIndex two = SquareAt(file, row + 2 * forward);
            if (row == (sideIsWhite ? 7 : 2) && one && two && !squares[one].Occupied &&
                !squares[two].Occupied && !offer(from, two, MoveKind::NormalMove)) {
                return false;
            }
            break;
        }
        }
    }
    return true;
}

} // namespace quorrin::rules
