// record START MOVE...
// START: start, a FEN in quotes, or LAYOUT w|b. MOVE: a coordinate move (e2e4, e7e8n; no
// letter means a queen) or undo. Prints for each "MOVE SAN FEN" ("MOVE refused", "undo FEN"),
// then "  draw REASON" when the move drew the game by rule and "  claim REASON" while a
// draw can be claimed.
#include "ToolArguments.h"

#include <cstdio>
#include <string>

using namespace quorrin;

namespace {

class Host final : public BoardEvents {
public:
    std::optional<DrawReason> draw;
    void Draw(DrawReason eReason) override { draw = eReason; }
};

} // namespace

int main(int argc, char** argv) {
    Host host;
    ChessEngine engine(&host);
    int first = 1;
    if (auto why = tools::SetUpStart(engine, argc, argv, first)) {
        std::fprintf(stderr,
                     "usage: record START MOVE...   (START: start, \"FEN\" or LAYOUT w|b; "
                     "MOVE: e2e4, e7e8n or undo)\nrecord: %s\n",
                     why->c_str());
        return 2;
    }
    for (int i = first; i < argc; ++i) {
        const std::string_view move = argv[i];
        if (move != "undo" && !ReadCoordinates(move)) {
            std::fprintf(stderr, "record: '%s' is not a move (e2e4, e7e8n) or 'undo'\n", argv[i]);
            return 2;
        }
    }
    for (int i = first; i < argc; ++i) {
        const std::string move = argv[i];
        host.draw.reset();
        if (move == "undo") {
            std::printf("undo %s\n", engine.UndoLastMove() ? engine.Fen().c_str() : "refused");
        } else {
            const std::optional<Move> legal = tools::LegalMoveOf(engine, move);
            if (legal && engine.MakeMove(*legal)) {
                const std::size_t ply = engine.State().MoveHistory.size() - 1;
                std::printf("%s %s %s\n", move.c_str(), engine.MoveSan(ply).c_str(),
                            engine.Fen().c_str());
            } else {
                std::printf("%s refused\n", move.c_str());
            }
        }
        if (host.draw) {
            std::printf("  draw %s\n", std::string(DrawReasonName(*host.draw)).c_str());
        }
        if (const auto claim = engine.ClaimableDraw()) {
            std::printf("  claim %s\n", std::string(DrawReasonName(*claim)).c_str());
        }
    }
    return 0;
}
