// PGN: the tokens of a text with their places, games split and read with their comments, the
// errors with where they lie, games played into an engine, summaries, and comments written
// back within the line width.
#include "engine/Pgn.h"
#include "tools/support/ReadErrorText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quorrin {
namespace {

using namespace std::string_view_literals;

// Every token as "kind:text@line:column", brackets as themselves; an error as err{, err" or
// err} (the tokenizer carries on past it).
std::string Tokens(std::string_view text) {
    constexpr const char* kinds[] = {"end", "[",   "]", "sym", "str", "num",
                                     "ann", "com", "(", ")",   "res"};
    PgnTokenizer tokenizer(text);
    std::string dump;
    for (int i = 0; i < 100; ++i) {
        const ReadResult<PgnToken> token = tokenizer.Next();
        const ReadError& error = token.Error();
        if (token && token->Kind == PgnTokenKind::End) {
            return dump;
        }
        dump += dump.empty() ? "" : " ";
        const std::string errorText = error.Code == ReadErrorCode::PgnUnclosedComment  ? "{"
                                      : error.Code == ReadErrorCode::PgnUnclosedString ? "\""
                                                                                       : error.Text;
        const std::string kind = token ? kinds[static_cast<int>(token->Kind)] : "err" + errorText;
        dump += kind + (token && kind.size() > 1 ? ':' + std::string(token->Text) : "");
        dump += '@' + std::to_string(token ? token->Line : error.Line) + ':' +
                std::to_string(token ? token->Column : error.Column);
    }
    return dump + " (no end)";
}

TEST(PgnTokenizer, TokensKnowTheirKindTextAndPlaceInCharacters) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\xEF\xBB\xBF[Event \"a \\\"b\\\" \\\\ c\\d\"]",
         "[@1:1 sym:Event@1:2 str:a \"b\" \\ c\\d@1:8 ]@1:24"},
        {"12.Nf3!? 12... $14 e5?? 0-0 3e4 1/2-1/2 * 1-0",
         "num:12@1:1 sym:Nf3@1:4 ann:!?@1:7 num:12@1:10 ann:$14@1:16 sym:e5@1:20 ann:??@1:22 "
         "sym:0-0@1:25 sym:3e4@1:29 res:1/2-1/2@1:33 res:*@1:41 res:1-0@1:43"},
        {"%skip {\n {a\n b} ; rest ( \n(x)",
         "com:a\n b@2:2 com: rest ( @3:5 (@4:1 sym:x@4:2 )@4:3"},
        // LF, CR alone and CRLF each end one line; % escapes only at a line start.
        {"a\rb\r\nc\nd\r\re\r\n\r\nf %g", "sym:a@1:1 sym:b@2:1 sym:c@3:1 sym:d@4:1 sym:e@6:1 "
                                          "sym:f@8:1 sym:%g@8:3"},
        {"{é€} Ü e4 \"ü\" e5", "com:é€@1:1 sym:Ü@1:6 sym:e4@1:8 str:ü@1:11 sym:e5@1:15"},
        {"e4 } {x", "sym:e4@1:1 err}@1:4 err{@1:6 sym:x@1:7"},
        {"\"a\nb\"", "err\"@1:1 sym:a@1:2 sym:b@2:1 err\"@2:2"},
        // A NUL ends a symbol and is an error of its own, in a comment or a string too.
        {"e4\0\0 e5 {a\0b} \"\0\" ;\0"sv,
         "sym:e4@1:1 err\0@1:3 err\0@1:4 sym:e5@1:6 err\0@1:11 sym:b@1:12 err}@1:13 "
         "err\0@1:16 err\0@1:20"sv},
    };
    for (const auto& [text, tokens] : cases) {
        EXPECT_EQ(Tokens(text), tokens) << text;
    }
}

// Each game as "Tag=value,... | {before} move{comment} ... termination" ("-" for none),
// games joined by " // ", then the error if any.
std::string Games(std::string_view text) {
    const PgnFile file = ReadPgn(text);
    std::string games;
    const auto add = [&games](const auto&... parts) { ((games += parts), ...); };
    const auto comment = [&add](std::string_view text, std::string_view after) {
        text.empty() ? void() : add("{", text, "}", after);
    };
    for (const PgnGame& game : file.Games) {
        add(games.empty() ? "" : " // ");
        for (const PgnTag& tag : game.Tags) {
            add(tag.Name, "=", tag.Value, ",");
        }
        add("| ");
        comment(game.Comments.BeforeFirstMove, " ");
        for (std::size_t ply = 0; ply < game.Moves.size(); ++ply) {
            add(game.Moves[ply].Text);
            comment(game.Comments.After(ply), "");
            add(" ");
        }
        add(game.Termination.empty() ? "-" : game.Termination);
    }
    if (file.Error) {
        add(" error ", support::DescribeError(*file.Error));
    }
    return games;
}

