// Portable Game Notation as a stream of tokens: tag brackets, symbols, strings, move numbers,
// annotations, comments, variation brackets and game results, one at a time, each with the
// line and column it starts at.
#pragma once

#include "ReadError.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorrin {

enum class PgnTokenKind : std::int32_t {
    End,            // the text is used up
    TagOpen,        // [
    TagClose,       // ]
    Symbol,         // a move, a tag name, or anything else that is none of the others
    String,         // "..." with \" and \\ unescaped
    MoveNumber,     // the digits of "12." or "12..." (the dots are part of it) or of a bare "12"
    Annotation,     // "$12", or a run of ! and ? such as the "!?" of "Nf3!?"
    Comment,        // the text inside { } or after ; up to the end of its line
    VariationOpen,  // (
    VariationClose, // )
    Result,         // 1-0, 0-1, 1/2-1/2 or *
};

struct PgnToken {
    PgnTokenKind Kind = PgnTokenKind::End;
    // What the token says, as the kinds above describe. It points into the text read, or for a
    // string with escapes into the tokenizer, and stays valid until the next token is read.
    std::string_view Text;
    // Where the token starts: 1-based, columns in characters (a UTF-8 sequence is one).
    int Line = 0;
    int Column = 0;
};

// Reads a text one token at a time; the text must outlive the tokenizer. White space separates
// tokens; a byte-order mark at the start and lines that begin with % are skipped. LF, CRLF and
// a lone CR each end a line. A NUL byte, wherever it stands (in a comment or a string too), is
// an error: PgnUnexpectedCharacter at the NUL.
class PgnTokenizer {
public:
    // Where a tokenizer stands: the byte, its line and column, and where its line starts (a
    // value past the text when the line began before it).
    struct Place {
        std::size_t At = 0;
        int Line = 1;
        int Column = 1;
        std::size_t LineStart = 0;
    };

    explicit PgnTokenizer(std::string_view text);
    // Carries on from a place another tokenizer of the same text stood at (Here): the tokens
    // and their lines and columns are those that tokenizer would have read from there.
    PgnTokenizer(std::string_view text, const Place& from) : text_(text), here_(from) {}

    const Place& Here() const { return here_; }

    // The next token, End once the text is used up. A comment or a string without its closing
    // brace or quote (a string ends at its line) is an error, PgnUnclosedComment or
    // PgnUnclosedString at its opening character, and so is a } that closes no comment
    // (PgnUnexpectedCharacter); the tokenizer then stands just past that character, so a
    // reader that wants to can carry on from there.
    ReadResult<PgnToken> Next();

    // Skips to the next line that begins with [ (the next game's tags), or to the end.
    void SkipToTagLine();

    // Whether anything read so far looked at the end of the text: had the text gone on, it
    // might have been read otherwise (a comment closed, a symbol longer, a tag line found).
    bool ReachedEnd() const { return reachedEnd_; }

private:
    bool AtEnd() const { return Beyond(0); }
    bool Beyond(std::size_t ahead) const {
        const bool beyond = here_.At + ahead >= text_.size();
        reachedEnd_ = reachedEnd_ || beyond;
        return beyond;
    }
    char Peek(std::size_t ahead = 0) const {
        return Beyond(ahead) ? '\0' : text_[here_.At + ahead];
    }
    // Moves past one byte, counting lines and columns.
    void Advance();
    void SkipSpacesAndEscapes();
    // False, standing on it, at a NUL.
    bool SkipRestOfLine();
    // The error of the NUL the tokenizer stands on, which it moves past.
    ReadError NulHere();
    PgnToken Make(PgnTokenKind kind, std::size_t start, int line, int column) const;
    ReadResult<PgnToken> BraceComment(int line, int column);
    ReadResult<PgnToken> QuotedString(int line, int column);
    PgnToken Number(int line, int column);
    PgnToken SymbolOrResult(int line, int column);

    std::string_view text_;
    Place here_;
    std::string unescaped_; // the last string read that held escapes
    mutable bool reachedEnd_ = false;
};

} // namespace quorrin
