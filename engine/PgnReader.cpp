#include "PgnReader.h"

#include <algorithm>

namespace quorrin {

namespace {

constexpr std::size_t SummaryMoves = 6;

bool IsSummaryTag(std::string_view name) {
    return name == "White" || name == "Black" || name == "Result" || name == "Date" ||
           name == "FEN";
}

ReadError At(ReadErrorCode code, const PgnToken& token) {
    return ReadError{.Code = code, .Line = token.Line, .Column = token.Column};
}

ReadError Unexpected(char c, int line, int column) {
    return ReadError{.Code = ReadErrorCode::PgnUnexpectedCharacter,
                     .Text = std::string(1, c),
                     .Line = line,
                     .Column = column};
}

bool IsTagName(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

// Appends the words of text to comment, one space apart.
void AddWords(std::string& comment, std::string_view text) {
    constexpr std::string_view spaces = " \t\n\r\f\v";
    for (std::size_t start = text.find_first_not_of(spaces); start != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(spaces, start), text.size());
        if (!comment.empty()) {
            comment += ' ';
        }
        comment += text.substr(start, end - start);
        start = text.find_first_not_of(spaces, end);
    }
}

void AddComment(PgnGame& game, std::string_view text) {
    if (text.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos) {
        return;
    }
    if (game.Moves.empty()) {
        AddWords(game.Comments.BeforeFirstMove, text);
        return;
    }
    game.Comments.AfterMove.resize(game.Moves.size());
    AddWords(game.Comments.AfterMove.back(), text);
}

} // namespace

std::string_view PgnComments::After(std::size_t ply) const {
    return ply < AfterMove.size() ? std::string_view(AfterMove[ply]) : std::string_view();
}

std::string_view PgnGame::Tag(std::string_view name) const {
    const auto found = std::find_if(Tags.begin(), Tags.end(),
                                    [name](const PgnTag& tag) { return tag.Name == name; });
    return found == Tags.end() ? std::string_view() : std::string_view(found->Value);
}

std::string_view PgnGame::Result() const {
    const std::string_view tag = Tag("Result");
    return !Termination.empty() ? std::string_view(Termination) : !tag.empty() ? tag : "*";
}

ReadResult<PgnToken> PgnReader::Take() {
    if (pending_) {
        const PgnToken token = *pending_;
        pending_.reset();
        return token;
    }
    before_ = tokens_.Here();
    return tokens_.Next();
}

std::optional<ReadResult<PgnGame>> PgnReader::Failed(const ReadError& error) {
    pending_.reset();
    tokens_.SkipToTagLine();
    return ReadResult<PgnGame>(error);
}

std::optional<ReadResult<PgnGame>> PgnReader::Next() {
    using enum PgnTokenKind;
    PgnGame game;
    while (true) {
        const ReadResult<PgnToken> read = Take();
        if (!read) {
            const ReadError& error = read.Error();
            // A string has no place among the moves, closed or not.
            return Failed(error.Code == ReadErrorCode::PgnUnclosedString
                              ? Unexpected('"', error.Line, error.Column)
                              : error);
        }
        const PgnToken& token = *read;
        if (token.Kind == End && game.Tags.empty() && game.Moves.empty()) {
            return std::nullopt;
        }
        if (token.Kind == TagOpen && !game.Moves.empty()) {
            pending_ = token; // the next game's tags after a game without a result
            pendingFrom_ = before_;
        }
        if (token.Kind == Result) {
            game.Termination = token.Text;
        }
        if (token.Kind == End || token.Kind == Result || pending_) {
            return ReadResult<PgnGame>(std::move(game));
        }
        if (std::optional<ReadError> why = Add(token, game)) {
            return Failed(*why);
        }
    }
}

std::optional<ReadError> PgnReader::Add(const PgnToken& token, PgnGame& game) {
    switch (token.Kind) {
    case PgnTokenKind::TagOpen:
        return ReadTag(token, game);
    case PgnTokenKind::Symbol:
        if (keep_ == Keep::Whole || game.Moves.size() < SummaryMoves) {
            game.Moves.push_back({std::string(token.Text), token.Line, token.Column});
        }
        return std::nullopt;
    case PgnTokenKind::Comment:
        if (keep_ == Keep::Whole) {
            AddComment(game, token.Text);
        }
        return std::nullopt;
    case PgnTokenKind::VariationOpen:
        game.Dropped = true;
        return SkipVariation(token);
    case PgnTokenKind::Annotation:
        game.Dropped = true;
        return std::nullopt;
    case PgnTokenKind::VariationClose:
        return At(ReadErrorCode::PgnUnopenedVariation, token);
    case PgnTokenKind::TagClose:
    case PgnTokenKind::String:
        return Unexpected(token.Kind == PgnTokenKind::TagClose ? ']' : '"', token.Line,
                          token.Column);
    default: // move numbers
        return std::nullopt;
    }
}

std::optional<ReadError> PgnReader::ReadTag(const PgnToken& open, PgnGame& game) {
    const ReadError malformed = At(ReadErrorCode::PgnBadTag, open);
    const ReadResult<PgnToken> name = tokens_.Next();
    if (!name || name->Kind != PgnTokenKind::Symbol || !IsTagName(name->Text)) {
        return malformed;
    }
    PgnTag tag{std::string(name->Text), {}, open.Line, open.Column};
    const ReadResult<PgnToken> value = tokens_.Next();
    if (!value || value->Kind != PgnTokenKind::String) {
        return malformed;
    }
    tag.Value = value->Text;
    const ReadResult<PgnToken> close = tokens_.Next();
    if (!close || close->Kind != PgnTokenKind::TagClose) {
        return malformed;
    }
    if (keep_ == Keep::Whole ||
        (IsSummaryTag(tag.Name) &&
         std::none_of(game.Tags.begin(), game.Tags.end(),
                      [&tag](const PgnTag& t) { return t.Name == tag.Name; }))) {
        game.Tags.push_back(std::move(tag));
    }
    return std::nullopt;
}

std::optional<ReadError> PgnReader::SkipVariation(const PgnToken& open) {
    for (int depth = 1; depth > 0;) {
        const ReadResult<PgnToken> token = tokens_.Next();
        if (!token) {
            const ReadErrorCode code = token.Error().Code;
            const bool nul = token.Error().Text == std::string_view("\0", 1);
            if (code == ReadErrorCode::PgnUnclosedString ||
                (code == ReadErrorCode::PgnUnexpectedCharacter && !nul)) {
                continue; // a stray quote or brace in a variation is skipped with the rest of it
            }
            return token.Error();
        }
        if (token->Kind == PgnTokenKind::End) {
            return At(ReadErrorCode::PgnUnclosedVariation, open);
        }
        depth += token->Kind == PgnTokenKind::VariationOpen    ? 1
                 : token->Kind == PgnTokenKind::VariationClose ? -1
                                                               : 0;
    }
    return std::nullopt;
}

PgnFile ReadPgn(std::string_view text) {
    PgnFile file;
    PgnReader reader(text);
    while (std::optional<ReadResult<PgnGame>> game = reader.Next()) {
        if (!*game) {
            file.Error = game->Error();
            break;
        }
        file.Games.push_back(std::move(game->Value()));
    }
    return file;
}

} // namespace quorrin