TEST(PgnReader, GamesAreSplitAndKeepTheirTagsMovesCommentsAndResult) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"{start}\n1. e4 {[%clk 0:04:57]} e5 ; rest of line\n2. Nf3 {a}  {b\n c} {} *",
         "| {start} e4{[%clk 0:04:57]} e5{rest of line} Nf3{a b c} *"},
        {"1. e4 {x ] [ {y} e5 ;z}\n*", "| e4{x ] [ {y} e5{z}} *"},
        {"1. e4 (1. d4 {in} (1. c4 (1. Nf3)) \"x d5) {after} e5 (1... c5 *) 1-0",
         "| e4{after} e5 1-0"},
        {"[A \"1\"]\n1. e4\n[B \"2\"] {b}\n[C \"3\"] 1. d4 *\n[D \"4\"]",
         "A=1,| e4 - // B=2,C=3,| {b} d4 * // D=4,| -"},
        {" {only a comment}\n%[A \"1\"]\n", ""},
        {"1. e4 e5 *\n[A \"1\"] [B \"x]", "| e4 e5 * error line 2, column 9: a tag must read "
                                          "[Name \"value\"]"},
    };
    for (const auto& [text, games] : cases) {
        EXPECT_EQ(Games(text), games) << text;
    }
}

TEST(PgnReader, AfterAnErrorTheNextGameIsReadFromItsTags) {
    PgnReader reader("[A \"1\"] 1. e4 *\n[B x]\n1. d4 *\n [C \"3\"]\n[D \"4\"] {x\n[E \"5\"] *");
    std::string trace;
    while (std::optional<ReadResult<PgnGame>> game = reader.Next()) {
        trace +=
            *game ? (*game)->Tags.back().Name + " " : support::DescribeError(game->Error()) + ", ";
    }
    EXPECT_EQ(trace, "A line 2, column 1: a tag must read [Name \"value\"], "
                     "line 5, column 9: a comment that is never closed, E ");
}

