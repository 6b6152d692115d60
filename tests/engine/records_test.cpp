// FEN, PGN and draws by rule. FEN: what is written for each kind of position (the random games of
// the notation test read every one back), and the refusal of every position a game cannot be played
// from, which leaves the game as it was. PGN: a hand-written file with every feature a reader must
// skip or understand, each reason an import stops for, and the result written for each way a
// game ends (the random games of the notation test are written and read back).
#include "EngineTestSupport.h"
#include "engine/Pgn.h"
#include "tools/support/ReadErrorText.h"

#include <chrono>
#include <fstream>
#include <map>
#include <random>

namespace quorrin::testing {
namespace {

TEST(Fen, PositionsAreWrittenAsTheyStandAndReadBack) {
    for (const auto& row : Vectors("fen_written.txt")) { // start, moves, FEN
        RecordHost host;
        ChessEngine engine(&host);
        ASSERT_TRUE(engine.NewGame(*ReadFen(row.at(0)))) << row[0];
        host.engine = &engine;
        ASSERT_EQ(Play(engine, row.at(1)), "");
        EXPECT_EQ(engine.Fen(), row.at(2)) << row[0] << " " << row[1];
        EXPECT_EQ(host.fenHeard, row[1].empty() ? "" : row[2]);
    }
    // Blanks around and between the fields are no matter; the clocks may be left out.
    ChessEngine spaced;
    ASSERT_TRUE(spaced.NewGame(*ReadFen("  4k3/8/8/8/8/8/8/4K3   b -  - ")));
    EXPECT_EQ(spaced.Fen(), "4k3/8/8/8/8/8/8/4K3 b - - 0 1");
}

TEST(Fen, APositionNoGameCanBePlayedFromIsRefusedWithItsReason) {
    for (const auto& row : Vectors("fen_refusals.txt")) {
        const ReadResult<FenPosition> read = ReadFen(row.at(0));
        EXPECT_EQ(read ? "accepted" : support::DescribeError(read.Error()), row.at(1)) << row[0];
    }
}

// Every FEN the engine writes is read back as the same position, the clocks at their bounds
// included: a game that runs past them keeps the largest values a FEN may hold.
TEST(Fen, WhatIsWrittenAtEachCountersEdgeIsReadBack) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "", "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 99999 5", "e1d1", "4k3/8/8/8/8/8/8/3K4 b - - 99999 5"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 99998 5", "e1d1 e8d8", "3k4/8/8/8/8/8/8/3K4 w - - 99999 6"},
        {"4k3/8/8/8/8/8/8/4K3 b - - 7 99999", "e8d8 e1d1", "3k4/8/8/8/8/8/8/3K4 b - - 9 99999"},
        {"4k3/8/8/8/8/8/8/4K3 b - - 7 99998", "e8d8", "3k4/8/8/8/8/8/8/4K3 w - - 8 99999"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "", "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
    };
    for (const auto& [fen, moves, written] : cases) {
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*ReadFen(fen))) << fen;
        ASSERT_EQ(Play(engine, moves), "") << fen;
        EXPECT_EQ(engine.Fen(), written) << fen << " " << moves;
        const ReadResult<FenPosition> back = ReadFen(engine.Fen());
        ASSERT_TRUE(back) << support::DescribeError(back.Error());
        ChessEngine again;
        ASSERT_TRUE(again.NewGame(*back));
        EXPECT_EQ(again.Fen(), engine.Fen());
    }
}

// A game taken over by another engine is the same game there, down to taking every move back.
TEST(TakeGame, AnotherEngineHoldsTheSameGameAndTakesItBackToItsStart) {
    ChessEngine played;
    ASSERT_TRUE(played.NewGame(*ReadFen("r3k2r/1P6/8/3pP3/8/8/8/R3K2R w KQkq d6 0 30")));
    ASSERT_EQ(Play(played, "e5d6 e8g8 b7a8q g8g7 e1c1"), "");
    Journal journal;
    ChessEngine adopted(&journal, &journal);
    journal.entries.clear();
    ASSERT_TRUE(adopted.TakeGame(played));
    EXPECT_TRUE(SameStates(played.State(), adopted.State()));
    EXPECT_EQ(journal.Joined(false), ""); // all 64 squares redrawn, no event
    EXPECT_EQ(journal.entries.size(), 64u);
    EXPECT_EQ(adopted.Fen(), played.Fen());
    EXPECT_EQ(adopted.MoveSan(2), "bxa8=Q");
    for (int ply = 0; ply < 5; ++ply) {
        EXPECT_TRUE(adopted.UndoLastMove());
    }
    EXPECT_EQ(adopted.Fen(), played.FenAtStart());
    EXPECT_FALSE(adopted.UndoLastMove());
}

