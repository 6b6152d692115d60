#include "Pgn.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace quorrin {

namespace {

constexpr std::array<std::string_view, 7> RosterNames = {"Event", "Site",  "Date",  "Round",
                                                         "White", "Black", "Result"};

ReadError At(ReadErrorCode code, int line, int column) {
    return ReadError{.Code = code, .Line = line, .Column = column};
}

bool IsTermination(std::string_view token) {
    return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
}

// Walks the text keeping the line and column of the character at hand.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            at_ = lineStart_ = 3;
        }
    }
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    bool AtLineStart() const { return at_ == lineStart_; }
    int Line() const { return line_; }
    int Column() const { return static_cast<int>(at_ - lineStart_) + 1; }
    char Take() {
        const char c = text_[at_++];
        if (c == '\n') {
            ++line_;
            lineStart_ = at_;
        }
        return c;
    }
    void SkipLine() {
        while (!AtEnd() && Peek() != '\n') {
            Take();
        }
    }
    void SkipSpaces() {
        while (!AtEnd() && std::string_view(" \t\r\n\f\v").find(Peek()) != std::string_view::npos) {
            Take();
        }
    }
    // A run of characters up to white space or one of the characters with a meaning of
    // their own.
    std::string_view Symbol() {
        const std::size_t start = at_;
        while (!AtEnd() &&
               std::string_view(" \t\r\n\f\v{}()[];$\"").find(Peek()) == std::string_view::npos) {
            Take();
        }
        return text_.substr(start, at_ - start);
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
};

// Reads [Name "value"] with the scanner on '['; the error when it is not one.
std::optional<ReadError> ReadTag(Scanner& in, PgnTag& tag) {
    tag.Line = in.Line();
    tag.Column = in.Column();
    const ReadError malformed = At(ReadErrorCode::PgnBadTag, tag.Line, tag.Column);
    in.Take();
    in.SkipSpaces();
    while (!in.AtEnd() &&
           (std::isalnum(static_cast<unsigned char>(in.Peek())) || in.Peek() == '_')) {
        tag.Name += in.Take();
    }
    in.SkipSpaces();
    if (tag.Name.empty() || in.Peek() != '"') {
        return malformed;
    }
    in.Take();
    while (true) {
        if (in.AtEnd() || in.Peek() == '\n') {
            return malformed;
        }
        char c = in.Take();
        if (c == '"') {
            break;
        }
        if (c == '\\' && (in.Peek() == '"' || in.Peek() == '\\')) {
            c = in.Take();
        }
        tag.Value += c;
    }
    in.SkipSpaces();
    if (in.Peek() != ']') {
        return malformed;
    }
    in.Take();
    return std::nullopt;
}

// A move symbol without its number ("12.Nf3", "12...Nf3") and annotations ("Nf3!?"); empty
// for a symbol that holds no move (a bare number, "...", "!?").
std::string_view MoveOf(std::string_view symbol, int& offset) {
    offset = 0;
    std::size_t digits = 0;
    while (digits < symbol.size() && std::isdigit(static_cast<unsigned char>(symbol[digits]))) {
        ++digits;
    }
    if (digits == symbol.size() || (digits > 0 && symbol[digits] == '.') || symbol[0] == '.') {
        const std::size_t dots = symbol.find_first_not_of('.', digits);
        if (dots == std::string_view::npos) {
            return {};
        }
        symbol.remove_prefix(dots);
        offset = static_cast<int>(dots);
    }
    while (!symbol.empty() && (symbol.back() == '!' || symbol.back() == '?')) {
        symbol.remove_suffix(1);
    }
    return symbol;
}

} // namespace

std::string PgnGame::Tag(std::string_view name) const {
    for (const PgnTag& tag : Tags) {
        if (tag.Name == name) {
            return tag.Value;
        }
    }
    return {};
}

