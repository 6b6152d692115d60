// Legality cross-check: in a set of positions and a few plies deep, the squares MovePiece accepts
// are exactly the legal moves the generator lists, IsLegal and MakeMove agree with the list for
// every move of any two squares and promotion piece, and every request, made and taken back or
// refused, leaves the position as it was. With the published perft counts of the same positions
// (which walk the generator), this pins every way into the engine down to the legal moves.
#include "EngineTestSupport.h"
#include "tools/support/StandardPositions.h"

#include <set>

namespace quorrin::testing {
namespace {

// Walks every legal move depth plies deep; counts the positions.
void Walk(ChessEngine& engine, int depth, std::size_t& nodes) {
    ++nodes;
    const EngineState before = engine.State();
    const MoveList legal = engine.LegalMoves();
    std::set<std::string> accepted, listed;
    for (const Move& move : legal) {
        listed.insert(move.Coordinates().substr(0, 4));
    }
    for (SquareIndex from = 1; from <= 64; ++from) {
        for (SquareIndex to = 1; to <= 64; ++to) {
            const std::string names = SquareIndexToName(from) + SquareIndexToName(to);
            if (engine.MovePiece(names.substr(0, 2), names.substr(2))) {
                accepted.insert(names);
                EXPECT_TRUE(engine.UndoLastMove());
            }
            // Each promotion piece where a pawn may be promoted, a queen anywhere else.
            const BoardSquare& piece = before.Squares[from];
            const bool own = piece.Occupied && piece.Piece.IsWhite == before.WhitesTurn;
            const bool lastRow = RowOf(to) == 1 || RowOf(to) == 8;
            for (int promotion = -1; own && promotion < (lastRow ? 6 : 2); ++promotion) {
                Move move{from, to, std::nullopt};
                if (promotion >= 0) {
                    move.Promotion = static_cast<Shape>(lastRow ? promotion : 1);
                }
                const bool inList = legal.Contains(move);
                ASSERT_EQ(engine.IsLegal(move), inList) << move.Coordinates();
                ASSERT_EQ(engine.MakeMove(move), inList) << move.Coordinates();
                if (inList) {
                    ASSERT_TRUE(engine.UndoLastMove());
                }
            }
            ASSERT_TRUE(SameStates(before, engine.State())) << names;
        }
    }
    ASSERT_EQ(accepted, listed) << Describe(before);
    for (const Move& move : depth > 1 ? legal : MoveList{}) {
        ASSERT_TRUE(engine.MakeMove(move));
        Walk(engine, depth - 1, nodes);
        ASSERT_TRUE(engine.UndoLastMove());
    }
}

TEST(Legality, EveryWayIntoTheEngineAgreesWithTheLegalMovesAndLeavesNoTrace) {
    const std::pair<std::string_view, int> positions[] = {
        {"start", 2},      {"kiwipete", 2},         {"rook-endgame", 3},
        {"promotions", 2}, {"pinned-promotion", 2}, {"r3k2r/8/8/8/3pP3/8/8/R3K2R b KQkq e3", 2},
    };
    std::size_t nodes = 0;
    for (const auto& [name, depth] : positions) {
        SCOPED_TRACE(name);
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*ReadFen(support::StandardFen(name).value_or(name))));
        Walk(engine, depth, nodes);
    }
    EXPECT_GT(nodes, 300u);
}

} // namespace
} // namespace quorrin::testing
