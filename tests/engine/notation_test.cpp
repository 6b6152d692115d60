// Square names, square indexes, board coordinates and board diagrams.
#include "EngineTestSupport.h"

namespace quorrin::testing {
namespace {

TEST(Notation, SquareNamesMapToIndexesFromA8ToH1) {
    EXPECT_EQ(SquareNameToIndex("a8"), 1);
    EXPECT_EQ(SquareNameToIndex("h8"), 8);
    EXPECT_EQ(SquareNameToIndex("a1"), 57);
    EXPECT_EQ(SquareNameToIndex("h1"), 64);
    EXPECT_EQ(SquareNameToIndex("e2"), 53);
    EXPECT_EQ(SquareNameToIndex("e4"), 37);
}

TEST(Notation, AnythingButLowercaseFileAndRankDigitIsNoSquare) {
    for (const std::string_view bad :
         {"", "e", "e44", "E2", "e0", "e9", "i1", "`1", "2e", "e ", " e2", "ee", "11"}) {
        EXPECT_EQ(SquareNameToIndex(bad), -1) << "'" << bad << "'";
    }
    EXPECT_EQ(SquareNameToIndex(std::string_view("e\0", 2)), -1);
    EXPECT_EQ(SquareNameToIndex("\xE9"
                                "4"),
              -1);
}

TEST(Notation, IndexesOutsideTheBoardHaveNoName) {
    EXPECT_EQ(SquareIndexToName(1), "a8");
    EXPECT_EQ(SquareIndexToName(8), "h8");
    EXPECT_EQ(SquareIndexToName(57), "a1");
    EXPECT_EQ(SquareIndexToName(64), "h1");
    for (const int bad : {0, -1, 65, 1000, -32768}) {
        EXPECT_EQ(SquareIndexToName(bad), "") << bad;
    }
}

TEST(Notation, EveryIndexSurvivesTheRoundTripThroughItsName) {
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(SquareNameToIndex(SquareIndexToName(k)), k);
    }
}

TEST(Notation, SquareAtGivesZeroOffTheBoard) {
    EXPECT_EQ(SquareAt(5, 8), 61); // e1
    EXPECT_EQ(SquareAt(1, 1), 1);
    EXPECT_EQ(SquareAt(8, 8), 64);
    EXPECT_EQ(SquareAt(0, 5), 0);
    EXPECT_EQ(SquareAt(9, 1), 0);
    EXPECT_EQ(SquareAt(3, 0), 0);
    EXPECT_EQ(SquareAt(3, 9), 0);
    EXPECT_EQ(SquareAt(-1, -1), 0);
}

TEST(Notation, StartDiagramGivesTheStartLayout) {
    EXPECT_EQ(LayoutFromDiagram("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"),
              std::string(StartLayout));
    const auto corners = LayoutFromDiagram("k7/8/8/8/8/8/8/7K");
    ASSERT_TRUE(corners.has_value());
    EXPECT_EQ(corners->size(), 128u);
    EXPECT_EQ(corners->substr(0, 2), "BK");
    EXPECT_EQ(corners->substr(126, 2), "WK");
}

TEST(Notation, MalformedDiagramsAreRejected) {
    for (const std::string_view bad :
         {"", "8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8/8", "9/8/8/8/8/8/8/8", "7/8/8/8/8/8/8/8",
          "ppppppppp/8/8/8/8/8/8/8", "x7/8/8/8/8/8/8/8", "08/8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8/"}) {
        EXPECT_FALSE(LayoutFromDiagram(bad).has_value()) << bad;
    }
}

} // namespace
} // namespace quorrin::testing
