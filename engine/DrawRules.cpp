// Draws by rule: the facts kept for every position of the game, insufficient material, and the
// claims a player may make.
#include "ChessEngine.h"
#include "PositionKeys.h"
#include "Rules.h"

#include <algorithm>
#include <cstdint>

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

namespace {

std::size_t BucketOf(std::uint64_t key, std::size_t buckets) {
    // The key's high bits are as random as its low ones; the low bits pick the bucket.
    return static_cast<std::size_t>(key) & (buckets - 1);
}

} // namespace

int ChessEngine::Repetitions(std::uint64_t key, std::int32_t plies) const {
    // The position now being worked out stands after MoveHistory.size() plies and is not yet
    // indexed. The newest earlier position with its key, if it stands since the last capture
    // or pawn move, already counts the ones before it.
    const auto now = static_cast<std::int64_t>(MoveHistory.size());
    const std::int64_t oldest = std::max<std::int64_t>(0, now - plies);
    const auto& index = positionsByKey_;
    if (now == 0 || index.Earlier.size() != static_cast<std::size_t>(now)) {
        return 1; // the start, whose earlier positions are not known
    }
    for (std::int64_t p = index.Head[BucketOf(key, index.Head.size())]; p >= oldest;
         p = index.Earlier[static_cast<std::size_t>(p)]) {
        const PositionFacts& earlier = FactsAt(static_cast<std::size_t>(p));
        if (earlier.Key == key) {
            return std::min(255, earlier.Repetitions + 1);
        }
    }
    return 1;
}

void ChessEngine::IndexNewestPosition() {
    auto& index = positionsByKey_;
    const std::size_t p = MoveHistory.size();
    if (p >= index.Head.size() || index.Earlier.size() != p) {
        // The table doubles as the game outgrows it, keeping the chains short (amortised
        // over the positions); a record made outside a move command is indexed here too.
        IndexAllPositions();
        return;
    }
    std::int32_t& head = index.Head[BucketOf(FactsAt(p).Key, index.Head.size())];
    index.Earlier.push_back(head);
    head = static_cast<std::int32_t>(p);
}

void ChessEngine::ForgetNewestPosition() {
    auto& index = positionsByKey_;
    const std::size_t p = MoveHistory.size();
    if (index.Earlier.size() != p + 1) {
        return; // the newest record was never indexed: it left no position of the game
    }
    index.Head[BucketOf(FactsAt(p).Key, index.Head.size())] = index.Earlier[p];
    index.Earlier.pop_back();
}

void ChessEngine::IndexAllPositions() {
    auto& index = positionsByKey_;
    const std::size_t positions = MoveHistory.size() + 1;
    std::size_t buckets = std::max<std::size_t>(index.Head.size(), 1024);
    while (buckets < 2 * positions) {
        buckets *= 2;
    }
    index.Head.assign(buckets, -1);
    index.Earlier.clear();
    for (std::size_t q = 0; q < positions; ++q) {
        std::int32_t& head = index.Head[BucketOf(FactsAt(q).Key, buckets)];
        index.Earlier.push_back(head);
        head = static_cast<std::int32_t>(q);
    }
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
    const auto plies = static_cast<std::int64_t>(MoveHistory.size()) + (StartWhitesTurn ? 0 : 1);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(StartFullmoveNumber + plies / 2, INT32_MAX));
}

} // namespace quorrin
