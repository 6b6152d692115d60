// Square names and indexes, board diagrams, and setting up a game.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

using namespace std::string_view_literals;

TEST(Notation, NamesIndexesAndDiagramsConvertOnlyWhenWellFormed) {
    for (const auto& [name, index] :
         {std::pair{"a8"sv, 1}, {"h8"sv, 8}, {"a1"sv, 57}, {"h1"sv, 64}}) {
        EXPECT_EQ(SquareNameToIndex(name), index) << name;
    }
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(SquareNameToIndex(SquareIndexToName(k)), k);
    }
    for (const std::string_view bad : {""sv, "e"sv, "e44"sv, "E2"sv, "e0"sv, "e9"sv, "i1"sv, "`1"sv,
                                       "2e"sv, "\xE9\x34"sv, "e\0"sv}) {
        EXPECT_EQ(SquareNameToIndex(bad), -1) << "'" << bad << "'";
    }
    for (const int bad : {0, -1, 65, -32768}) {
        EXPECT_EQ(SquareIndexToName(bad), "") << bad;
    }
    EXPECT_EQ(SquareAt(5, 8), 61);
    for (const auto& [file, row] : {std::pair{0, 5}, {9, 1}, {3, 0}, {3, 9}}) {
        EXPECT_EQ(SquareAt(file, row), 0) << file << "," << row;
    }
    for (const std::string_view bad :
         {""sv, "8/8/8/8/8/8/8"sv, "8/8/8/8/8/8/8/8/8"sv, "9/8/8/8/8/8/8/8"sv, "7/8/8/8/8/8/8/8"sv,
          "ppppppppp/8/8/8/8/8/8/8"sv, "x7/8/8/8/8/8/8/8"sv}) {
        EXPECT_FALSE(LayoutFromDiagram(bad).has_value()) << bad;
    }
}

using NewGame = EngineTest;

TEST_F(NewGame, SetsUpTheLayoutWithItsCodesColoursAndSideToMove) {
    EXPECT_EQ(Board(state()), StartLayout);
    for (const auto& [square, dark] : {std::pair{"a8", false}, {"h1", false}, {"a1", true}}) {
        EXPECT_EQ(state().Squares[SquareNameToIndex(square)].IsDark, dark) << square;
    }
    SetUpBoard("kqrnbp2/8/8/8/8/8/8/KQRNBP2 b");
    EXPECT_EQ(engine.SideTurn(), 1);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(state().Squares[1 + k].Piece, (PieceState{k, false, false}));
        EXPECT_EQ(state().Squares[57 + k].Piece, (PieceState{k + 6, true, false}));
    }
    // Unknown cells ("wk", "ZZ", a NUL cell), a cell cut short and missing ones are empty.
    ASSERT_TRUE(engine.NewGame("BKwkZZ" + std::string("\0Q", 2) + "WKW"));
    EXPECT_EQ(Board(state()), Layout("k3K3/8/8/8/8/8/8/8"));
    ASSERT_TRUE(engine.NewGame(std::string(StartLayout) + "WQWQ junk"));
    EXPECT_EQ(Board(state()), StartLayout);
}

TEST_F(NewGame, ForgetsTheGameBeforeAndRestoresTheRightToCastle) {
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w");
    const EngineState fresh = state();
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w e1e2 e8e7 e2e1 e7e8 a1b1 h8g8 b1a1 g8h8 a2a4");
    ASSERT_TRUE(engine.NewGame(Layout("r3k2r/p7/8/8/8/8/P7/R3K2R")));
    EXPECT_PRED_FORMAT2(SameStates, fresh, state());
}

} // namespace
} // namespace quorrin::testing
