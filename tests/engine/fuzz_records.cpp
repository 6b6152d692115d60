// libFuzzer target for the FEN and PGN readers: the input's first line is read as a FEN, the
// rest as PGN. What they accept must hold up: a FEN written back reads as the same FEN, and
// every game imported replays move for move through MovePiece to the same notation and
// position, and reads back the same once written. Any failure aborts; the sanitizers catch
// the rest.
#include "engine/Pgn.h"
#include "tests/support/EngineChecks.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace quorrin;

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "record check failed: %s\n", what);
        std::abort();
    }
}

void CheckGame(const PgnGame& game) {
    ChessEngine imported;
    if (PlayPgnGame(game, imported)) {
        return;
    }
    ChessEngine replay;
    Require(replay.NewGame(*ReadFen(imported.FenAtStart())), "the start of an imported game sets up");
    for (std::size_t ply = 0; ply < imported.State().MoveHistory.size(); ++ply) {
        Require(replay.MakeMove(imported.MoveAt(ply)), "an imported move is made");
        Require(replay.MoveSan(ply) == imported.MoveSan(ply), "the replayed notation is the same");
    }
    Require(replay.Fen() == imported.Fen(), "the replay ends in the same position");
    const PgnFile back = ReadPgn(WritePgn(replay, game.Tags));
    Require(!back.Error && back.Games.size() == 1, "a written game reads back");
    ChessEngine again;
    Require(!PlayPgnGame(back.Games[0], again) && again.Fen() == imported.Fen(),
            "a written game imports to the same position");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto newline = text.find('\n');
    const std::string_view fen = text.substr(0, newline);
    const ReadResult<FenPosition> position = ReadFen(fen);
    if (position) {
        ChessEngine engine;
        engine.NewGame(*position);
        ChessEngine again;
        const ReadResult<FenPosition> written = ReadFen(engine.Fen());
        Require(written && again.NewGame(*written) && again.Fen() == engine.Fen(),
                "a written FEN reads back the same");
    }
    if (newline != std::string_view::npos) {
        const PgnFile file = ReadPgn(text.substr(newline + 1));
        for (std::size_t i = 0; i < file.Games.size() && i < 4; ++i) {
            CheckGame(file.Games[i]);
        }
    }
    return 0;
}
