// trace LAYOUT|start w|b MOVE...   or   trace "FEN" MOVE...
// Plays moves ("e2e4", "e7e8n" with the promotion answer, or "undo") and prints each call
// with the events it raised, in order: a readable view of the engine's event stream. A
// promotion shows the answer given: the piece code of the letter, 0 (a queen) without one.
#include "ToolArguments.h"
#include "engine/ChessEngine.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace quorrin;

namespace {

// Collects the events of one call, to be printed under the call's own line.
class EventRecorder final : public BoardEvents {
public:
    PieceType promotionAnswer = 0;
    std::vector<std::string> lines;

    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override {
        Add("PieceMovement " + Flag(bWhite) + " " + sFrom + " " + sTo);
    }
    void PieceCapture(PieceType ePiece) override { Add("PieceCapture " + std::to_string(ePiece)); }
    void KingInCheck(bool bWhite, bool bCheckmate) override {
        Add("KingInCheck " + Flag(bWhite) + " " + Flag(bCheckmate));
    }
    void PawnPromotion(bool bWhite, PieceType& eChoice) override {
        Add("PawnPromotion " + Flag(bWhite) + " answered " + std::to_string(promotionAnswer));
        eChoice = promotionAnswer;
    }
    void Stalemate() override { Add("Stalemate"); }
    void MoveUndo(bool bWhite) override { Add("MoveUndo " + Flag(bWhite)); }

private:
    static std::string Flag(bool value) { return value ? "1" : "0"; }
    void Add(std::string line) { lines.push_back(std::move(line)); }
};

void PrintCall(const std::string& call, bool result, EventRecorder& events) {
    std::printf("%s = %d\n", call.c_str(), result);
    for (const std::string& line : events.lines) {
        std::printf("  %s\n", line.c_str());
    }
    events.lines.clear();
}

} // namespace

int main(int argc, char** argv) {
    EventRecorder events;
    ChessEngine engine(&events);
    int first = 1;
    if (auto why = tools::SetUpStart(engine, argc, argv, first)) {
        std::fprintf(stderr,
                     "usage: trace LAYOUT|start w|b MOVE...  or  trace \"FEN\" MOVE...   "
                     "(MOVE: e2e4, e7e8q, undo)\ntrace: %s\n",
                     why->c_str());
        return 2;
    }
    for (int i = first; i < argc; ++i) {
        const std::string_view move = argv[i];
        if (move != "undo" && !ReadCoordinates(move)) {
            std::fprintf(stderr, "trace: '%s' is not a move (e2e4, e7e8q) or 'undo'\n", argv[i]);
            return 2;
        }
    }

    for (int i = first; i < argc; ++i) {
        const std::string_view move = argv[i];
        if (move == "undo") {
            const bool done = engine.UndoLastMove();
            PrintCall("UndoLastMove", done, events);
            continue;
        }
        const std::string from(move.substr(0, 2));
        const std::string to(move.substr(2, 2));
        events.promotionAnswer = tools::PromotionAnswer(move, engine.SideTurn() == 0);
        const bool made = engine.MovePiece(from, to);
        PrintCall("MovePiece " + from + " " + to, made, events);
    }
    return 0;
}
