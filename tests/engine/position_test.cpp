// Square names and indexes, board diagrams, and setting up a game.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

TEST(Notation, NamesAndIndexesConvertBothWaysAndRefuseAnythingElse) {
    const std::pair<std::string_view, int> known[] = {{"a8", 1},  {"h8", 8},  {"a1", 57},
                                                      {"h1", 64}, {"e2", 53}, {"e4", 37}};
    for (const auto& [name, index] : known) {
        EXPECT_EQ(SquareNameToIndex(name), index) << name;
        EXPECT_EQ(SquareIndexToName(index), name);
    }
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(SquareNameToIndex(SquareIndexToName(k)), k);
    }
    for (const std::string_view bad :
         {"", "e", "e44", "E2", "e0", "e9", "i1", "`1", "2e", " e2", "11", "\xE9\x34"}) {
        EXPECT_EQ(SquareNameToIndex(bad), -1) << "'" << bad << "'";
    }
    for (const int bad : {0, -1, 65, -32768}) {
        EXPECT_EQ(SquareIndexToName(bad), "") << bad;
    }
    EXPECT_EQ(SquareAt(5, 8), 61);
    for (const auto& [file, row] : {std::pair{0, 5}, {9, 1}, {3, 0}, {3, 9}}) {
        EXPECT_EQ(SquareAt(file, row), 0) << file << "," << row;
    }
}

TEST(Notation, DiagramsBecomeLayoutsOnlyWhenTheyAreEightRanksOfEight) {
    EXPECT_EQ(LayoutFromDiagram("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"),
              std::string(StartLayout));
    for (const std::string_view bad :
         {"", "8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8/8", "9/8/8/8/8/8/8/8", "7/8/8/8/8/8/8/8",
          "ppppppppp/8/8/8/8/8/8/8", "x7/8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8/"}) {
        EXPECT_FALSE(LayoutFromDiagram(bad).has_value()) << bad;
    }
}

using NewGame = EngineTest;

TEST_F(NewGame, SetsUpTheLayoutWithItsCodesColoursAndSideToMove) {
    EXPECT_EQ(Board(state()), StartLayout);
    EXPECT_TRUE(Describe(state()).ends_with(
        "\nW to move, kings e1 e8, en passant -, in progress 00, last move - -\nmoved:"));
    const std::pair<const char*, bool> colours[] = {
        {"a8", false}, {"h1", false}, {"b8", true}, {"a1", true}, {"h8", true}};
    for (const auto& [square, dark] : colours) {
        EXPECT_EQ(state().Squares[Sq(square)].IsDark, dark) << square;
    }
    SetUpBoard("kqrnbp2/8/8/8/8/8/8/KQRNBP2 b");
    EXPECT_EQ(engine.SideTurn(), 1);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(state().Squares[1 + k].Piece, (PieceState{k, false, false}));
        EXPECT_EQ(state().Squares[57 + k].Piece, (PieceState{k + 6, true, false}));
    }
}

TEST_F(NewGame, ForgetsTheGameBeforeAndRestoresTheRightToCastle) {
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w");
    const EngineState fresh = state();
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w e1e2 e8e7 e2e1 e7e8 a1b1 h8g8 b1a1 g8h8 a2a4");
    ASSERT_TRUE(engine.NewGame(Layout("r3k2r/p7/8/8/8/8/P7/R3K2R")));
    EXPECT_PRED_FORMAT2(SameStates, fresh, state());
    EXPECT_TRUE(Move("e1g1"));
}

} // namespace
} // namespace quorrin::testing
