// Draws by rule: insufficient material, repetitions (told apart by castling rights and a legal
// en passant capture), the fifty- and seventy-five-move rules at their boundaries, mate
// before either, and each through undo.
#include "RecordTestSupport.h"

#include <gtest/gtest.h>

namespace quorrin::testing {
namespace {

TEST(DrawRules, InsufficientMaterialIsKingsWithOneMinorPieceOrBishopsOnOneColour) {
    const std::pair<std::string_view, bool> cases[] = {
        {"8/8/8/8/8/8/8/K6k", true},    {"8/8/8/8/8/8/8/KN5k", true},
        {"8/8/8/8/8/8/8/K5bk", true},   {"2B5/8/8/8/8/8/8/KB3b1k", true},
        {"8/8/8/8/8/8/8/KBb4k", false}, {"8/8/8/8/8/8/8/KNn4k", false},
        {"8/8/8/8/8/8/8/KNN4k", false}, {"8/8/8/8/8/8/P7/K6k", false},
        {"7k/8/8/8/8/8/8/KR6", false},  {"8/8/8/8/8/8/8/K5qk", false},
    };
    for (const auto& [board, drawn] : cases) {
        ChessEngine engine;
        ASSERT_EQ(engine.NewGameFromFen(std::string(board) + " w - - 0 1"), std::nullopt);
        EXPECT_EQ(engine.Facts().AutomaticDraws != 0, drawn) << board;
    }
}

// "STEP:draw REASON" for each draw raised and "STEP:claim REASON" (or none) each time the
// claim open changes, steps counted from 1.
std::string Trace(std::string_view fen, std::string_view steps) {
    RecordHost host;
    ChessEngine engine(&host);
    EXPECT_EQ(engine.NewGameFromFen(fen), std::nullopt);
    std::string trace;
    auto claim = engine.ClaimableDraw();
    std::istringstream words{std::string(steps)};
    int step = 1;
    for (std::string move; words >> move; ++step) {
        EXPECT_EQ(Play(engine, host, move), "") << move;
        for (const DrawReason reason : host.draws) {
            trace += " " + std::to_string(step) + ":draw " + std::string(DrawReasonName(reason));
        }
        host.draws.clear();
        if (engine.ClaimableDraw() != claim) {
            claim = engine.ClaimableDraw();
            trace += " " + std::to_string(step) + ":claim " +
                     (claim ? std::string(DrawReasonName(*claim)) : "none");
        }
    }
    return trace.empty() ? trace : trace.substr(1);
}

TEST(DrawRules, EachRuleHoldsFromItsBoundaryAndAnAutomaticDrawIsRaisedOnce) {
    const std::string shuffle = "g1f3 g8f6 f3g1 f6g8 ";
    const std::string kings = "e8d8 e1d1 d8e8 d1e1 ";
    const std::tuple<std::string_view, std::string, std::string_view> cases[] = {
        {StartFen, shuffle + shuffle + shuffle + shuffle + "undo f6g8 g1f3",
         "8:claim threefold-repetition 16:draw fivefold-repetition "
         "18:draw fivefold-repetition"},
        {StartFen, shuffle + shuffle + "undo", "8:claim threefold-repetition 9:claim none"},
        // Lost castling rights, and an en passant capture that was possible, make positions
        // that look alike different ones.
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         "e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7", "10:claim threefold-repetition"},
        {"4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", "e2e4 " + kings + kings + kings,
         "10:claim threefold-repetition"},
        {"7k/8/8/8/8/8/8/KR6 w - - 98 80", "a1a2 h8g8 undo",
         "2:claim fifty-move-rule 3:claim none"},
        {"7k/8/8/8/8/8/8/KR6 w - - 148 80", "a1a2 h8g8 undo h8h7 a2a1",
         "2:draw seventy-five-move-rule 4:draw seventy-five-move-rule"},
        // A mate on the 100th or the 150th ply stands.
        {"6k1/R7/8/8/8/8/8/K2R4 w - - 99 80", "d1d8", ""},
        {"6k1/R7/8/8/8/8/8/K2R4 w - - 149 80", "d1d8", "1:claim none"},
        {"8/8/8/8/8/8/1r6/KB5k w - - 0 1", "a1b2 h1g2 undo undo a1b2",
         "1:draw insufficient-material 5:draw insufficient-material"},
    };
    for (const auto& [fen, steps, expected] : cases) {
        EXPECT_EQ(Trace(fen, steps), expected) << fen << " " << steps;
    }
}

} // namespace
} // namespace quorrin::testing
