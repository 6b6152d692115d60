// perft LAYOUT|start w|b DEPTH [--divide]
// Counts the move tree of a position to DEPTH through the engine's move command and undo.
#include "ToolArguments.h"
#include "support/PerftWalker.h"

#include <charconv>
#include <cstdio>
#include <string_view>

using namespace quorrin;

int main(int argc, char** argv) {
    const bool divide = argc == 5 && std::string_view(argv[4]) == "--divide";
    if (argc != 4 && !divide) {
        std::fprintf(stderr, "usage: perft LAYOUT|start w|b DEPTH [--divide]\n");
        return 2;
    }
    const auto layout = tools::ParseLayout(argv[1]);
    const auto white = tools::ParseSide(argv[2]);
    const std::string_view depthText = argv[3];
    int depth = -1;
    const auto parsed =
        std::from_chars(depthText.data(), depthText.data() + depthText.size(), depth);
    if (!layout) {
        std::fprintf(stderr, "perft: the layout must be 'start', 128 characters of piece codes "
                             "or a board diagram\n");
        return 2;
    }
    if (!white) {
        std::fprintf(stderr, "perft: the side to move must be 'w' or 'b'\n");
        return 2;
    }
    if (parsed.ec != std::errc() || parsed.ptr != depthText.data() + depthText.size() ||
        depth < 0 || depth > 12) {
        std::fprintf(stderr, "perft: DEPTH must be a whole number from 0 to 12\n");
        return 2;
    }

    ChessEngine engine;
    engine.NewGame(*layout, *white);
    support::PerftWalker walker(engine);
    const auto counts = walker.Run(depth, [&](const std::string& move, std::uint64_t nodes) {
        if (divide) {
            std::printf("%s: %llu\n", move.c_str(), static_cast<unsigned long long>(nodes));
        }
    });
    std::printf("%s\n", support::FormatCounts(counts).c_str());
    return 0;
}
