// FEN, PGN and draws by rule. FEN: what is written for each kind of position (the random games of
// the notation test read every one back), and the refusal of every position a game cannot be played
// from, which leaves the game as it was. PGN: a hand-written file with every feature a reader must
// skip or understand, each reason an import stops for, and the result written for each way a
// game ends (the random games of the notation test are written and read back).
#include "EngineTestSupport.h"
#include "engine/Pgn.h"

#include <fstream>

namespace quorrin::testing {
namespace {

TEST(Fen, PositionsAreWrittenAsTheyStandAndReadBack) {
    // Start, moves, the FEN written: castling rights lost by king or rook, en passant only
    // when a capture is legal, clocks counting.
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {StartFen, "", StartFen},
        {StartFen, "e2e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"},
        {StartFen, "g1f3 d7d5 h1g1 d5d4 e2e4",
         "rnbqkbnr/ppp1pppp/8/8/3pP3/5N2/PPPP1PPP/RNBQKBR1 b Qkq e3 0 3"},
        {StartFen, "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8",
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w - - 4 4"},
        // The only capture en passant would leave the king in check: no square written.
        {"8/8/8/8/k2p3R/8/4P3/4K3 w - - 0 1", "e2e4", "8/8/8/8/k2pP2R/8/8/4K3 b - - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 12 30", "", "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 12 30"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b - - 0 7", "a8b8", "1r2k2r/8/8/8/8/8/8/R3K2R w - - 1 8"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"},
        {"  4k3/8/8/8/8/8/8/4K3   b -  - ", "", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
    };
    for (const auto& [start, moves, expected] : cases) {
        RecordHost host;
        ChessEngine engine(&host);
        ASSERT_EQ(engine.NewGameFromFen(start), std::nullopt) << start;
        host.engine = &engine;
        ASSERT_EQ(Play(engine, host, moves), "");
        EXPECT_EQ(engine.Fen(), expected) << start << " " << moves;
        EXPECT_EQ(host.fenHeard, moves.empty() ? "" : expected);
    }
}

TEST(Fen, APositionNoGameCanBePlayedFromIsRefusedWithItsReason) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"8/8/8/8/8/8/8/K6k w - -  0", "a FEN has 6 fields (or 4, without the clocks) "
                                       "separated by spaces, not 5"},
        {"8/8/8/8/8/8/K6k w - -", "the board has 7 ranks instead of 8"},
        {"8/8/8/8/8/8/8/8/K6k w - -", "the board has more than 8 ranks"},
        {"8/8/8/8/8/8/7/K6k w - -", "rank 2 has 7 squares instead of 8"},
        {"8/8/8/8/8/8/8/K5k1p w - -", "rank 1 has more than 8 squares"},
        {"8/8/8/8/8/8/8/K6x w - -", "'x' is neither a piece letter (KQRBNP, kqrbnp) nor a count "
                                    "of empty squares"},
        {"8/8/8/8/8/8/8/K6k x - -", "the side to move must be w or b, not 'x'"},
        {"8/8/8/8/8/8/8/K5kk w - -", "Black has 2 kings; each side needs exactly one"},
        {"8/8/8/8/8/8/8/7k w - -", "White has 0 kings; each side needs exactly one"},
        {"P7/8/8/8/8/8/8/K6k w - -", "a pawn stands on a8; pawns cannot stand on rank 1 or 8"},
        {"8/8/8/8/8/8/8/K6k w KK -", "the castling field 'KK' must be '-' or letters of KQkq, "
                                     "each at most once"},
        {"4k3/8/8/8/8/8/8/4K1R1 w K -", "castling right K needs the white king on e1 and a white "
                                        "rook on h1"},
        {"1r2k3/8/8/8/8/8/8/4K3 w q -", "castling right q needs the black king on e8 and a black "
                                        "rook on a8"},
        {"8/8/8/8/8/8/8/K6k w - e9",
         "the en passant field 'e9' must be '-' or a square such as e3"},
        {"8/8/8/4p3/8/8/8/K6k w - e3", "no double step of Black could have left the en passant "
                                       "square e3"},
        {"8/8/8/8/4P3/4N3/8/K6k b - e3", "no double step of White could have left the en "
                                         "passant square e3"},
        {"8/8/8/8/8/8/8/K6k w - - -1 1", "the halfmove clock must be a whole number from 0 to "
                                         "99999, not '-1'"},
        {"8/8/8/8/8/8/8/K6k w - - 0 x", "the move number must be a whole number from 1 to 99999, "
                                        "not 'x'"},
        {"8/8/8/8/8/8/8/K5Rk w - -", "Black is in check but it is not its move"},
    };
    ChessEngine engine;
    ASSERT_EQ(engine.NewGameFromFen(StartFen), std::nullopt);
    ASSERT_TRUE(engine.MovePiece("e2", "e4"));
    const EngineState before = engine.State();
    for (const auto& [fen, why] : cases) {
        EXPECT_EQ(CheckFen(fen).value_or("accepted"), why) << fen;
        EXPECT_EQ(engine.NewGameFromFen(fen).value_or("accepted"), why) << fen;
        EXPECT_TRUE(SameState(before, engine.State(), true)) << fen;
    }
}

