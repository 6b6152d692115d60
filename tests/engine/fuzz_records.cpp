// libFuzzer target for the FEN and PGN readers: the input's first line is read as a FEN, the
// rest as PGN. What they accept must hold up: a FEN written back reads as the same FEN, and
// every game played replays move for move through MovePiece to the same notation and
// position, and reads back the same, comments included, once written. Any failure aborts; the
// sanitizers catch the rest.
#include "engine/Pgn.h"

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

// Answers a promotion with the piece of the move being replayed.
class PromotionHost : public BoardEvents {
public:
    Shape promotion = Shape::Queen;
    void PawnPromotion(bool white, PieceType& choice) override {
        choice = PieceOf(promotion, white);
    }
};

void CheckGame(const PgnGame& game) {
    ChessEngine played;
    if (PlayPgnGame(game, played)) {
        return;
    }
    PromotionHost host;
    ChessEngine replay(&host);
    const ReadResult<FenPosition> start = ReadFen(played.FenAtStart());
    Require(start && replay.NewGame(*start), "the start of a played game sets up");
    for (std::size_t ply = 0; ply < played.State().MoveHistory.size(); ++ply) {
        const Move move = played.MoveAt(ply);
        host.promotion = move.Promotion.value_or(Shape::Queen);
        Require(replay.MovePiece(SquareIndexToName(move.From), SquareIndexToName(move.To)),
                "a played move is made");
        Require(replay.MoveAt(ply) == move && replay.MoveSan(ply) == played.MoveSan(ply),
                "the replayed move and notation are the same");
    }
    Require(replay.Fen() == played.Fen(), "the replay ends in the same position");
    const PgnFile back = ReadPgn(WritePgn(replay, game.Tags, false, game.Comments));
    Require(!back.Error && back.Games.size() == 1, "a written game reads back");
    Require(back.Games[0].Comments == game.Comments, "a written game's comments read back");
    ChessEngine again;
    Require(!PlayPgnGame(back.Games[0], again) && again.Fen() == played.Fen(),
            "a written game plays to the same position");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto newline = text.find('\n');
    if (const ReadResult<FenPosition> position = ReadFen(text.substr(0, newline))) {
        ChessEngine engine;
        engine.NewGame(*position);
        const ReadResult<FenPosition> again = ReadFen(engine.Fen());
        ChessEngine other;
        Require(again && other.NewGame(*again) && other.Fen() == engine.Fen(),
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
