#include "Pgn.h"

#include <algorithm>
#include <array>

namespace quorrin {

namespace {

constexpr std::array<std::string_view, 7> RosterNames = {"Event", "Site",  "Date",  "Round",
                                                         "White", "Black", "Result"};

const PgnTag* FindTag(const std::vector<PgnTag>& tags, std::string_view name) {
    const auto found = std::find_if(tags.begin(), tags.end(),
                                    [name](const PgnTag& tag) { return tag.Name == name; });
    return found == tags.end() ? nullptr : &*found;
}

// Sets up the FEN tag's position, or the standard start without one.
std::optional<ReadError> SetUpStart(const PgnGame& game, ChessEngine& engine) {
    const PgnTag* fen = FindTag(game.Tags, "FEN");
    if (fen == nullptr) {
        engine.NewGame();
        return std::nullopt;
    }
    const ReadResult<FenPosition> position = ReadFen(fen->Value);
    if (!position) {
        ReadError error = position.Error();
        error.Line = fen->Line;
        error.Column = fen->Column;
        error.Context = ReadContext::FenTag;
        return error;
    }
    engine.NewGame(*position);
    return std::nullopt;
}

ReadError MoveError(ReadError error, const PgnMove& written, const ChessEngine& engine) {
    error.Line = written.Line;
    error.Column = written.Column;
    error.Context = ReadContext::GameMove;
    error.MoveNumber = engine.FullmoveNumber();
    error.MoverIsWhite = engine.SideTurn() == 0;
    error.MoveText = written.Text;
    return error;
}

// Makes the move as written, or says why it cannot be made; appends to warnings (when given)
// what its text claims falsely: a check or a mate it does not give, a capture onto an empty
// square. Such moves are common in real files and are played all the same.
std::optional<ReadError> PlayMove(const PgnMove& written, ChessEngine& engine,
                                  std::vector<ReadError>* warnings) {
    const PositionFacts& now = engine.Facts();
    if (now.Mated || now.Stalemated) {
        return MoveError(
            ReadError{.Code = ReadErrorCode::GameAlreadyOver, .Number = now.Mated ? 1 : 2}, written,
            engine);
    }
    const ReadResult<Move> move = engine.ParseMove(written.Text);
    if (!move) {
        return MoveError(move.Error(), written, engine);
    }
    const ReadError warning =
        MoveError(ReadError{.Text = written.Text, .Target = move->To}, written, engine);
    if (!engine.MakeMove(*move)) {
        return MoveError(ReadError{.Code = ReadErrorCode::NotAMove, .Text = written.Text}, written,
                         engine);
    }
    if (warnings == nullptr) {
        return std::nullopt;
    }
    const std::string_view text = written.Text;
    const std::size_t end = text.find_last_not_of("!?");
    const char mark = end == std::string_view::npos ? '\0' : text[end];
    const MoveRecord& made = engine.State().MoveHistory.back();
    if ((mark == '+' && !made.After.InCheck) || (mark == '#' && !made.After.Mated)) {
        ReadError falseCheck = warning;
        falseCheck.Code = ReadErrorCode::PgnFalseCheck;
        falseCheck.Number = mark == '+' ? 1 : 2;
        warnings->push_back(falseCheck);
    }
    // Piece letters are upper case and files run a to h: an x or a colon is a capture sign.
    const bool captured = made.ToOccupied || made.Kind == MoveKind::EnPassantMove;
    if (!captured && text.find_first_of("x:") != std::string_view::npos) {
        ReadError falseCapture = warning;
        falseCapture.Code = ReadErrorCode::PgnFalseCapture;
        warnings->push_back(falseCapture);
    }
    return std::nullopt;
}

// Lays words out in lines of at most 79 columns, a word longer than that on a line of its own.
class LineFiller {
public:
    explicit LineFiller(std::string& text) : text_(text) {}