// How the game stands: each kind of outcome, its result, and a claim open beside it.
TEST(Outcome, EachEndingIsToldWithItsResultAndAnOpenClaim) {
    const std::tuple<std::string_view, std::string_view, OutcomeKind, std::string_view,
                     std::optional<DrawReason>>
        cases[] = {
            {StartFen, "", OutcomeKind::InPlay, "*", std::nullopt},
            {StartFen, "f2f3 e7e5 g2g4 d8h4", OutcomeKind::Checkmate, "0-1", std::nullopt},
            {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", OutcomeKind::Checkmate, "1-0",
             std::nullopt},
            {"5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1", "d7e6", OutcomeKind::Stalemate, "1/2-1/2",
             std::nullopt},
            {"8/8/8/8/8/8/1r6/KB5k w - - 0 1", "a1b2", OutcomeKind::Drawn, "1/2-1/2", std::nullopt},
            {StartFen, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8", OutcomeKind::InPlay, "*",
             DrawReason::ThreefoldRepetition},
        };
    for (const auto& [fen, moves, kind, result, claim] : cases) {
        ChessEngine engine;
        ASSERT_TRUE(engine.NewGame(*ReadFen(fen)));
        ASSERT_EQ(Play(engine, moves), "");
        const GameOutcome outcome = engine.Outcome();
        EXPECT_EQ(outcome.Kind, kind) << moves;
        EXPECT_EQ(outcome.Result(), result) << moves;
        EXPECT_EQ(outcome.Claimable, claim) << moves;
        EXPECT_EQ(outcome.DrawnBy.has_value(), kind == OutcomeKind::Drawn) << moves;
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
        ASSERT_TRUE(engine.NewGame(*ReadFen(std::string(board) + " w - - 0 1")));
        EXPECT_EQ(engine.Facts().AutomaticDraws != 0, drawn) << board;
    }
}

// "STEP:draw REASON" for each draw raised and "STEP:claim REASON" (or none) each time the
// claim open changes, steps counted from 1.
std::string Trace(std::string_view fen, std::string_view steps) {
    RecordHost host;
    ChessEngine engine(&host);
    EXPECT_TRUE(engine.NewGame(*ReadFen(fen)));
    std::string trace;
    auto claim = engine.ClaimableDraw();
    std::istringstream words{std::string(steps)};
    int step = 1;
    for (std::string move; words >> move; ++step) {
        EXPECT_EQ(Play(engine, move), "") << move;
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

// The repetition count of every position against one kept by the test from FENs (clocks cut
// off), through random moves (mostly quiet knight and king moves, which repeat), undos, a game
// taken over by a second engine and games set up again from a FEN.
TEST(DrawRules, RepetitionsAreCountedExactlyThroughUndoTakeGameAndNewGame) {
    std::mt19937 random(7);
    auto position = [](const ChessEngine& engine) {
        const std::string fen = engine.Fen();
        return fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1));
    };
    const std::string_view start = "r3k2r/pppq1ppp/8/3pP3/8/8/PPPQ1PPP/R3K2R w KQkq d6 9 30";
    ChessEngine engine;
    std::vector<std::vector<std::string>> seen; // since the last capture or pawn move, by ply
    for (int step = 0; step < 3000; ++step) {
        const int choice = static_cast<int>(random() % 16);
        std::vector<Move> legal;
        for (const Move& move : engine.LegalMoves()) {
            const Shape shape = ShapeOf(engine.State().Squares[move.From].Piece.Kind);
            if (choice <= 3 || (!engine.State().Squares[move.To].Occupied &&
                                (shape == Shape::Knight || shape == Shape::King))) {
                legal.push_back(move);
            }
        }
        ChessEngine copy;
        if (step == 0 || legal.empty() || choice == 2) {
            ASSERT_TRUE(engine.NewGame(*ReadFen(step % 2 ? start : StartFen)));
            seen = {{position(engine)}};
        } else if (choice == 0 && seen.size() > 1) {
            ASSERT_TRUE(engine.UndoLastMove());
            seen.pop_back();
        } else if (choice == 1) {
            ASSERT_TRUE(copy.TakeGame(engine) && engine.NewGame() && engine.TakeGame(copy));
        } else {
            ASSERT_TRUE(engine.MakeMove(legal[random() % legal.size()]));
            seen.push_back(engine.HalfmoveClock() == 0 ? std::vector<std::string>() : seen.back());
            seen.back().push_back(position(engine));
        }
        const auto count = std::count(seen.back().begin(), seen.back().end(), position(engine));
        ASSERT_EQ(engine.Facts().Repetitions, std::min<long>(count, 255)) << engine.Fen();
    }
}

// Making a move costs the same however long the game without a capture or a pawn move has gone
// on: importing four times as many plies takes about four times as long, not sixteen.
TEST(DrawRules, ALongGameWithoutCapturesIsPlayedInLinearTime) {
    auto seconds = [](int plies) {
        std::string text;
        const char* shuffle[] = {"Nf3 ", "Nf6 ", "Ng1 ", "Ng8 "};
        for (int ply = 0; ply < plies; ++ply) {
            text += shuffle[ply % 4];
        }
        const PgnFile file = ReadPgn(text);
        double fastest = 1e9;
        for (int run = 0; run < 3; ++run) {
            ChessEngine engine;
            const auto begin = std::chrono::steady_clock::now();
            EXPECT_EQ(PlayPgnGame(file.Games.at(0), engine), std::nullopt);
            fastest = std::min(
                fastest,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
        }
        return fastest;
    };
    const double shorter = seconds(10000);
    const double longer = seconds(40000);
    EXPECT_LT(longer, 7 * shorter) << shorter << " s for 10000 plies, " << longer << " for 40000";
}

} // namespace
} // namespace quorrin::testing
