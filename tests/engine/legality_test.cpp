// Legality cross-check: in a set of positions and a few plies deep, every request the engine
// accepts is a destination the candidate generator offers, and every request, made and taken
// back or refused, leaves the position as it was. With the published perft counts of the same
// positions (which walk the candidates), this pins the accepted moves down exactly, and it
// keeps the mate and stalemate tests, which try only candidates, from missing a legal move.
#include "EngineTestSupport.h"

#include <set>

namespace quorrin::testing {
namespace {

// Walks every legal move (each promotion piece apart) depth plies deep; counts the positions.
void Walk(ChessEngine& engine, RecordHost& host, int depth, std::size_t& nodes) {
    ++nodes;
    const EngineState before = engine.State();
    std::set<std::string> accepted, candidates;
    for (SquareIndex from = 1; from <= 64; ++from) {
        for (SquareIndex to = 1; to <= 64; ++to) {
            const std::string move = SquareIndexToName(from) + SquareIndexToName(to);
            if (engine.MovePiece(move.substr(0, 2), move.substr(2))) {
                accepted.insert(move);
                EXPECT_TRUE(engine.UndoLastMove());
            }
            ASSERT_TRUE(SameStates(before, engine.State())) << move;
        }
    }
    const std::vector<LegalMove> legal = LegalMoves(engine, host);
    for (const LegalMove& move : legal) {
        candidates.insert(move.coordinates.substr(0, 4));
    }
    ASSERT_EQ(accepted, candidates) << Describe(before);
    for (const LegalMove& move : depth > 1 ? legal : std::vector<LegalMove>{}) {
        ASSERT_EQ(Play(engine, host, move.coordinates), "");
        Walk(engine, host, depth - 1, nodes);
        ASSERT_TRUE(engine.UndoLastMove());
    }
}

TEST(Legality, AcceptedRequestsAreCandidatesAndLeaveNoTrace) {
    const std::pair<std::string_view, int> positions[] = {
        {StartFen, 3},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 2}, // castling, pins
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 3}, // en passant along a rank
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", 2}, // promotions
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w K -", 2},         // promotion into check
        {"r3k2r/8/8/8/3pP3/8/8/R3K2R b KQkq -", 2},
    };
    std::size_t nodes = 0;
    for (const auto& [fen, depth] : positions) {
        SCOPED_TRACE(fen);
        RecordHost host;
        ChessEngine engine(&host);
        ASSERT_EQ(engine.NewGameFromFen(fen), std::nullopt);
        Walk(engine, host, depth, nodes);
    }
    EXPECT_GT(nodes, 500u);
}

} // namespace
} // namespace quorrin::testing
