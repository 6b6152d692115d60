// libFuzzer target for the FEN and PGN readers: the input's first line is read as a FEN, the
// rest as PGN. What they accept must hold up: a FEN written back reads as the same FEN; every
// game is summarised and played with its warnings, each placed in the text; the position a game
// reaches is written as a FEN that reads back; the first games replay move for move through
// MovePiece to the same notation and position, and read back the same, comments included, once
// written; the listing a picker is filled from finds the same games and damage as the reader,
// whether the text is held whole or comes in pieces; an error's quoted text prints without
// control bytes. Any failure aborts; the sanitizers catch the rest. Each check is one function
// of the list in LLVMFuzzerTestOneInput.
#include "engine/Pgn.h"
#include "engine/PgnListing.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// An error's quoted bytes, as a message shows them, hold no byte below a space nor DEL.
void CheckPrintable(const ReadError& error) {
    for (const std::string& text : {Printable(error.Text), Printable(error.MoveText)}) {
        for (const char c : text) {
            Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                    "a quoted text prints without control bytes");
        }
    }
}

// Engines kept from input to input: setting up a game empties one, and creating one for each
// of thousands of games would cost more than the checks.
ChessEngine& Scratch(int which) {
    static ChessEngine engines[2];
    return engines[which];
}

// A written FEN reads back as the same position, and the same FEN.
void CheckFenReadsBack(const ChessEngine& engine) {
    const ReadResult<FenPosition> again = ReadFen(engine.Fen());
    ChessEngine& other = Scratch(1);
    Require(again && other.NewGame(*again) && other.Fen() == engine.Fen(),
            "a written FEN reads back the same");
}

// Summarised, and played with its warnings: each in the text, in the order of the text.
void CheckPlayed(const PgnGame& game) {
    const PgnSummary summary = Summarize(game);
    Require(!summary.Result.empty(), "a summary has a result");
    ChessEngine& played = Scratch(0);
    std::vector<ReadError> warnings;
    const std::optional<ReadError> error = PlayPgnGame(game, played, &warnings);
    int line = 0;
    int column = 0;
    for (const ReadError& warning : warnings) {
        Require(warning.Line > line || (warning.Line == line && warning.Column >= column),
                "warnings come in the order of the text");
        line = warning.Line;
        column = warning.Column;
        CheckPrintable(warning);
    }
    if (error) {
        Require(error->Line > 0, "a game's error says where");
        CheckPrintable(*error);
    }
    CheckFenReadsBack(played);
}

void CheckReplayed(const PgnGame& game) {
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

void CheckFen(std::string_view line) {
    const ReadResult<FenPosition> position = ReadFen(line);
    if (!position) {
        CheckPrintable(position.Error());
        return;
    }
    ChessEngine& engine = Scratch(0);
    engine.NewGame(*position);
    CheckFenReadsBack(engine);
}

void CheckPgn(std::string_view text) {
    const PgnFile file = ReadPgn(text);
    if (file.Error) {
        Require(file.Error->Line > 0, "a PGN error says where");
        CheckPrintable(*file.Error);
    }
    for (std::size_t i = 0; i < file.Games.size(); ++i) {
        CheckPlayed(file.Games[i]);
        // The replay and the written game cost several times the play: the first few games,
        // when not long, are enough for it.
        if (i < 4 && file.Games[i].Moves.size() <= 400) {
            CheckReplayed(file.Games[i]);
        }
    }
}

// What a game read holds that a list or the board shows.
std::string Described(const ReadResult<PgnGame>& game) {
    if (!game) {
        return "damaged at " + std::to_string(game.Error().Line);
    }
    std::string text = game->Termination + ' ' + std::to_string(game->Tags.size());
    for (const PgnMove& move : game->Moves) {
        text += ' ' + move.Text;
    }
    return text;
}

// The index a picker lists, and the listing of a text given in pieces, find the games the reader
// finds, each read again whole the same; summaries are made of every game they report.
void CheckListing(std::string_view text, std::size_t pieceSize) {
    std::vector<std::string> expected;
    PgnReader reader(text);
    while (std::optional<ReadResult<PgnGame>> game = reader.Next()) {
        expected.push_back(Described(*game));
    }
    const std::vector<PgnEntry> entries = *IndexPgn(text);
    Require(entries.size() == expected.size(), "the index lists every game the reader finds");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ReadResult<PgnGame> game = ReadPgnEntry(text, entries[i]);
        Require(Described(game) == expected[i],
                "an indexed game reads again as the reader read it");
        Require((entries[i].Damaged == 1) == !game,
                "the index marks the games that cannot be read");
    }
    std::size_t reported = 0;
    PgnListing listing([&](const PgnListed& game) {
        Require(reported < entries.size() && game.Offset == entries[reported].Offset,
                "the listing of pieces reports the games the index finds, in order");
        Require(game.Damage.has_value() == (entries[reported].Damaged == 1),
                "the listing of pieces finds the same damage");
        if (!game.Damage) {
            Summarize(game.Summary);
        }
        ++reported;
    });
    for (std::size_t from = 0; from < text.size(); from += pieceSize) {
        listing.Add(text.substr(from, pieceSize));
    }
    listing.Finish();
    Require(reported == entries.size(), "the listing of pieces reports every game");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto newline = text.find('\n');
    CheckFen(text.substr(0, newline));
    if (newline != std::string_view::npos) {
        CheckPgn(text.substr(newline + 1));
        // Pieces of a size the input chooses, from a byte to a large read's.
        CheckListing(text.substr(newline + 1), std::size_t{1} << (size % 17));
    }
    return 0;
}