TEST(Pgn, TrickyFileIsReadIntoItsThreeGames) {
    std::ifstream in(QUORRIN_ENGINE_TEST_DATA "/tricky.pgn", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const PgnFile file = ReadPgn(text);
    ASSERT_EQ(file.Error, "");
    ASSERT_EQ(file.Games.size(), 3u);
    EXPECT_EQ(file.Games[0].Tag("Event"), "Tricky \"quoted\" \\ event");
    const PgnSummary summary = Summarize(file.Games[0]);
    EXPECT_EQ(summary.White + "|" + summary.Black + "|" + summary.Result + "|" + summary.Date +
                  "|" + summary.FirstMoves,
              "A. Player|B. Player|1-0|2024.05.01|1. e4 e5 2. Nf3 Nc6 3. Bb5 a6");
    EXPECT_EQ(Summarize(file.Games[1]).FirstMoves, "40... g1=N 41. a8Q+ Kd7 42. Qb7+ Ke6 43. Qe4+");
    std::string outcome;
    for (const PgnGame& game : file.Games) {
        const PgnImport imported = ImportPgnGame(game);
        outcome += imported.Error + std::to_string(imported.Moves.size()) + " " + imported.Result +
                   " " + imported.FinalFen + (imported.StartFen.empty() ? "" : " from a FEN") +
                   "\n";
    }
    EXPECT_EQ(outcome, "85 1-0 8/8/4R1p1/2k3p1/1p4P1/1P1b1P2/3K1n2/8 b - - 2 43\n"
                       "7 * 8/8/3k4/8/4Q3/8/8/4K1n1 w - - 5 44 from a FEN\n"
                       "16 1/2-1/2 Qnb1k2r/p3bppp/1q3n2/4p3/2B5/5N2/PPPP1PPP/RNBQ1RK1 w k - 4 9\n");
}

TEST(Pgn, ATextThatCannotBeReadOrPlayedSaysWhereAndWhy) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[White \"x\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 Nbd7",
         "line 2, column 28: 3...Nbd7: no black knight can move to d7"},
        {"1. d4 d5 2. Nf3 Nf6 3. Nd2",
         "line 1, column 24: 3.Nd2: ambiguous: the white knights on b1 and f3 can both move to d2"},
        {"1. e4 Zz9", "line 1, column 7: 1...Zz9: 'Zz9' is not a move"},
        {"[FEN \"8/8/8 w - -\"]\n1. e4",
         "line 1, column 1: the FEN tag: the board has 3 ranks instead of 8"},
        {"1. e4 {never", "line 1, column 7: a comment that is never closed"},
        {"1. e4 (1. d4 (1. c4) e5", "line 1, column 7: a variation that is never closed"},
        {"1. e4 ) e5", "line 1, column 7: a variation closed that was never opened"},
        {"\n [Event \"x]\n", "line 2, column 2: a tag must read [Name \"value\"]"},
    };
    for (const auto& [text, why] : cases) {
        const PgnFile file = ReadPgn(text);
        EXPECT_EQ(file.Error.empty() ? ImportPgnGame(file.Games.at(0)).Error : file.Error, why);
    }
}

TEST(Pgn, TheResultIsTheFirstWayTheGameEnded) {
    const std::tuple<std::string_view, std::string_view, bool, std::string_view> cases[] = {
        {StartFen, "f2f3 e7e5 g2g4 d8h4", false, "0-1"},
        {"5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1", "d7e6", false, "1/2-1/2"},
        {"8/8/8/8/8/8/1r6/KB5k w - - 0 1", "a1b2", false, "1/2-1/2"},
        {StartFen, "e2e4", true, "1/2-1/2"},
        {StartFen, "e2e4", false, "*"},
    };
    for (const auto& [fen, moves, claimed, result] : cases) {
        RecordHost host;
        ChessEngine engine(&host);
        ASSERT_EQ(engine.NewGameFromFen(fen), std::nullopt);
        ASSERT_EQ(Play(engine, host, moves), "");
        EXPECT_EQ(GameResult(engine, claimed), result) << moves;
    }
}

// Draws by rule: insufficient material, repetitions (told apart by castling rights and a legal
// en passant capture), the fifty- and seventy-five-move rules at their boundaries, mate
// before either, and each through undo.
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
