// Legality cross-check: in a set of positions and a few plies deep, every request the engine
// accepts is a destination the candidate generator offers, and every request, made and taken
// back or refused, leaves the position as it was. With the published perft counts of the same
// positions (which walk the candidates), this pins the accepted moves down exactly, and it
// keeps the mate and stalemate tests, which try only candidates, from missing a legal move.
#include "EngineTestSupport.h"
#include "engine/CandidateTargets.h"

#include <set>

namespace quorrin::testing {
namespace {

class Legality : public EngineTest {
protected:
    std::size_t nodes = 0;

    void Walk(int depth) {
        ++nodes;
        const EngineState before = state();
        std::set<std::string> accepted, offered;
        for (SquareIndex from = 1; from <= 64; ++from) {
            const BoardSquare& square = state().Squares[from];
            if (!square.Occupied || square.Piece.IsWhite != state().WhitesTurn) {
                continue;
            }
            ForEachCandidateTarget(before, from, [&](SquareIndex to) {
                offered.insert(SquareIndexToName(from) + SquareIndexToName(to));
            });
            for (SquareIndex to = 1; to <= 64; ++to) {
                const std::string move = SquareIndexToName(from) + SquareIndexToName(to);
                if (Move(move)) {
                    accepted.insert(move);
                    EXPECT_TRUE(engine.UndoLastMove());
                }
                ASSERT_PRED_FORMAT2(SameStates, before, state()) << move;
            }
        }
        for (const std::string& move : accepted) {
            ASSERT_TRUE(offered.contains(move)) << move << " is no candidate in\n"
                                                << Describe(before);
        }
        for (const std::string& move : depth > 1 ? accepted : std::set<std::string>{}) {
            // A pawn reaching the last row is walked once for each piece it may become.
            const bool promotion =
                ShapeOf(before.Squares[SquareNameToIndex(move.substr(0, 2))].Piece.Kind) ==
                    Shape::Pawn &&
                (move[3] == '8' || move[3] == '1');
            for (PieceType shape = 1; shape <= (promotion ? 4 : 1); ++shape) {
                journal.promotionAnswer = PieceOf(static_cast<Shape>(shape), before.WhitesTurn);
                ASSERT_TRUE(Move(move));
                Walk(depth - 1);
                ASSERT_TRUE(engine.UndoLastMove());
            }
        }
    }
};

TEST_F(Legality, AcceptedRequestsAreCandidatesAndLeaveNoTrace) {
    const std::pair<std::string_view, int> positions[] = {
        {"start w", 3},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w", 2}, // castling, pins
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w", 3},                         // en passant along a rank
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w", 2},   // promotions
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w", 2},          // promotion into check
        {"r3k2r/8/8/8/3pP3/8/8/R3K2R b", 2},
    };
    for (const auto& [setup, depth] : positions) {
        SCOPED_TRACE(setup);
        SetUpBoard(setup);
        Walk(depth);
    }
    EXPECT_GT(nodes, 500u);
}

} // namespace
} // namespace quorrin::testing
