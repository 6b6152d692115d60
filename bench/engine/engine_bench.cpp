// Speed of the engine's public move cycle, of the attack test, and of a full perft walk.
#include "engine/ChessEngine.h"
#include "engine/Layout.h"
#include "tools/support/AllocationCounter.h"
#include "tools/support/PerftWalker.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace quorrin;

namespace {

struct Case {
    const char* diagram;
    bool whiteToMove;
    const char* from;
    const char* to;
};

// A quiet opening move, then real middlegame positions with a quiet move and a capture.
const Case Cases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "e2", "e4"},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, "d5", "d6"},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, "e2", "a6"},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1", true, "g5", "f6"},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1", true, "h2", "h3"},
};

void MoveAndUndo(benchmark::State& state) {
    const Case& c = Cases[state.range(0)];
    ChessEngine engine;
    engine.NewGame(*LayoutFromDiagram(c.diagram), c.whiteToMove);
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
    engine.NewGame(*LayoutFromDiagram("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R"));
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
