// The move commands: MovePiece, with the host's choice of a promoted piece, and MakeMove, with a
// move value; both make a legal move the same way and raise its events.
#include "ChessEngine.h"
#include "PositionKeys.h"
#include "Rules.h"
#include "San.h"

#include <array>
#include <cassert>

namespace quorrin {

namespace {

// A host's promotion answer, kept when it names a queen, rook, knight or bishop of the
// pawn's colour, otherwise a queen of that colour.
// The names of the squares, made once: the events name squares on every move.
const std::array<std::string, 65>& SquareNames() {
    static const std::array<std::string, 65> names = [] {
        std::array<std::string, 65> made;
        for (int k = 1; k <= 64; ++k) {
            made[k] = SquareIndexToName(k);
        }
        return made;
    }();
    return names;
}

PieceType CorrectedPromotion(PieceType choice, bool white) {
    const PieceType queen = PieceOf(Shape::Queen, white);
    const PieceType bishop = PieceOf(Shape::Bishop, white);
    return choice >= queen && choice <= bishop ? choice : queen;
}

} // namespace

bool ChessEngine::MovePiece(std::string_view sFrom, std::string_view sTo) {
    if (busy_) {
        return false;
    }
    const SquareIndex from = SquareNameToIndex(sFrom);
    const SquareIndex to = SquareNameToIndex(sTo);
    if (from < 1 || to < 1 || from == to) {
        return false;
    }
    if (!Squares[from].Occupied || Squares[from].Piece.IsWhite != WhitesTurn) {
        return false;
    }
    const std::optional<MoveKind> kind = rules::RuleAllows(*this, from, to);
    if (!kind || !rules::KeepsKingSafe(*this, from, to, *kind)) {
        return false;
    }
    BusyScope scope(*this);
    Move move{from, to, std::nullopt};
    if (*kind == MoveKind::PromotionMove) {
        // The move will be made, whatever piece the host wants, unless it no longer wants one.
        PieceType choice = 0;
        events_->PawnPromotion(WhitesTurn, choice);
        if (!events_->MoveStillWanted()) {
            return false;
        }
        move.Promotion = ShapeOf(CorrectedPromotion(choice, WhitesTurn));
    }
    MakeLegalMove(move, *kind);
    return true;
}

bool ChessEngine::MakeMove(const Move& move) {
    if (busy_) {
        return false;
    }
    const std::optional<MoveKind> kind = rules::LegalKind(*this, SideToMove(), move, Safety());
    if (!kind) {
        return false;
    }
    BusyScope scope(*this);
    MakeLegalMove(move, *kind);
    return true;
}

void ChessEngine::MakeLegalMove(const Move& move, MoveKind kind) {
    const SquareIndex from = move.From;
    const SquareIndex to = move.To;
    // The other pieces that could make the same move, which its notation must tell apart.
    const PieceType moverKind = Squares[from].Piece.Kind;
    const Shape moverShape = ShapeOf(moverKind);
    const std::uint64_t rivals = moverShape == Shape::Pawn || moverShape == Shape::King
                                     ? 0
                                     : rules::LegalOrigins(*this, moverKind, to, from);
    // The position key changes by what the move changes: the squares it touches, the side to
    // move, the castling rights and the en passant capture.
    const PositionFacts before = Facts();
    std::array<SquareIndex, 4> touched{from, to, NoSquare, NoSquare};
    if (kind == MoveKind::EnPassantMove) {
        touched[2] = SquareAt(FileOf(to), RowOf(from));
    } else if (kind == MoveKind::CastleKingSide || kind == MoveKind::CastleQueenSide) {
        const bool kingSide = kind == MoveKind::CastleKingSide;
        touched[2] =
            static_cast<SquareIndex>(from + (kingSide ? KingSideRookOffset : QueenSideRookOffset));
        touched[3] = static_cast<SquareIndex>(from + (kingSide ? 1 : -1));
    }
    // Castling rights change only when a move touches a king's or a rook's home square.
    constexpr std::uint64_t homes = SquareBit(E1) | SquareBit(E8) | SquareBit(E1 + 3) |
                                    SquareBit(E1 - 4) | SquareBit(E8 + 3) | SquareBit(E8 - 4);
    const bool rightsMayChange = ((SquareBit(from) | SquareBit(to)) & homes) != 0;
    auto touchedKeys = [&] {
        std::uint64_t sum = rightsMayChange ? keys::OfCastling(CastlingRights(Squares)) : 0;
        for (const SquareIndex square : touched) {
            sum ^= square != NoSquare ? keys::OfSquare(Squares, square) : 0;
        }
        return sum;
    };
    std::uint64_t key = before.Key ^ keys::OfEnPassant(before.EnPassantTarget) ^
                        keys::OfBlackToMove() ^ touchedKeys();
    RecordMove(from, to, kind);
    // En passant leaves the destination empty, so it is not reported as a capture.
    const bool captured = Squares[to].Occupied;
    const PieceType capturedKind = Squares[to].Piece.Kind;
    ShiftPiece(from, to, true);
    turnPassing_ = true;

    const bool promoted = PromotionPending;
    if (PromotionPending) {
        BoardSquare& promotedSquare = Squares[PromotionSquare];
        promotedSquare.Occupied = true;
        promotedSquare.Piece =
            PieceState{PieceOf(move.Promotion.value_or(Shape::Queen), PromotionIsWhite),
                       PromotionIsWhite, true};
        Draw(PromotionSquare, true);
    }
    PromotionPending = false;
    const bool moverIsWhite = WhitesTurn;
    const bool opponentIsWhite = !moverIsWhite;
    const SquareIndex opponentKing = opponentIsWhite ? WhiteKingSquare : BlackKingSquare;
    // After the opponent's own legal move its one king was safe: only what this move changed
    // can attack it now. Castling and en passant change more squares; a bad layout may have
    // started with the opponent in check or with several kings.
    const bool opponentWasSafe = (opponentIsWhite ? whiteKings_ : blackKings_) == 1 &&
                                 (MoveHistory.size() > 1 || !startedInOppositeCheck_);
    const bool opponentAttacked =
        opponentWasSafe && (kind == MoveKind::NormalMove || kind == MoveKind::PromotionMove)
            ? rules::GivesCheck(*this, from, to, opponentKing)
            : IsSquareAttacked(opponentIsWhite, opponentKing);
    assert(opponentAttacked == IsSquareAttacked(opponentIsWhite, opponentKing));
    key ^= touchedKeys();
    // The verdicts are settled before any event, so that every handler sees the move's
    // record complete.
    const bool stuck = !rules::HasLegalMove(
        *this, opponentIsWhite, rules::SafetyOf(*this, opponentIsWhite, opponentAttacked, false));
    const bool mate = opponentAttacked && stuck;
    const bool stalemate = !opponentAttacked && stuck;

    MoveRecord& record = MoveHistory.back();
    const bool resets = moverShape == Shape::Pawn || record.ToOccupied;
    const PositionFacts after =
        WorkOutFacts(opponentIsWhite, key, resets ? 0 : before.HalfmoveClock + 1,
                     before.AutomaticDraws, resets || promoted, opponentAttacked, mate, stalemate);
    assert(after.Key == keys::OfPosition(Squares, opponentIsWhite, after.EnPassantTarget));
    record.After = after;
    IndexNewestPosition();
    record.San = SanOf(move, kind, moverKind, record.ToOccupied, rivals, opponentAttacked, mate);

    Draw(LastMoveFrom, false);
    Draw(LastMoveTo, false);
    LastMoveFrom = from;
    LastMoveTo = to;
    Draw(from, true);
    Draw(to, true);

    events_->PieceMovement(moverIsWhite, SquareNames()[from], SquareNames()[to]);
    if (captured) {
        events_->PieceCapture(capturedKind);
    }
    if (opponentAttacked) {
        events_->KingInCheck(opponentIsWhite, mate);
    } else if (stalemate) {
        events_->Stalemate();
    }
    // A draw by rule is announced once, on the move that brings it about.
    if (const std::optional<DrawReason> draw = DrawMadeBy(MoveHistory.size() - 1)) {
        events_->Draw(*draw);
    }
    WhitesTurn = !WhitesTurn;
    turnPassing_ = false;
}

} // namespace quorrin