PgnFile ReadPgn(std::string_view text) {
    PgnFile file;
    PgnGame game;
    bool movesBegun = false;
    auto finishGame = [&] {
        if (!game.Tags.empty() || !game.Moves.empty() || !game.Termination.empty()) {
            file.Games.push_back(std::move(game));
        }
        game = PgnGame{};
        movesBegun = false;
    };
    Scanner in(text);
    int depth = 0; // variations open
    int openLine = 0;
    int openColumn = 0;
    while (true) {
        in.SkipSpaces();
        if (in.AtEnd()) {
            break;
        }
        const int line = in.Line();
        const int column = in.Column();
        const char c = in.Peek();
        if (c == '%' && in.AtLineStart()) {
            in.SkipLine();
        } else if (c == ';') {
            in.SkipLine();
        } else if (c == '{') {
            while (!in.AtEnd() && in.Peek() != '}') {
                in.Take();
            }
            if (in.AtEnd()) {
                file.Error = At(ReadErrorCode::PgnUnclosedComment, line, column);
                return file;
            }
            in.Take();
        } else if (c == '(') {
            if (depth++ == 0) {
                openLine = line;
                openColumn = column;
            }
            in.Take();
        } else if (c == ')') {
            if (depth == 0) {
                file.Error = At(ReadErrorCode::PgnUnopenedVariation, line, column);
                return file;
            }
            --depth;
            in.Take();
        } else if (depth > 0) {
            // Inside a variation only comments and brackets count.
            if (in.Symbol().empty()) {
                in.Take();
            }
        } else if (c == '[') {
            if (movesBegun) {
                finishGame(); // a game without a result before the next one's tags
            }
            PgnTag tag;
            if (std::optional<ReadError> why = ReadTag(in, tag)) {
                file.Error = why;
                return file;
            }
            game.Tags.push_back(std::move(tag));
        } else if (c == '$') {
            in.Take();
            while (std::isdigit(static_cast<unsigned char>(in.Peek()))) {
                in.Take();
            }
        } else {
            const std::string_view symbol = in.Symbol();
            if (symbol.empty()) {
                file.Error = At(ReadErrorCode::PgnUnexpectedCharacter, line, column);
                file.Error->Text = std::string(1, c);
                return file;
            }
            if (IsTermination(symbol)) {
                game.Termination = std::string(symbol);
                finishGame();
                continue;
            }
            int offset = 0;
            const std::string_view move = MoveOf(symbol, offset);
            if (!move.empty()) {
                game.Moves.push_back({std::string(move), line, column + offset});
                movesBegun = true;
            }
        }
    }
    if (depth > 0) {
        file.Error = At(ReadErrorCode::PgnUnclosedVariation, openLine, openColumn);
        return file;
    }
    finishGame();
    return file;
}

