// Speed of the engine's public move cycle, of the attack test, and of a full perft walk.
#include "engine/ChessEngine.h"
#include "tools/support/AllocationCounter.h"
#include "tools/support/PerftWalker.h"
#include "tools/support/StandardPositions.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace quorrin;

namespace {

struct Case {
    const char* position; // a standard position's name
    const char* from;
    const char* to;
};

// A quiet opening move, then real middlegame positions with a quiet move and a capture.
const Case Cases[] = {
    {"start", "e2", "e4"},      {"kiwipete", "d5", "d6"},   {"kiwipete", "e2", "a6"},
    {"middlegame", "g5", "f6"}, {"middlegame", "h2", "h3"},
};

void SetUp(ChessEngine& engine, const char* position) {
    engine.NewGame(*ReadFen(*support::StandardFen(position)));
}

void MoveAndUndo(benchmark::State& state) {
    const Case& c = Cases[state.range(0)];
    ChessEngine engine;
    SetUp(engine, c.position);
    const std::string from = c.from;
    const std::string to = c.to;
    const auto allocationsBefore = support::AllocationCount();
    for (auto _ : state) {
        const bool made = engine.MovePiece(from, to);
        benchmark::DoNotOptimize(made);
        engine.UndoLastMove();
    }
    state.counters["allocations_per_cycle"] =
        benchmark::Counter(static_cast<double>(support::AllocationCount() - allocationsBefore) /
                           static_cast<double>(state.iterations()));
    state.SetLabel(std::string(c.from) + c.to);
}
BENCHMARK(MoveAndUndo)->DenseRange(0, std::size(Cases) - 1)->Repetitions(5)->ReportAggregatesOnly();

void AttackTest(benchmark::State& state) {
    ChessEngine engine;
    SetUp(engine, "kiwipete");
    for (auto _ : state) {
        for (SquareIndex square = 1; square <= 64; ++square) {
            benchmark::DoNotOptimize(engine.IsSquareAttacked(square % 2 == 0, square));
        }
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(AttackTest);

void PerftStart(benchmark::State& state) {
    ChessEngine engine;
    support::PerftWalker walker(engine);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = walker.Run(static_cast<int>(state.range(0))).nodes;
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes_per_second"] = benchmark::Counter(
        static_cast<double>(nodes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(PerftStart)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
