// pgn FILE [--game N]
//   Imports game N (1 for the first) of a PGN file and prints its moves one a line as
//   "MOVE SAN", then "result R" and "fen FEN"; an import that fails prints why and exits 2.
// pgn FILE --list
//   Lists the games of a PGN file as it reads it, without keeping them: a line a game,
//   "N. White - Black   Result   Date   first moves", or "N. damaged: why" for one that cannot
//   be read or (when under 1 MiB) played, then "N games, D damaged"; exits 2 when no game can.
// pgn --export START MOVE...
//   Prints the PGN of the moves (START and MOVE as the record tool reads them).
// A file larger than 64 MiB, or one that is not a regular file, is refused.
#include "engine/Pgn.h"
#include "ToolArguments.h"
#include "engine/PgnListing.h"
#include "tools/support/TextFile.h"

#include <charconv>
#include <cstdio>
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

int List(const std::string& path) {
    std::size_t games = 0;
    std::size_t damaged = 0;
    PgnListing listing([&](const PgnListed& game) {
        ++games;
        // A game of a reasonable length is played too, to find a move that cannot be made.
        std::optional<ReadError> damage = game.Damage;
        const bool empty = game.Summary.Moves.empty() && game.Summary.Tag("FEN").empty();
        if (!damage && !empty && game.Text.size() <= (std::size_t{1} << 20)) {
            PgnReader whole(game.Text, game.From);
            const std::optional<ReadResult<PgnGame>> read = whole.Next();
            ChessEngine engine;
            damage = read && *read ? PlayPgnGame(**read, engine) : std::nullopt;
        }
        if (damage) {
            ++damaged;
            std::printf("%zu. damaged: %s\n", games, support::DescribeError(*damage).c_str());
            return;
        }
        const PgnSummary about = Summarize(game.Summary);
        std::printf("%zu. %s - %s   %s   %s   %s\n", games, about.White.c_str(),
                    about.Black.c_str(), about.Result.c_str(), about.Date.c_str(),
                    about.FirstMoves.c_str());
    });
    if (const auto why = support::ReadFilePieces(
            path, LargestPgnText, [&listing](std::string_view piece) { listing.Add(piece); })) {
        std::fprintf(stderr, "pgn: %s\n", why->c_str());
        return 2;
    }
    listing.Finish();
    std::printf("%zu games, %zu damaged\n", games, damaged);
    return games > damaged ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--export") {
        return Export(argc, argv);
    }
    if (argc == 3 && std::string_view(argv[2]) == "--list") {
        return List(argv[1]);
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
        std::fprintf(stderr,
                     "usage: pgn FILE [--game N | --list]   or   pgn --export START MOVE...\n");
        return 2;
    }
    std::string text;
    if (const auto why = support::ReadFilePieces(
            argv[1], LargestPgnText, [&text](std::string_view piece) { text += piece; })) {
        std::fprintf(stderr, "pgn: %s\n", why->c_str());
        return 2;
    }
    const std::vector<PgnEntry> entries = *IndexPgn(text);
    if (static_cast<std::size_t>(number) > entries.size()) {
        std::fprintf(stderr, "pgn: the file holds %zu games, not %d\n", entries.size(), number);
        return 2;
    }
    const ReadResult<PgnGame> read =
        ReadPgnEntry(text, entries[static_cast<std::size_t>(number) - 1]);
    if (!read) {
        std::fprintf(stderr, "%s\n", support::DescribeError(read.Error()).c_str());
        return 2;
    }
    const PgnGame& game = *read;
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
