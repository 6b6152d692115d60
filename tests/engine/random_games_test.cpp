// Seeded random games: legal and illegal requests with undos and new games mixed in, with
// the engine's invariants checked after every call.
#include "EngineTestSupport.h"

#include "engine/CandidateTargets.h"

#include <iterator>
#include <random>
#include <sstream>
#include <tuple>

namespace quorrin::testing {
namespace {

constexpr std::string_view Layouts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N",
    "4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3",
};

// Answers promotions with whatever the test chooses, sensible or not.
class RandomHost : public BoardEvents {
public:
    explicit RandomHost(std::mt19937& rng) : rng_(rng) {}
    void PawnPromotion(bool, PieceType& eChoice) override {
        eChoice = std::uniform_int_distribution<PieceType>(-2, 13)(rng_);
    }

private:
    std::mt19937& rng_;
};

// What must hold after every call: the king squares name the kings on the board, one
// history record per move made since the game began, the turn alternates with the moves,
// and nothing of a move in progress is left behind.
std::string InvariantProblems(const ChessEngine& engine, std::size_t movesMade,
                              bool firstSideIsWhite) {
    const EngineState& state = engine.State();
    std::string problems = KingSquareProblems(state);
    if (state.MoveHistory.size() != movesMade) {
        problems += "history holds " + std::to_string(state.MoveHistory.size()) + " records for " +
                    std::to_string(movesMade) + " moves\n";
    }
    if (state.WhitesTurn != (firstSideIsWhite == (movesMade % 2 == 0))) {
        problems += "the wrong side is to move\n";
    }
    if (state.PromotionPending || state.EnPassantCapture || engine.IsBusy()) {
        problems += "a move in progress left a trace\n";
    }
    if (state.EnPassantOpen &&
        (state.MoveHistory.empty() || !state.MoveHistory.back().EnPassantOpen ||
         FileOf(state.MoveHistory.back().ToSquare) != state.EnPassantFile)) {
        problems += "en passant is open without a double step just before\n";
    }
    return problems;
}

TEST(RandomGames, EveryCallKeepsTheInvariantsAndUndoRestoresTheExactState) {
    std::mt19937 rng(20240611);
    RandomHost host(rng);
    TestEngine engine(&host);
    auto pick = [&rng](int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); };

    constexpr int games = 200;
    constexpr int requestsPerGame = 200;
    std::size_t made = 0;
    std::size_t refused = 0;
    std::size_t undone = 0;
    for (int game = 0; game < games; ++game) {
        const bool firstSideIsWhite = pick(4) != 0;
        const std::string layout = Layout(Layouts[pick(std::size(Layouts))]);
        ASSERT_TRUE(engine.NewGame(layout, firstSideIsWhite));
        const EngineState initial = engine.State();
        std::vector<EngineState> beforeEachMove;
        std::ostringstream requests; // replayed in the failure message

        for (int r = 0; r < requestsPerGame; ++r) {
            const EngineState before = engine.State();
            const int roll = pick(100);
            if (roll < 15) {
                requests << "undo ";
                const bool done = engine.UndoLastMove();
                ASSERT_EQ(done, !beforeEachMove.empty()) << requests.str();
                if (done) {
                    ASSERT_EQ(StateDifferences(beforeEachMove.back(), engine.State()), "")
                        << "game " << game << ": " << requests.str();
                    beforeEachMove.pop_back();
                    ++undone;
                } else {
                    ASSERT_EQ(StateDifferences(before, engine.State()), "") << requests.str();
                }
            } else {
                // Mostly a move the piece could make by its shape, sometimes any two squares.
                std::vector<std::pair<SquareIndex, SquareIndex>> candidates;
                for (SquareIndex from = 1; from <= 64; ++from) {
                    if (before.Squares[from].Occupied &&
                        before.Squares[from].Piece.IsWhite == before.WhitesTurn) {
                        ForEachCandidateTarget(before, from, [&](SquareIndex to) {
                            candidates.push_back({from, to});
                        });
                    }
                }
                SquareIndex from = static_cast<SquareIndex>(1 + pick(64));
                SquareIndex to = static_cast<SquareIndex>(1 + pick(64));
                if (roll >= 30 && !candidates.empty()) {
                    std::tie(from, to) = candidates[static_cast<std::size_t>(
                        pick(static_cast<int>(candidates.size())))];
                }
                const std::string fromName = SquareIndexToName(from);
                const std::string toName = SquareIndexToName(to);
                requests << fromName << toName << " ";
                if (engine.MovePiece(fromName, toName)) {
                    beforeEachMove.push_back(before);
                    ++made;
                } else {
                    ASSERT_EQ(StateDifferences(before, engine.State()), "")
                        << "game " << game << ": " << requests.str();
                    ++refused;
                }
            }
            ASSERT_EQ(InvariantProblems(engine, beforeEachMove.size(), firstSideIsWhite), "")
                << "game " << game << ": " << requests.str();
        }

        while (engine.UndoLastMove()) {
        }
        ASSERT_EQ(StateDifferences(initial, engine.State()), "")
            << "game " << game << ": " << requests.str();
    }
    // The mix must really exercise all three kinds of call.
    EXPECT_GT(made, 10000u);
    EXPECT_GT(refused, 5000u);
    EXPECT_GT(undone, 3000u);
}

} // namespace
} // namespace quorrin::testing