    void Add(std::string_view word) {
        const std::size_t columns = static_cast<std::size_t>(
            std::count_if(word.begin(), word.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        if (width_ > 0 && width_ + 1 + columns > 79) {
            text_ += '\n';
            width_ = 0;
            if (restOfLineComment_) {
                text_ += ';';
                width_ = 1;
            }
        }
        if (width_ > 0) {
            text_ += ' ';
            ++width_;
        }
        text_ += word;
        width_ += columns;
    }

    // A comment in braces, or after a semicolon (on as many lines as it takes) when it holds
    // a closing brace. False when it has no words, and nothing was written.
    bool AddComment(std::string_view comment) {
        constexpr std::string_view spaces = " \t\n\r\f\v";
        std::size_t start = comment.find_first_not_of(spaces);
        if (start == std::string_view::npos) {
            return false;
        }
        const bool braces = comment.find('}') == std::string_view::npos;
        if (!braces) {
            Add(";");
            restOfLineComment_ = true;
        }
        std::string word(braces ? "{" : "");
        while (start != std::string_view::npos) {
            const std::size_t end = std::min(comment.find_first_of(spaces, start), comment.size());
            const std::size_t next = comment.find_first_not_of(spaces, end);
            word += comment.substr(start, end - start);
            if (braces && next == std::string_view::npos) {
                word += '}';
            }
            Add(word);
            word.clear();
            start = next;
        }
        if (!braces) {
            text_ += '\n';
            width_ = 0;
            restOfLineComment_ = false;
        }
        return true;
    }

private:
    std::string& text_;
    std::size_t width_ = 0;
    bool restOfLineComment_ = false;
};

} // namespace

PgnSummary Summarize(const PgnGame& game) {
    PgnSummary summary{std::string(game.Tag("White")),
                       std::string(game.Tag("Black")),
                       std::string(game.Tag("Result")),
                       std::string(game.Tag("Date")),
                       {}};
    if (summary.Result.empty()) {
        summary.Result = game.Termination.empty() ? "*" : game.Termination;
    }
    bool white = true;
    int number = 1;
    if (const PgnTag* fen = FindTag(game.Tags, "FEN")) {
        if (const ReadResult<FenPosition> position = ReadFen(fen->Value)) {
            white = position->WhiteToMove;
            number = position->FullmoveNumber;
        }
    }
    for (std::size_t i = 0; i < game.Moves.size() && i < 6; ++i) {
        if (i > 0) {
            summary.FirstMoves += ' ';
        }
        if (white || i == 0) {
            summary.FirstMoves += std::to_string(number);
            summary.FirstMoves += white ? ". " : "... ";
        }
        summary.FirstMoves += game.Moves[i].Text;
        number += white ? 0 : 1;
        white = !white;
    }
    return summary;
}

std::optional<ReadError> PlayPgnGame(const PgnGame& game, ChessEngine& engine,
                                     std::vector<ReadError>* warnings) {
    if (std::optional<ReadError> error = SetUpStart(game, engine)) {
        return error;
    }
    const PgnTag* result = FindTag(game.Tags, "Result");
    if (warnings != nullptr && result != nullptr && !game.Termination.empty() &&
        result->Value != game.Termination) {
        warnings->push_back(ReadError{.Code = ReadErrorCode::PgnResultDisagrees,
                                      .Text = result->Value,
                                      .Line = result->Line,
                                      .Column = result->Column,
                                      .MoveText = game.Termination});
    }
    for (const PgnMove& move : game.Moves) {
        if (std::optional<ReadError> error = PlayMove(move, engine, warnings)) {
            return error;
        }
    }
    return std::nullopt;
}

std::string_view GameResult(const ChessEngine& engine, bool drawClaimed, std::string_view decided) {
    const EngineState& state = engine.State();
    auto verdict = [](const PositionFacts& facts, bool whiteToMove) -> std::string_view {
        if (facts.Mated) {
            return whiteToMove ? "0-1" : "1-0";
        }
        return facts.Stalemated || facts.AutomaticDraws != 0 ? "1/2-1/2" : "";
    };
    std::string_view result = verdict(state.Start, state.StartWhitesTurn);
    for (std::size_t i = 0; i < state.MoveHistory.size() && result.empty(); ++i) {
        result = verdict(state.MoveHistory[i].After, !state.MoveHistory[i].WhiteMoved);
    }
    return !result.empty() ? result : !decided.empty() ? decided : drawClaimed ? "1/2-1/2" : "*";
}

std::string WritePgn(const ChessEngine& engine, const std::vector<PgnTag>& tags, bool drawClaimed,
                     const PgnComments& comments, std::string_view decided) {
    std::string text;
    auto write = [&text](std::string_view name, std::string_view value) {
        text += '[';
        text += name;
        text += " \"";
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                text += '\\';
            }
            text += c;
        }
        text += "\"]\n";
    };
    const std::string_view result = GameResult(engine, drawClaimed, decided);
    for (const std::string_view name : RosterNames) {
        const PgnTag* tag = FindTag(tags, name);
        write(name, name == "Result" ? result
                    : tag != nullptr ? std::string_view(tag->Value)
                    : name == "Date" ? "????.??.??"
                                     : "?");
    }
    for (const PgnTag& tag : tags) {
        const bool ours =
            tag.Name == "SetUp" || tag.Name == "FEN" ||
            std::find(RosterNames.begin(), RosterNames.end(), tag.Name) != RosterNames.end();
        if (!ours) {
            write(tag.Name, tag.Value);
        }
    }
    if (engine.FenAtStart() != StartFen) {
        write("SetUp", "1");
        write("FEN", engine.FenAtStart());
    }
    text += '\n';

    LineFiller lines(text);
    lines.AddComment(comments.BeforeFirstMove);
    const EngineState& state = engine.State();
    int number = state.StartFullmoveNumber;
    bool commented = false; // the last move has a comment after it
    std::string move;
    for (std::size_t ply = 0; ply < state.MoveHistory.size(); ++ply) {
        const bool white = state.MoveHistory[ply].WhiteMoved;
        move.clear();
        // Black's move is numbered where White's is not just before it; a number and its move
        // stay on one line.
        if (white || ply == 0 || commented) {
            move += std::to_string(number);
            move += white ? ". " : "... ";
        }
        move += engine.MoveSan(ply);
        lines.Add(move);
        commented = lines.AddComment(comments.After(ply));
        number += white ? 0 : 1;
    }
    lines.Add(result);
    text += "\n\n";
    return text;
}

} // namespace quorrin