TEST(Pgn, TrickyFileIsReadIntoItsThreeGames) {
    std::ifstream in(QUORRIN_ENGINE_TEST_DATA "/tricky.pgn", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const PgnFile file = ReadPgn(text);
    ASSERT_FALSE(file.Error.has_value()) << support::DescribeError(*file.Error);
    ASSERT_EQ(file.Games.size(), 3u);
    EXPECT_EQ(file.Games[0].Tag("Event"), "Tricky \"quoted\" \\ event");
    const PgnSummary summary = Summarize(file.Games[0]);
    EXPECT_EQ(summary.White + "|" + summary.Black + "|" + summary.Result + "|" + summary.Date +
                  "|" + summary.FirstMoves,
              "A. Player|B. Player|1-0|2024.05.01|1. e4 e5 2. Nf3 Nc6 3. Bb5 a6");
    EXPECT_EQ(Summarize(file.Games[1]).FirstMoves, "40... g1=N 41. a8Q+ Kd7 42. Qb7+ Ke6 43. Qe4+");
    const PgnComments& comments = file.Games[0].Comments;
    EXPECT_EQ(comments.AfterMove.size(), 6u);
    EXPECT_EQ(std::string(comments.After(0)) + "|" + std::string(comments.After(5)),
              "a comment (with brackets) [and ; more]|the rest of this line ( is ignored");
    std::string outcome;
    for (const PgnGame& game : file.Games) {
        ChessEngine engine;
        const std::optional<ReadError> why = PlayPgnGame(game, engine);
        outcome += (why ? support::DescribeError(*why) : "") +
                   std::to_string(engine.State().MoveHistory.size()) + " " +
                   std::string(game.Result()) + " " + engine.Fen() +
                   (engine.FenAtStart() == StartFen ? "" : " from a FEN") + "\n";
    }
    EXPECT_EQ(outcome, "85 1-0 8/8/4R1p1/2k3p1/1p4P1/1P1b1P2/3K1n2/8 b - - 2 43\n"
                       "7 * 8/8/3k4/8/4Q3/8/8/4K1n1 w - - 5 44 from a FEN\n"
                       "16 1/2-1/2 Qnb1k2r/p3bppp/1q3n2/4p3/2B5/5N2/PPPP1PPP/RNBQ1RK1 w k - 4 9\n");
}

TEST(Pgn, ATextThatCannotBeReadOrPlayedSaysWhereAndWhy) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[White \"x\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 Nbd7",
         "line 2, column 28: 3...Nbd7: no black knight can move to d7"},
        {"1. d4 d5 2. Nf3 Nf6 3. Nd2",
         "line 1, column 24: 3.Nd2: ambiguous: the white knights on b1 and f3 can both move to d2"},
        {"1. e4 Zz9", "line 1, column 7: 1...Zz9: 'Zz9' is not a move"},
        {"[FEN \"8/8/8 w - -\"]\n1. e4",
         "line 1, column 1: the FEN tag: the board has 3 ranks instead of 8"},
        {"1. e4 {never", "line 1, column 7: a comment that is never closed"},
        {"1. e4 (1. d4 (1. c4) e5", "line 1, column 7: a variation that is never closed"},
        {"1. e4 ) e5", "line 1, column 7: a variation closed that was never opened"},
        {"\n [Event \"x]\n", "line 2, column 2: a tag must read [Name \"value\"]"},
        {"1. e4 \"e5\"", "line 1, column 7: unexpected '\"'"},
        {"1. e4 (e5 }) }", "line 1, column 14: unexpected '}'"},
        {"[White \"x\"]\r\r1. e4 e5\r2. O-O", "line 4, column 4: 2.O-O: white cannot castle "
                                              "king-side now"},
        {"[White \"x\"]\r\n\r\n1. e4 Ke7", "line 3, column 7: 1...Ke7: no black king can move "
                                           "to e7"},
        {"{Café €} 1. e4 e6 2. Kf3", "line 1, column 22: 2.Kf3: no white king can move to f3"},
        {"{é}\r\n{€} 1. e4 e6 2. Kf3", "line 2, column 17: 2.Kf3: no white king can move to f3"},
        {"[Event \"Ü\"]\r\n[FEN \"8/8/8/8/8/8/8/K44k w - -\"]\r\n1. Ka2",
         "line 2, column 1: the FEN tag: rank 1 has the digits '44' side by side; one digit "
         "counts a run of empty squares"},
        {"1. e4\0\0 e5 *"sv, "line 1, column 6: unexpected '\\x00'"},
        {"1. e4 (1. d4 \"\0 e5 *"sv, "line 1, column 15: unexpected '\\x00'"},
        {"1. e4 \xFF\xC3 e5", "line 1, column 7: 1...\\xFF\\xC3: '\\xFF\\xC3' is not a move"},
        {"1. f3 e5 2. g4 Qh4# 3. a3",
         "line 1, column 24: 3.a3: the game was already over by checkmate"},
        {"[FEN \"5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1\"] 1. Qe6 Ke8",
         "line 1, column 56: 1...Ke8: the game was already over by stalemate"},
    };
    for (const auto& [text, why] : cases) {
        const PgnFile file = ReadPgn(text);
        ChessEngine engine;
        const std::optional<ReadError> error =
            file.Error ? file.Error : PlayPgnGame(file.Games.at(0), engine);
        EXPECT_EQ(error ? support::DescribeError(*error) : "read and played", why) << text;
    }
}

// What a game claims falsely is played all the same, with a warning for each claim in the order
// of the text; a move that is not marked, or marked truly, warns of nothing.
TEST(Pgn, FalseClaimsOfAGameAreWarnedOfInOrder) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[Result \"1-0\"]\n1. e4 e5 0-1",
         "line 1, column 1: the Result tag '1-0' disagrees with the result the moves end with, "
         "'0-1'"},
        {"[Result \"1-0\"]\n1. e4 e5", ""},
        {"[Result \"*\"] 1. e4 e5 2. Nf3+! Nc6 3. Bb5# a6 *",
         "line 1, column 26: 2.Nf3+: 'Nf3+' is marked as check but gives none; line 1, column 39: "
         "3.Bb5#: 'Bb5#' is marked as checkmate but does not mate"},
        {"1. e4 f5 2. Qh5#",
         "line 1, column 13: 2.Qh5#: 'Qh5#' is marked as checkmate but does not mate"},
        {"1. Nxf3 d5 2. e4 d4 3. c4 dxc3 4. bxc3 Kd7 5. B:a3",
         "line 1, column 4: 1.Nxf3: 'Nxf3' is marked as a capture but f3 is empty; line 1, "
         "column 47: 5.B:a3: 'B:a3' is marked as a capture but a3 is empty"},
        {"1. f3 e5 2. g4 Qh4+", ""},
    };
    for (const auto& [text, warned] : cases) {
        const PgnFile file = ReadPgn(text);
        ChessEngine engine;
        std::vector<ReadError> warnings;
        ASSERT_EQ(PlayPgnGame(file.Games.at(0), engine, &warnings), std::nullopt) << text;
        std::string joined;
        for (const ReadError& warning : warnings) {
            joined += (joined.empty() ? "" : "; ") + support::DescribeError(warning);
        }
        EXPECT_EQ(joined, warned) << text;
    }
}

