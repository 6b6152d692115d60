// pgn FILE [--game N]
//   Imports game N (1 for the first) of a PGN file and prints its moves one a line as
//   "MOVE SAN", then "result R" and "fen FEN"; an import that fails prints why and exits 2.
// pgn --export START MOVE...
//   Prints the PGN of the moves (START and MOVE as the record tool reads them).
#include "engine/Pgn.h"
#include "ToolArguments.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace quorrin;

namespace {

int Export(int argc, char** argv) {
    ChessEngine engine;
    int at = 2;
    if (auto why = tools::SetUpStart(engine, argc, argv, at)) {
        std::fprintf(stderr, "pgn: %s\n", why->c_str());
        return 2;
    }
    for (; at < argc; ++at) {
        const std::string move = argv[at];
        const std::optional<Move> legal = tools::LegalMoveOf(engine, move);
        if (!legal || !engine.MakeMove(*legal)) {
            std::fprintf(stderr, "pgn: '%s' is not a legal move here\n", move.c_str());
            return 2;
        }
    }
    std::fputs(WritePgn(engine, {}).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--export") {
        return Export(argc, argv);
    }
    int number = 1;
    const bool picked = argc == 4 && std::string_view(argv[2]) == "--game";
    if (picked) {
        const std::string_view text = argv[3];
        const auto parsed = std::from_chars(text.data(), text.data() + text.size(), number);
        if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || number < 1) {
            number = 0;
        }
    }
    if ((argc != 2 && !picked) || number < 1) {
        std::fprintf(stderr, "usage: pgn FILE [--game N]   or   pgn --export START MOVE...\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pgn: cannot read %s\n", argv[1]);
        return 2;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const PgnFile file = ReadPgn(content.str());
    if (file.Error) {
        std::fprintf(stderr, "%s\n", support::DescribeError(*file.Error).c_str());
        return 2;
    }
    if (static_cast<std::size_t>(number) > file.Games.size()) {
        std::fprintf(stderr, "pgn: the file holds %zu games, not %d\n", file.Games.size(), number);
        return 2;
    }
    const PgnGame& game = file.Games[static_cast<std::size_t>(number) - 1];
    ChessEngine engine;
    std::vector<ReadError> warnings;
    const std::optional<ReadError> why = PlayPgnGame(game, engine, &warnings);
    for (const ReadError& warning : warnings) {
        std::fprintf(stderr, "warning: %s\n", support::DescribeError(warning).c_str());
    }
    if (why) {
        std::fprintf(stderr, "%s\n", support::DescribeError(*why).c_str());
        return 2;
    }
    for (std::size_t ply = 0; ply < engine.State().MoveHistory.size(); ++ply) {
        std::printf("%s %s\n", engine.MoveAt(ply).Coordinates().c_str(),
                    engine.MoveSan(ply).c_str());
    }
    const std::string result(game.Result());
    std::printf("result %s\nfen %s\n", result.c_str(), engine.Fen().c_str());
    return 0;
}
