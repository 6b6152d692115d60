// Draws by rule: the facts kept for every position of the game, insufficient material, and the
// claims a player may make.
#include "ChessEngine.h"
#include "PositionKeys.h"
#include "Rules.h"

#include <algorithm>

namespace quorrin {

namespace {

constexpr std::uint8_t Bit(DrawReason reason) {
    return static_cast<std::uint8_t>(1U << static_cast<int>(reason));
}

} // namespace

bool ChessEngine::InsufficientMaterial() const {
    int minors = 0;
    int lightBishops = 0;
    int darkBishops = 0;
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = Squares[k];
        if (!square.Occupied) {
            continue;
        }
        switch (ShapeOf(square.Piece.Kind)) {
        case Shape::King:
            break;
        case Shape::Knight:
            ++minors;
            break;
        case Shape::Bishop:
            ++minors;
            ++(square.IsDark ? darkBishops : lightBishops);
            break;
        default:
            return false;
        }
    }
    // A lone minor piece cannot mate, nor can bishops that all stand on one colour.
    return minors <= 1 || lightBishops == minors || darkBishops == minors;
}

bool ChessEngine::CouldCheckmate(bool bWhite) const {
    int own = 0;   // bWhite's pieces besides its king
    int other = 0; // the other side's
    bool ownMinor = false;
    bool bishopsOnly = true; // besides the kings
    bool light = false;
    bool dark = false;
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = Squares[k];
        if (!square.Occupied || ShapeOf(square.Piece.Kind) == Shape::King) {
            continue;
        }
        const Shape shape = ShapeOf(square.Piece.Kind);
        const bool mine = IsWhitePiece(square.Piece.Kind) == bWhite;
        ++(mine ? own : other);
        ownMinor |= mine && (shape == Shape::Knight || shape == Shape::Bishop);
        bishopsOnly &= shape == Shape::Bishop;
        if (shape == Shape::Bishop) {
            (square.IsDark ? dark : light) = true;
        }
    }
    if (own == 0 || (own == 1 && ownMinor && other == 0)) {
        return false;
    }
    // Bishops of one colour of square can never attack a king's squares of the other colour.
    return !(bishopsOnly && !(light && dark));
}

int ChessEngine::Repetitions(std::uint64_t key, std::int32_t plies) const {
    // Position p stands after p plies: the start for 0, else after record p - 1. Only the
    // positions since the last capture or pawn move can repeat this one.
    const auto now = static_cast<std::int64_t>(MoveHistory.size());
    const std::int64_t oldest = std::max<std::int64_t>(0, now - plies);
    int count = 1;
    for (std::int64_t p = now - 2; p >= oldest; p -= 2) {
        const std::uint64_t other = p == 0 ? Start.Key : MoveHistory[p - 1].After.Key;
        count += other == key;
    }
    return count;
}

PositionFacts ChessEngine::WorkOutFacts(bool sideToMove, std::uint64_t keyWithoutEnPassant,
                                        std::int32_t halfmoveClock, std::uint8_t previousDraws,
                                        bool materialChanged, bool inCheck, bool mated,
                                        bool stalemated) const {
    PositionFacts facts;
    facts.InCheck = inCheck;
    facts.HalfmoveClock = halfmoveClock;
    facts.EnPassantTarget = rules::LegalEnPassantTarget(*this, sideToMove);
    facts.Key = keyWithoutEnPassant ^ keys::OfEnPassant(facts.EnPassantTarget);
    facts.Repetitions =
        static_cast<std::uint8_t>(std::min(255, Repetitions(facts.Key, halfmoveClock)));
    facts.Mated = mated;
    facts.Stalemated = stalemated;
    const std::uint8_t insufficient = Bit(DrawReason::InsufficientMaterial);
    facts.AutomaticDraws = materialChanged ? (InsufficientMaterial() ? insufficient : 0)
                                           : previousDraws & insufficient;
    if (facts.Repetitions >= 5) {
        facts.AutomaticDraws |= Bit(DrawReason::FivefoldRepetition);
    }
    if (halfmoveClock >= 150) {
        facts.AutomaticDraws |= Bit(DrawReason::SeventyFiveMoveRule);
    }
    return facts;
}

std::optional<DrawReason> ChessEngine::ClaimableDraw() const {
    const PositionFacts& facts = Facts();
    if (facts.Repetitions >= 3) {
        return DrawReason::ThreefoldRepetition;
    }
    if (facts.HalfmoveClock >= 100 && !facts.Mated) {
        return DrawReason::FiftyMoveRule;
    }
    return std::nullopt;
}

std::optional<DrawReason> ChessEngine::DrawMadeBy(std::size_t ply) const {
    if (ply >= MoveHistory.size()) {
        return std::nullopt;
    }
    const PositionFacts& after = MoveHistory[ply].After;
    const PositionFacts& before = ply == 0 ? Start : MoveHistory[ply - 1].After;
    const unsigned fresh = after.AutomaticDraws & ~before.AutomaticDraws;
    if (fresh == 0 || after.Mated || after.Stalemated) {
        return std::nullopt;
    }
    int reason = 1;
    while ((fresh & (1U << reason)) == 0) {
        ++reason;
    }
    return static_cast<DrawReason>(reason);
}

std::int32_t ChessEngine::FullmoveNumber() const {
    const auto plies = static_cast<std::int32_t>(MoveHistory.size()) + (StartWhitesTurn ? 0 : 1);
    return StartFullmoveNumber + plies / 2;
}

} // namespace quorrin
