// Legal moves: the movement rule with the mover's own king left safe; the legal moves of a side,
// the checkmate and stalemate tests and the outcome they give.
#include "Rules.h"

namespace quorrin {

namespace rules {

int DirectionTo(SquareIndex a, SquareIndex b) {
    return geometry::Board.direction[a][b];
}

SquareIndex FirstOccupied(const Board& squares, SquareIndex square, int direction) {
    const geometry::Ray& ray = geometry::Board.rays[square][direction];
    for (int i = 0; i < ray.length; ++i) {
        if (squares[ray.squares[i]].Occupied) {
            return ray.squares[i];
        }
    }
    return NoSquare;
}

// Whether the piece on square is of the colour given and slides along direction.
namespace {
bool SlidesAlong(const Board& squares, SquareIndex square, bool white, int direction) {
    const PieceState& piece = squares[square].Piece;
    const Shape shape = ShapeOf(piece.Kind);
    return square != NoSquare && piece.IsWhite == white &&
           (shape == Shape::Queen ||
            shape == (direction >= geometry::FirstDiagonal ? Shape::Bishop : Shape::Rook));
}
} // namespace

bool KeepsKingSafe(const EngineState& position, SquareIndex from, SquareIndex to, MoveKind kind) {
    const PieceState& mover = position.Squares[from].Piece;
    const bool white = mover.IsWhite;
    Overlay overlay{SquareBit(from), to};
    if (kind == MoveKind::EnPassantMove) {
        overlay.vacated |= SquareBit(SquareAt(FileOf(to), RowOf(from)));
    }
    // A castling's rook never shields the king's new square: any line through the rook's new
    // square to the king runs through the king's home square, which is not attacked.
    const SquareIndex king = ShapeOf(mover.Kind) == Shape::King
                                 ? to
                                 : (white ? position.WhiteKingSquare : position.BlackKingSquare);
    return !SquareIsAttacked(position.Squares, white, king, overlay);
}

std::optional<MoveKind> LegalKind(const EngineState& position, bool sideIsWhite, const Move& move,
                                  const KingSafety& safety) {
    if (!IsBoardSquare(move.From) || !IsBoardSquare(move.To)) {
        return std::nullopt;
    }
    const BoardSquare& source = position.Squares[move.From];
    if (!source.Occupied || source.Piece.IsWhite != sideIsWhite) {
        return std::nullopt;
    }
    const std::optional<MoveKind> kind = RuleAllows(position, move.From, move.To);
    const bool promotes = kind == MoveKind::PromotionMove;
    const bool named = move.Promotion.has_value() && IsPromotionShape(*move.Promotion);
    if (!kind || promotes != named || (!promotes && move.Promotion) ||
        !KeepsKingSafe(position, move.From, move.To, *kind, safety)) {
        return std::nullopt;
    }
    return kind;
}

std::uint64_t LegalOrigins(const EngineState& position, PieceType kind, SquareIndex to,
                           SquareIndex except) {
    std::uint64_t origins = 0;
    auto consider = [&](SquareIndex from) {
        const BoardSquare& square = position.Squares[from];
        if (from == except || !square.Occupied || square.Piece.Kind != kind) {
            return;
        }
        const std::optional<MoveKind> rule = RuleAllows(position, from, to);
        if (rule && KeepsKingSafe(position, from, to, *rule)) {
            origins |= SquareBit(from);
        }
    };
    // A knight or a sliding piece can only come from a square it would reach from to; kings
    // and pawns are looked for everywhere.
    const Shape shape = ShapeOf(kind);
    if (shape == Shape::Knight) {
        const geometry::Jumps& jumps = geometry::Board.knight[to];
        for (int i = 0; i < jumps.length; ++i) {
            consider(jumps.squares[i]);
        }
    } else if (shape == Shape::Rook || shape == Shape::Bishop || shape == Shape::Queen) {
        const int first = shape == Shape::Bishop ? geometry::FirstDiagonal : 0;
        const int last = shape == Shape::Rook ? geometry::FirstDiagonal - 1 : 7;
        for (int d = first; d <= last; ++d) {
            const geometry::Ray& ray = geometry::Board.rays[to][d];
            for (int i = 0; i < ray.length; ++i) {
                if (position.Squares[ray.squares[i]].Occupied) {
                    consider(ray.squares[i]);
                    break;
                }
            }
        }
    } else {
        for (SquareIndex from = 1; from <= 64; ++from) {
            consider(from);
        }
    }
    return origins;
}

bool GivesCheck(const EngineState& position, SquareIndex from, SquareIndex to, SquareIndex king) {
    if (king == NoSquare) {
        return false;
    }
    const Board& squares = position.Squares;
    const PieceState& piece = squares[to].Piece;
    const bool attacker = piece.IsWhite;
    const int df = FileOf(to) - FileOf(king);
    const int dr = RowOf(to) - RowOf(king);
    switch (ShapeOf(piece.Kind)) {
    case Shape::Knight:
        if (df * dr == 2 || df * dr == -2) {
            return true;
        }
        break;
    case Shape::Pawn:
        // A pawn attacks diagonally forward: the king stands one row ahead of it.
        if ((df == 1 || df == -1) && dr == (attacker ? 1 : -1)) {
            return true;
        }
        break;
    case Shape::King:
        break;
    default: {
        const int d = DirectionTo(king, to);
        if (d >= 0 && FirstOccupied(squares, king, d) == to &&
            SlidesAlong(squares, to, attacker, d)) {
            return true;
        }
    }
    }
    // A line through the square left, now open.
    const int d = DirectionTo(king, from);
    return d >= 0 && SlidesAlong(squares, FirstOccupied(squares, king, d), attacker, d);
}

SquareIndex LegalEnPassantTarget(const EngineState& position, bool sideIsWhite) {
    if (!position.EnPassantOpen || position.EnPassantByWhite != sideIsWhite) {
        return NoSquare;
    }
    // The pawn that made the double step stands beside the capturing pawns' row.
    const int row = sideIsWhite ? 4 : 5;
    const SquareIndex target = SquareAt(position.EnPassantFile, sideIsWhite ? 3 : 6);
    const PieceType pawn = PieceOf(Shape::Pawn, sideIsWhite);
    for (const int df : {-1, 1}) {
        const SquareIndex from = SquareAt(position.EnPassantFile + df, row);
        if (from != NoSquare && position.Squares[from].Occupied &&
            position.Squares[from].Piece.Kind == pawn &&
            KeepsKingSafe(position, from, target, MoveKind::EnPassantMove)) {
            return target;
        }
    }
    return NoSquare;
}

bool IsPinned(const EngineState& position, SquareIndex king, SquareIndex from) {
    const int d = DirectionTo(king, from);
    if (d < 0 || FirstOccupied(position.Squares, king, d) != from) {
        return false;
    }
    const SquareIndex beyond = FirstOccupied(position.Squares, from, d);
    return SlidesAlong(position.Squares, beyond, !position.Squares[from].Piece.IsWhite, d);
}

KingSafety SafetyOf(const EngineState& position, bool sideIsWhite, std::optional<bool> inCheck,
                    bool withPins) {
    KingSafety safety;
    safety.king = sideIsWhite ? position.WhiteKingSquare : position.BlackKingSquare;
    safety.inCheck =
        inCheck ? *inCheck : SquareIsAttacked(position.Squares, sideIsWhite, safety.king);
    safety.pinsKnown = withPins;
    if (safety.king == NoSquare || !withPins) {
        return safety;
    }
    const Board& squares = position.Squares;
    const PieceType queen = PieceOf(Shape::Queen, !sideIsWhite);
    for (int d = 0; d < 8; ++d) {
        const PieceType slider =
            PieceOf(d < geometry::FirstDiagonal ? Shape::Rook : Shape::Bishop, !sideIsWhite);
        const geometry::Ray& ray = geometry::Board.rays[safety.king][d];
        SquareIndex shield = NoSquare;
        for (int i = 0; i < ray.length; ++i) {
            const BoardSquare& met = squares[ray.squares[i]];
            if (!met.Occupied) {
                continue;
            }
            if (shield == NoSquare && met.Piece.IsWhite == sideIsWhite) {
                shield = ray.squares[i];
                continue;
            }
            if (shield != NoSquare && (met.Piece.Kind == queen || met.Piece.Kind == slider)) {
                safety.pinned |= SquareBit(shield);
            }
            break;
        }
    }
    return safety;
}

bool HasLegalMove(const EngineState& position, bool sideIsWhite, const KingSafety& safety) {
    // A side's own back rank first: its pieces stand there most often.
    return !ForEachLegalMove(
        position, sideIsWhite, safety, [](const Move&, MoveKind) { return false; }, true);
}

} // namespace rules

MoveList ChessEngine::LegalMoves() const {
    MoveList moves;
    const bool side = SideToMove();
    rules::ForEachLegalMove(*this, side, rules::SafetyOf(*this, side, Facts().InCheck),
                            [&moves](const Move& move, MoveKind) {
                                moves.Add(move);
                                return true;
                            });
    return moves;
}

bool ChessEngine::IsLegal(const Move& move) const {
    return rules::LegalKind(*this, SideToMove(), move, Safety()).has_value();
}

rules::KingSafety ChessEngine::Safety() const {
    return {SideToMove() ? WhiteKingSquare : BlackKingSquare, Facts().InCheck};
}

bool ChessEngine::IsCheckmate(bool KingIsWhite, SquareIndex KingSquare) const {
    return IsSquareAttacked(KingIsWhite, KingSquare) &&
           !rules::HasLegalMove(*this, KingIsWhite, rules::SafetyOf(*this, KingIsWhite));
}

bool ChessEngine::IsStalemate(bool KingIsWhite, SquareIndex KingSquare) const {
    return !IsSquareAttacked(KingIsWhite, KingSquare) &&
           !rules::HasLegalMove(*this, KingIsWhite, rules::SafetyOf(*this, KingIsWhite));
}

GameOutcome ChessEngine::Outcome() const {
    const PositionFacts& facts = Facts();
    GameOutcome outcome;
    outcome.Claimable = ClaimableDraw();
    if (facts.Mated) {
        outcome.Kind = OutcomeKind::Checkmate;
        outcome.WhiteWins = !SideToMove();
    } else if (facts.Stalemated) {
        outcome.Kind = OutcomeKind::Stalemate;
    } else if (facts.AutomaticDraws != 0) {
        outcome.Kind = OutcomeKind::Drawn;
        int reason = 1;
        while ((facts.AutomaticDraws & (1U << reason)) == 0) {
            ++reason;
        }
        outcome.DrawnBy = static_cast<DrawReason>(reason);
    }
    return outcome;
}

} // namespace quorrin
