// Seeded random games: legal and illegal requests with undos and new games mixed in, with
// the engine's invariants, the exactness of undo and the redrawn picture checked after every
// call.
#include "EngineTestSupport.h"

#include "engine/CandidateTargets.h"

#include <array>
#include <iterator>
#include <random>
#include <sstream>

namespace quorrin::testing {
namespace {

constexpr std::string_view Layouts[] = {
    StartDiagram,
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

// A surface that keeps what each square showed when it was last drawn: its piece code, with
// "*" when the frame was allowed and the square is one of the last move's.
class Picture : public SquareDrawer {
public:
    const EngineState* board = nullptr;
    std::array<std::string, 65> shown;

    void DrawSquare(SquareIndex square, bool showHighlight) override {
        if (board != nullptr && IsBoardSquare(square)) {
            shown[square] = Look(square, showHighlight);
        }
    }
    std::string Look(SquareIndex k, bool frameAllowed) const {
        const BoardSquare& square = board->Squares[k];
        const bool framed = frameAllowed && (k == board->LastMoveFrom || k == board->LastMoveTo);
        return std::string(square.Occupied ? PieceCodes.at(square.Piece.Kind) : EmptyCode) +
               (framed ? "*" : "");
    }
};

// What must hold after every call, beyond the king squares and the picture.
std::string InvariantProblems(const ChessEngine& engine, std::size_t movesMade, bool firstIsWhite) {
    const EngineState& s = engine.State();
    std::string problems;
    auto check = [&problems](bool holds, const char* what) {
        problems += holds ? "" : std::string(what) + "\n";
    };
    check(s.MoveHistory.size() == movesMade, "one history record per move made");
    check(s.WhitesTurn == (firstIsWhite == (movesMade % 2 == 0)), "turns alternate");
    check(!s.PromotionPending && !s.EnPassantCapture && !engine.IsBusy(), "nothing left pending");
    check(!s.EnPassantOpen || (!s.MoveHistory.empty() && s.MoveHistory.back().EnPassantOpen &&
                               FileOf(s.MoveHistory.back().ToSquare) == s.EnPassantFile),
          "en passant open only right after a double step");
    return problems;
}

TEST(RandomGames, EveryCallKeepsTheInvariantsAndUndoRestoresTheExactState) {
    std::mt19937 rng(20240611);
    RandomHost host(rng);
    Picture picture;
    TestEngine engine(&host, &picture);
    picture.board = &engine.State();
    auto pick = [&rng](int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); };

    std::size_t made = 0;
    std::size_t refused = 0;
    std::size_t undone = 0;
    for (int game = 0; game < 200; ++game) {
        const bool firstSideIsWhite = pick(4) != 0;
        ASSERT_TRUE(engine.NewGame(Layout(Layouts[pick(std::size(Layouts))]), firstSideIsWhite));
        const EngineState initial = engine.State();
        std::vector<EngineState> beforeEachMove;
        std::ostringstream requests; // replayed in the failure message
        requests << "game " << game << ": ";

        for (int r = 0; r < 200; ++r) {
            EngineState expected = engine.State(); // a refused request changes nothing
            const int roll = pick(100);
            if (roll < 15) {
                requests << "undo ";
                const bool done = engine.UndoLastMove();
                ASSERT_EQ(done, !beforeEachMove.empty()) << requests.str();
                if (done) {
                    expected = beforeEachMove.back();
                    beforeEachMove.pop_back();
                    ++undone;
                }
            } else {
                // Mostly a move the piece could make by its shape, sometimes any two squares.
                std::vector<std::pair<SquareIndex, SquareIndex>> candidates;
                for (SquareIndex from = 1; from <= 64; ++from) {
                    const BoardSquare& square = engine.State().Squares[from];
                    if (square.Occupied && square.Piece.IsWhite == engine.State().WhitesTurn) {
                        ForEachCandidateTarget(engine.State(), from, [&](SquareIndex to) {
                            candidates.push_back({from, to});
                        });
                    }
                }
                std::pair<int, int> request{1 + pick(64), 0};
                request.second = 1 + pick(64);
                if (roll >= 30 && !candidates.empty()) {
                    request = candidates[pick(static_cast<int>(candidates.size()))];
                }
                const std::string from = SquareIndexToName(request.first);
                const std::string to = SquareIndexToName(request.second);
                requests << from << to << " ";
                if (engine.MovePiece(from, to)) {
                    beforeEachMove.push_back(expected);
                    expected = engine.State(); // a made move is judged by its undo
                    ++made;
                } else {
                    ++refused;
                }
            }
            ASSERT_PRED_FORMAT2(SameStates, expected, engine.State()) << requests.str();
            std::string problems =
                InvariantProblems(engine, beforeEachMove.size(), firstSideIsWhite) +
                KingSquareProblems(engine.State());
            for (SquareIndex k = 1; k <= 64; ++k) {
                if (picture.shown[k] != picture.Look(k, true)) {
                    problems += SquareIndexToName(k) + " shows " + picture.shown[k] + "\n";
                }
            }
            ASSERT_EQ(problems, "") << requests.str();
        }
        while (engine.UndoLastMove()) {
        }
        ASSERT_PRED_FORMAT2(SameStates, initial, engine.State()) << requests.str();
    }
    // The mix must really exercise all three kinds of call.
    EXPECT_GT(made, 10000u);
    EXPECT_GT(refused, 5000u);
    EXPECT_GT(undone, 3000u);
}

} // namespace
} // namespace quorrin::testing
