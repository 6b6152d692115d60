// Speed of the game record: FEN of a position, a move read from its notation, the draw rules'
// share of a move as the game grows, and a 300-ply game read from PGN and played headless.
#include "engine/ChessEngine.h"
#include "engine/Pgn.h"
#include "tools/support/StandardPositions.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace quorrin;

namespace {

const std::string_view Kiwipete = *support::StandardFen("kiwipete");

void FenOfAPosition(benchmark::State& state) {
    ChessEngine engine;
    engine.NewGame(*ReadFen(Kiwipete));
    engine.MovePiece("e1", "g1");
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.Fen());
    }
}
BENCHMARK(FenOfAPosition)->Repetitions(5)->ReportAggregatesOnly();

// Reading a move that names its origin by file, as "Nbd2"-like moves of real games do.
void MoveReadFromNotation(benchmark::State& state) {
    ChessEngine engine;
    engine.NewGame(*ReadFen(Kiwipete));
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.ParseMove("Ncb5"));
    }
}
BENCHMARK(MoveReadFromNotation)->Repetitions(5)->ReportAggregatesOnly();

// A move and its undo after range(0) plies of knights going back and forth, then (range(1)
// = 1) a pawn move, or (0) none: with a pawn move the draw rules look back one ply whatever
// the game's length; without one they look back over every ply since the start.
void MoveAfterLongGame(benchmark::State& state) {
    ChessEngine engine;
    const char* shuffle[] = {"g1", "f3", "g8", "f6", "f3", "g1", "f6", "g8"};
    for (int ply = 0; ply < state.range(0); ++ply) {
        engine.MovePiece(shuffle[2 * (ply % 4)], shuffle[2 * (ply % 4) + 1]);
    }
    const bool pawnMove = state.range(1) == 1;
    if (pawnMove) {
        engine.MovePiece("e2", "e3");
    }
    const std::string from = pawnMove ? "b8" : "b1";
    const std::string to = pawnMove ? "c6" : "c3";
    for (auto _ : state) {
        engine.MovePiece(from, to);
        engine.UndoLastMove();
    }
    state.counters["halfmove_clock"] = engine.HalfmoveClock() + 1;
}
BENCHMARK(MoveAfterLongGame)
    ->ArgsProduct({{0, 100, 400, 1000}, {0, 1}})
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A game of 300 plies of random legal moves, as PGN.
std::string LongGame() {
    std::mt19937 random(3);
    while (true) {
        ChessEngine engine;
        for (int ply = 0; ply < 300; ++ply) {
            const MoveList legal = engine.LegalMoves();
            if (legal.empty()) {
                break;
            }
            engine.MakeMove(legal[random() % legal.size()]);
        }
        if (engine.State().MoveHistory.size() == 300) {
            return WritePgn(engine, {});
        }
    }
}

// Times reading the first game of text and playing it into a fresh engine, as the game window
// and the pgn tool do.
void TimeImport(benchmark::State& state, const std::string& text) {
    std::size_t plies = 0;
    for (auto _ : state) {
        const PgnFile file = ReadPgn(text);
        ChessEngine engine;
        benchmark::DoNotOptimize(PlayPgnGame(file.Games.at(0), engine));
        plies = engine.State().MoveHistory.size();
    }
    state.counters["plies"] = static_cast<double>(plies);
}

void ImportOf300PlyGame(benchmark::State& state) {
    TimeImport(state, LongGame());
}
BENCHMARK(ImportOf300PlyGame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

namespace {

// A game of range(0) plies without a capture or a pawn move, knights going out and back, as
// PGN: every position of it may repeat an earlier one, so the draw rules must find repetitions
// without looking back over the game. The import time should grow linearly with the plies.
void ImportOfGameWithoutCaptures(benchmark::State& state) {
    const char* shuffle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text;
    for (int ply = 0; ply < state.range(0); ++ply) {
        if (ply % 2 == 0) {
            text += std::to_string(ply / 2 + 1) + ". ";
        }
        text += shuffle[ply % 4];
        text += ' ';
    }
    text += "*\n";
    TimeImport(state, text);
}
BENCHMARK(ImportOfGameWithoutCaptures)
    ->Arg(80000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace
