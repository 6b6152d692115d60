// Draws by rule: the position key that recognises a repeated position, the facts kept for
// every position of the game, insufficient material, and the claims a player may make.
#include "ChessEngine.h"
#include "EngineInternals.h"

#include <algorithm>

namespace quorrin {

namespace {

// Fixed pseudo-random numbers for the position key, one per piece on a square, the side to
// move, each castling right and each en passant file.
struct KeyTable {
    std::array<std::array<std::uint64_t, PieceTypeCount>, 65> pieces{};
    std::uint64_t blackToMove = 0;
    std::array<std::uint64_t, 16> castling{};
    std::array<std::uint64_t, 9> enPassantFile{};
};

constexpr std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr KeyTable MakeKeyTable() {
    KeyTable t{};
    std::uint64_t state = 0x51A5EC0FFEEULL;
    for (auto& square : t.pieces) {
        for (auto& key : square) {
            key = SplitMix(state);
        }
    }
    t.blackToMove = SplitMix(state);
    std::array<std::uint64_t, 4> rights{};
    for (auto& key : rights) {
        key = SplitMix(state);
    }
    for (std::size_t mask = 0; mask < 16; ++mask) {
        for (std::size_t bit = 0; bit < 4; ++bit) {
            if ((mask >> bit) & 1U) {
                t.castling[mask] ^= rights[bit];
            }
        }
    }
    for (auto& key : t.enPassantFile) {
        key = SplitMix(state);
    }
    return t;
}

constexpr KeyTable Keys = MakeKeyTable();

constexpr std::uint8_t Bit(DrawReason reason) {
    return static_cast<std::uint8_t>(1U << static_cast<int>(reason));
}

} // namespace

std::string_view DrawReasonName(DrawReason eReason) {
    switch (eReason) {
    case DrawReason::InsufficientMaterial:
        return "insufficient-material";
    case DrawReason::FivefoldRepetition:
        return "fivefold-repetition";
    case DrawReason::SeventyFiveMoveRule:
        return "seventy-five-move-rule";
    case DrawReason::ThreefoldRepetition:
        return "threefold-repetition";
    case DrawReason::FiftyMoveRule:
        return "fifty-move-rule";
    }
    return {};
}

int CastlingRights(const EngineState& state) {
    auto unmoved = [&state](SquareIndex square, PieceType kind) {
        const BoardSquare& s = state.Squares[square];
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

std::uint64_t ChessEngine::PositionKey(bool sideToMove, SquareIndex enPassantTarget) const {
    std::uint64_t key = sideToMove ? 0 : Keys.blackToMove;
    // Without a branch per square: an empty square adds the key of its stale piece masked out.
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = Squares[k];
        const auto kind = static_cast<std::size_t>(square.Piece.Kind) % PieceTypeCount;
        key ^= Keys.pieces[k][kind] & (std::uint64_t{0} - std::uint64_t{square.Occupied});
    }
    key ^= Keys.castling[CastlingRights(*this)];
    if (enPassantTarget != 0) {
        key ^= Keys.enPassantFile[FileOf(enPassantTarget)];
    }
    return key;
}

SquareIndex ChessEngine::LegalEnPassantTarget(bool sideToMove) {
    if (!EnPassantOpen) {
        return 0;
    }
    // The pawn that made the double step stands beside the capturing pawns' row.
    const int row = sideToMove ? 4 : 5;
    const SquareIndex target = SquareAt(EnPassantFile, sideToMove ? 3 : 6);
    const PieceType pawn = PieceOf(Shape::Pawn, sideToMove);
    for (const int df : {-1, 1}) {
        const SquareIndex from = SquareAt(EnPassantFile + df, row);
        if (from != 0 && Squares[from].Occupied && Squares[from].Piece.Kind == pawn &&
            IsLegal(from, target)) {
            return target;
        }
    }
    return 0;
}

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

PositionFacts ChessEngine::WorkOutFacts(bool sideToMove, std::int32_t halfmoveClock,
                                        std::uint8_t previousDraws, bool materialChanged,
                                        bool mated, bool stalemated) {
    PositionFacts facts;
    facts.HalfmoveClock = halfmoveClock;
    facts.EnPassantTarget = LegalEnPassantTarget(sideToMove);
    facts.Key = PositionKey(sideToMove, facts.EnPassantTarget);
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

std::int32_t ChessEngine::FullmoveNumber() const {
    const auto plies = static_cast<std::int32_t>(MoveHistory.size()) + (StartWhitesTurn ? 0 : 1);
    return StartFullmoveNumber + plies / 2;
}

} // namespace quorrin