PgnSummary Summarize(const PgnGame& game) {
    PgnSummary summary{
        game.Tag("White"), game.Tag("Black"), game.Tag("Result"), game.Tag("Date"), {}};
    if (summary.Result.empty()) {
        summary.Result = game.Termination.empty() ? "*" : game.Termination;
    }
    // Numbered from the FEN tag's side and move number when there is one.
    const std::string fen = game.Tag("FEN");
    bool white = fen.find(" b ") == std::string::npos;
    int number = 1;
    if (const auto last = fen.find_last_of(' '); last != std::string::npos) {
        number = std::max(1, std::atoi(fen.c_str() + last + 1));
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

PgnImport ImportPgnGame(const PgnGame& game) {
    PgnImport result;
    result.Result = !game.Termination.empty()     ? game.Termination
                    : !game.Tag("Result").empty() ? game.Tag("Result")
                                                  : "*";
    ChessEngine engine;
    for (const PgnTag& tag : game.Tags) {
        if (tag.Name == "FEN") {
            const ReadResult<FenPosition> position = ReadFen(tag.Value);
            if (!position) {
                result.Error = position.Error();
                result.Error->Line = tag.Line;
                result.Error->Column = tag.Column;
                result.Error->Context = ReadContext::FenTag;
                return result;
            }
            engine.NewGame(*position);
            if (engine.FenAtStart() != StartFen) {
                result.StartFen = engine.FenAtStart();
            }
        }
    }
    result.Moves.reserve(game.Moves.size());
    result.San.reserve(game.Moves.size());
    for (const PgnGame::Move& token : game.Moves) {
        const bool white = engine.SideTurn() == 0;
        const ReadResult<Move> move = engine.ParseMove(token.Text);
        if (!move || !engine.MakeMove(*move)) {
            result.Error = move ? ReadError{.Code = ReadErrorCode::NotAMove, .Text = token.Text}
                                : move.Error();
            result.Error->Line = token.Line;
            result.Error->Column = token.Column;
            result.Error->Context = ReadContext::GameMove;
            result.Error->MoveNumber = engine.FullmoveNumber();
            result.Error->MoverIsWhite = white;
            result.Error->MoveText = token.Text;
            return result;
        }
        result.Moves.push_back(*move);
        result.San.push_back(engine.MoveSan(result.San.size()));
    }
    result.FinalFen = engine.Fen();
    return result;
}

std::optional<ReadError> PlayPgnGame(const PgnGame& game, ChessEngine& engine) {
    engine.NewGame();
    for (const PgnTag& tag : game.Tags) {
        if (tag.Name == "FEN") {
            const ReadResult<FenPosition> position = ReadFen(tag.Value);
            if (!position) {
                ReadError error = position.Error();
                error.Line = tag.Line;
                error.Column = tag.Column;
                error.Context = ReadContext::FenTag;
                return error;
            }
            engine.NewGame(*position);
        }
    }
    for (const PgnGame::Move& token : game.Moves) {
        const bool white = engine.SideTurn() == 0;
        const ReadResult<Move> move = engine.ParseMove(token.Text);
        if (!move || !engine.MakeMove(*move)) {
            ReadError error =
                move ? ReadError{.Code = ReadErrorCode::NotAMove, .Text = token.Text} : move.Error();
            error.Line = token.Line;
            error.Column = token.Column;
            error.Context = ReadContext::GameMove;
            error.MoveNumber = engine.FullmoveNumber();
            error.MoverIsWhite = white;
            error.MoveText = token.Text;
            return error;
        }
    }
    return std::nullopt;
}

std::string_view GameResult(const ChessEngine& engine, bool drawClaimed) {
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
    return !result.empty() ? result : drawClaimed ? "1/2-1/2" : "*";
}

std::string WritePgn(const ChessEngine& engine, const std::vector<PgnTag>& tags, bool drawClaimed) {
    auto given = [&tags](std::string_view name) -> const PgnTag* {
        const auto found =
            std::find_if(tags.begin(), tags.end(), [&](const PgnTag& t) { return t.Name == name; });
        return found == tags.end() ? nullptr : &*found;
    };
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
    const std::string_view result = GameResult(engine, drawClaimed);
    for (const std::string_view name : RosterNames) {
        const PgnTag* tag = given(name);
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

    const EngineState& state = engine.State();
    std::string line;
    auto add = [&](const std::string& token) {
        if (!line.empty() && line.size() + 1 + token.size() > 79) {
            text += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + token;
    };
    int number = state.StartFullmoveNumber;
    for (std::size_t ply = 0; ply < state.MoveHistory.size(); ++ply) {
        const bool white = state.MoveHistory[ply].WhiteMoved;
        std::string token;
        if (white || ply == 0) {
            token = std::to_string(number) + (white ? ". " : "... ");
        }
        // A number and its move stay on one line.
        add(token + engine.MoveSan(ply));
        number += white ? 0 : 1;
    }
    add(std::string(result));
    text += line + "\n\n";
    return text;
}

} // namespace quorrin
