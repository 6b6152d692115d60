// Speed of listing a game file without keeping its games, in bytes a second: a text of ordinary
// games held whole (IndexPgn, as the window lists a file), the same given in 1 MiB pieces
// (PgnListing, as the pgn tool lists a file while reading it), and the shapes that cost most per
// byte: an empty game every two bytes ("* * *"), and one long game of short moves ("a3 a3 ...").
#include "engine/PgnListing.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace quorrin;

namespace {

constexpr std::size_t TextBytes = std::size_t{8} << 20;

std::string Repeated(std::string_view unit) {
    std::string text;
    text.reserve(TextBytes + unit.size());
    while (text.size() < TextBytes) {
        text += unit;
    }
    return text;
}

const std::string& Shape(int shape) {
    static const std::string shapes[] = {
        Repeated("[Event \"Club\"]\n[White \"A. Player\"]\n[Black \"B. Player\"]\n[Result "
                 "\"1-0\"]\n\n1. e4 {best} e5 2. Nf3 Nc6 3. Bb5 a6 (3... Nf6 4. O-O) 4. Ba4 Nf6 "
                 "5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 Nb8 10. d4 Nbd7 1-0\n\n"),
        Repeated("* "),
        Repeated("a3 "),
    };
    return shapes[shape];
}

void ListedWhole(benchmark::State& state) {
    const std::string& text = Shape(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(IndexPgn(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ListedWhole)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void ListedInPieces(benchmark::State& state) {
    const std::string& text = Shape(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t games = 0;
        PgnListing listing([&games](const PgnListed&) { ++games; });
        for (std::size_t at = 0; at < text.size(); at += std::size_t{1} << 20) {
            listing.Add(std::string_view(text).substr(at, std::size_t{1} << 20));
        }
        listing.Finish();
        benchmark::DoNotOptimize(games);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ListedInPieces)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
