#include "PgnTokenizer.h"

namespace quorrin {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The characters that end a symbol or a bare number besides white space: those that make
// tokens of their own, and the dots of move numbers ("12.Nf3", "e4...").
bool EndsSymbol(char c) {
    return IsSpace(c) || c == '\0' ||
           std::string_view("[]{}()\";$!?.").find(c) != std::string_view::npos;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

PgnTokenizer::PgnTokenizer(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
        here_.At = here_.LineStart = 3;
    }
}

void PgnTokenizer::Advance() {
    const char c = text_[here_.At++];
    if (c == '\n' || (c == '\r' && Peek() != '\n')) {
        ++here_.Line;
        here_.Column = 1;
        here_.LineStart = here_.At;
    } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        // A UTF-8 continuation byte belongs to the character its lead byte counted.
        ++here_.Column;
    }
}

void PgnTokenizer::SkipSpacesAndEscapes() {
    while (!AtEnd()) {
        if (Peek() == '%' && here_.At == here_.LineStart) {
            if (!SkipRestOfLine()) {
                return; // the NUL is the next token's fault
            }
        } else if (IsSpace(Peek()) || Peek() == '.') {
            Advance();
        } else {
            return;
        }
    }
}

bool PgnTokenizer::SkipRestOfLine() {
    while (!AtEnd() && Peek() != '\n' && Peek() != '\r') {
        if (Peek() == '\0') {
            return false;
        }
        Advance();
    }
    return true;
}

ReadError PgnTokenizer::NulHere() {
    ReadError error{.Code = ReadErrorCode::PgnUnexpectedCharacter,
                    .Text = std::string(1, '\0'),
                    .Line = here_.Line,
                    .Column = here_.Column};
    Advance();
    return error;
}

void PgnTokenizer::SkipToTagLine() {
    while (!AtEnd() && !(here_.At == here_.LineStart && Peek() == '[')) {
        Advance();
    }
}

PgnToken PgnTokenizer::Make(PgnTokenKind kind, std::size_t start, int line, int column) const {
    return PgnToken{kind, text_.substr(start, here_.At - start), line, column};
}

ReadResult<PgnToken> PgnTokenizer::Next() {
    using enum PgnTokenKind;
    SkipSpacesAndEscapes();
    const int line = here_.Line;
    const int column = here_.Column;
    const std::size_t start = here_.At;
    if (AtEnd()) {
        return Make(End, start, line, column);
    }
    const char c = Peek();
    if (c == '\0') {
        return NulHere(); // a NUL is never text, whatever a file holds around it
    }
    if (c == '{') {
        return BraceComment(line, column);
    }
    if (c == '"') {
        return QuotedString(line, column);
    }
    if (IsDigit(c)) {
        return Number(line, column);
    }
    const std::string_view singles = "[]()*";
    if (const std::size_t single = singles.find(c); single != std::string_view::npos) {
        Advance();
        constexpr PgnTokenKind kinds[] = {TagOpen, TagClose, VariationOpen, VariationClose, Result};
        return Make(kinds[single], start, line, column);
    }
    if (c == ';') {
        Advance();
        const std::size_t from = here_.At;
        if (!SkipRestOfLine()) {
            return NulHere();
        }
        return PgnToken{Comment, text_.substr(from, here_.At - from), line, column};
    }
    if (c == '}') {
        Advance();
        return ReadError{.Code = ReadErrorCode::PgnUnexpectedCharacter,
                         .Text = "}",
                         .Line = line,
                         .Column = column};
    }
    if (c == '$' || c == '!' || c == '?') {
        Advance();
        while (!AtEnd() && (c == '$' ? IsDigit(Peek()) : Peek() == '!' || Peek() == '?')) {
            Advance();
        }
        return Make(Annotation, start, line, column);
    }
    return SymbolOrResult(line, column);
}

ReadResult<PgnToken> PgnTokenizer::BraceComment(int line, int column) {
    Advance();
    const Place pastBrace = here_;
    while (!AtEnd() && Peek() != '}') {
        if (Peek() == '\0') {
            return NulHere();
        }
        Advance();
    }
    if (AtEnd()) {
        here_ = pastBrace;
        return ReadError{.Code = ReadErrorCode::PgnUnclosedComment, .Line = line, .Column = column};
    }
    const std::string_view inside = text_.substr(pastBrace.At, here_.At - pastBrace.At);
    Advance();
    return PgnToken{PgnTokenKind::Comment, inside, line, column};
}

ReadResult<PgnToken> PgnTokenizer::QuotedString(int line, int column) {
    Advance();
    const Place pastQuote = here_;
    bool escaped = false;
    while (!AtEnd() && Peek() != '"' && Peek() != '\n' && Peek() != '\r') {
        if (Peek() == '\0') {
            return NulHere();
        }
        if (Peek() == '\\' && (Peek(1) == '"' || Peek(1) == '\\')) {
            escaped = true;
            Advance();
        }
        Advance();
    }
    if (Peek() != '"') {
        here_ = pastQuote; // a string does not span lines
        return ReadError{.Code = ReadErrorCode::PgnUnclosedString, .Line = line, .Column = column};
    }
    std::string_view value = text_.substr(pastQuote.At, here_.At - pastQuote.At);
    Advance();
    if (escaped) {
        unescaped_.clear();
        for (std::size_t i = 0; i < value.size(); ++i) {
            const bool escape = value[i] == '\\' && i + 1 < value.size() &&
                                (value[i + 1] == '"' || value[i + 1] == '\\');
            unescaped_ += value[escape ? ++i : i];
        }
        value = unescaped_;
    }
    return PgnToken{PgnTokenKind::String, value, line, column};
}

PgnToken PgnTokenizer::Number(int line, int column) {
    std::size_t digits = 0;
    while (IsDigit(Peek(digits))) {
        ++digits;
    }
    if (!Beyond(digits) && !EndsSymbol(Peek(digits))) {
        return SymbolOrResult(line, column); // "0-0", "1-0", "1/2-1/2"
    }
    const std::string_view number = text_.substr(here_.At, digits);
    for (; digits > 0; --digits) {
        Advance();
    }
    while (Peek() == '.') {
        Advance();
    }
    return PgnToken{PgnTokenKind::MoveNumber, number, line, column};
}

PgnToken PgnTokenizer::SymbolOrResult(int line, int column) {
    const std::size_t start = here_.At;
    while (!AtEnd() && !EndsSymbol(Peek())) {
        Advance();
    }
    const std::string_view symbol = text_.substr(start, here_.At - start);
    const bool result = symbol == "1-0" || symbol == "0-1" || symbol == "1/2-1/2";
    return PgnToken{result ? PgnTokenKind::Result : PgnTokenKind::Symbol, symbol, line, column};
}

} // namespace quorrin
