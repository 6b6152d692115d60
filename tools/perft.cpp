// perft LAYOUT|start w|b DEPTH [--divide]   or   perft "FEN" DEPTH [--divide]
// Counts the move tree of a position to DEPTH through the engine's move command and undo.
#include "ToolArguments.h"
#include "tools/support/PerftWalker.h"

#include <charconv>
#include <cstdio>
#include <string_view>

using namespace quorrin;

int main(int argc, char** argv) {
    ChessEngine engine;
    int at = 1;
    const auto why = tools::SetUpStart(engine, argc, argv, at);
    const bool divide = argc == at + 2 && std::string_view(argv[at + 1]) == "--divide";
    if (why || (argc != at + 1 && !divide)) {
        std::fprintf(stderr, "usage: perft LAYOUT|start w|b DEPTH [--divide]  or  perft \"FEN\" "
                             "DEPTH [--divide]\n");
        if (why) {
            std::fprintf(stderr, "perft: %s\n", why->c_str());
        }
        return 2;
    }
    const std::string_view depthText = argv[at];
    int depth = -1;
    const auto parsed =
        std::from_chars(depthText.data(), depthText.data() + depthText.size(), depth);
    if (parsed.ec != std::errc() || parsed.ptr != depthText.data() + depthText.size() ||
        depth < 0 || depth > 12) {
        std::fprintf(stderr, "perft: DEPTH must be a whole number from 0 to 12\n");
        return 2;
    }

    support::PerftWalker walker(engine);
    const auto counts = walker.Run(depth, [&](const std::string& move, std::uint64_t nodes) {
        if (divide) {
            std::printf("%s: %llu\n", move.c_str(), static_cast<unsigned long long>(nodes));
        }
    });
    std::printf("%s\n", support::FormatCounts(counts).c_str());
    return 0;
}