TEST(Pgn, SummaryNumbersTheFirstMovesFromAFenTagThatReads) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", "1. a b 2. c"},
        {"[FEN \"3k4/8/8/8/8/8/8/3K4 b - - 0 7\"]", "7... a 8. b c"},
        {"[FEN \"3k4/8/8/8/8/8/8/3K4 b - - 0 99999999999\"]", "1. a b 2. c"},
        {"[FEN \"3k4/8/8/8 b - - 0 7\"]", "1. a b 2. c"},
    };
    for (const auto& [tags, moves] : cases) {
        const PgnFile file = ReadPgn(std::string(tags) + " a b c *");
        ASSERT_EQ(file.Games.size(), 1u);
        EXPECT_EQ(Summarize(file.Games[0]).FirstMoves, moves) << tags;
    }
}

TEST(Pgn, TheResultIsTheFirstWayTheGameEnded) {
    const std::tuple<std::string_view, std::string_view, bool, std::string_view> cases[] = {
        {StartFen, "f2f3 e7e5 g2g4 d8h4", false, "0-1"},
        {"5k2/3Q4/6K1/1p4p1/1P4P1/8/8/8 w - - 0 1", "d7e6", false, "1/2-1/2"},
        {"8/8/8/8/8/8/1r6/KB5k w - - 0 1", "a1b2", false, "1/2-1/2"},
        {StartFen, "e2e4", true, "1/2-1/2"},
        {StartFen, "e2e4", false, "*"},
    };
    for (const auto& [fen, moves, claimed, result] : cases) {
        const PgnFile file = ReadPgn("[FEN \"" + std::string(fen) + "\"] " + std::string(moves));
        ChessEngine engine;
        ASSERT_EQ(PlayPgnGame(file.Games.at(0), engine), std::nullopt) << moves;
        EXPECT_EQ(GameResult(engine, claimed), result) << moves;
    }
}

TEST(Pgn, CommentsAreWrittenAfterTheirMovesWithinTheLineWidthAndReadBack) {
    std::string words = "wörd";
    for (int i = 0; i < 40; ++i) {
        words += " wörd" + std::to_string(i);
    }
    const std::pair<PgnComments, std::string> cases[] = {
        {{"start", {"", "[%clk 0:04:57]"}}, "{start} 1. e4 e5 {[%clk 0:04:57]} 2. Nf3 *"},
        {{"", {"a"}}, "1. e4 {a} 1... e5 2. Nf3 *"},
        {{"", {"x } y"}}, "1. e4 ; x } y\n1... e5 2. Nf3 *"},
        {{words, {"", words + " }"}}, ""},
        {{"", {"", std::string(90, 'x')}}, "1. e4 e5\n{" + std::string(90, 'x') + "}\n2. Nf3 *"},
    };
    const PgnFile file = ReadPgn("1. e4 e5 2. Nf3");
    for (const auto& [comments, moves] : cases) {
        ChessEngine engine;
        ASSERT_EQ(PlayPgnGame(file.Games.at(0), engine), std::nullopt);
        const std::string text = WritePgn(engine, {}, false, comments);
        const std::string movetext = text.substr(text.find("\n\n") + 2);
        if (!moves.empty()) {
            EXPECT_EQ(movetext, moves + "\n\n");
        }
        std::istringstream lines(movetext);
        for (std::string line; std::getline(lines, line);) {
            const auto columns =
                std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
            EXPECT_TRUE(columns < 80 || line.find(' ') == std::string::npos) << line;
        }
        const PgnFile back = ReadPgn(text);
        ASSERT_EQ(back.Games.size(), 1u) << text;
        EXPECT_EQ(back.Games[0].Comments, comments) << text;
        EXPECT_EQ(back.Games[0].Moves.size(), 3u) << text;
    }
}

} // namespace
} // namespace quorrin
