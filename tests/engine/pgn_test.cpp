// PGN: a hand-written file with every feature a reader must skip or understand, each reason an
// import stops for, the result written for each way a game ends, and games written then read
// back as the same games.
#include "RecordTestSupport.h"
#include "engine/Pgn.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace quorrin::testing {
namespace {

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

TEST(Pgn, WrittenGamesReadBackAsTheSameGames) {
    std::mt19937 random(5);
    const std::vector<PgnTag> tags = {{"White", "Ann \"A\" \\"}, {"Annotator", "Q"}};
    for (int game = 0; game < 12; ++game) {
        RecordHost host;
        ChessEngine engine(&host);
        // Every third game starts from a position with Black to move.
        ASSERT_EQ(engine.NewGameFromFen(game % 3 == 2 ? "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 7 21"
                                                      : StartFen),
                  std::nullopt);
        for (int ply = 0; ply < 120; ++ply) {
            const auto legal = LegalMoves(engine, host);
            if (legal.empty()) {
                break;
            }
            ASSERT_EQ(Play(engine, host, legal[random() % legal.size()].coordinates), "");
        }
        const std::string text = WritePgn(engine, tags);
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LT(line.size(), 80u) << line;
        }
        const PgnFile file = ReadPgn(text);
        ASSERT_EQ(file.Games.size(), 1u) << text;
        EXPECT_EQ(file.Games[0].Tag("White"), tags[0].Value);
        EXPECT_EQ(file.Games[0].Tag("Result"), GameResult(engine));
        const PgnImport imported = ImportPgnGame(file.Games[0]);
        ASSERT_EQ(imported.Error, "") << text;
        EXPECT_EQ(imported.FinalFen, engine.Fen()) << text;
        for (std::size_t ply = 0; ply < imported.Moves.size(); ++ply) {
            EXPECT_EQ(imported.Moves[ply].Coordinates(), engine.MoveCoordinates(ply));
        }
    }
}

} // namespace
} // namespace quorrin::testing
