// Listing games without keeping them: checked against the reader that keeps every game, for texts
// given whole and in pieces of every size; and the tools' file reading, refusing what could block.
#include "engine/Pgn.h"
#include "engine/PgnListing.h"
#include "tools/support/ReadErrorText.h"
#include "tools/support/TextFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace quorrin {
namespace {

std::string Dump(const ReadResult<PgnGame>& game) {
    if (!game) {
        return "error " + support::DescribeError(game.Error());
    }
    std::ostringstream out;
    for (const PgnTag& tag : game->Tags) {
        out << tag.Name << '=' << tag.Value << '@' << tag.Line << ':' << tag.Column << ' ';
    }
    for (const PgnMove& move : game->Moves) {
        out << move.Text << '@' << move.Line << ':' << move.Column << ' ';
    }
    out << '{' << game->Comments.BeforeFirstMove;
    for (const std::string& comment : game->Comments.AfterMove) {
        out << '|' << comment;
    }
    out << "} " << game->Termination;
    return out.str();
}

std::string Row(const std::optional<ReadError>& damage, const PgnGame& summary) {
    if (damage) {
        return "error " + support::DescribeError(*damage);
    }
    const PgnSummary about = Summarize(summary);
    return about.White + '|' + about.Black + '|' + about.Result + '|' + about.Date + '|' +
           about.FirstMoves;
}

TEST(PgnListing, FindsWhatTheWholeReaderFindsWhetherTheTextComesWholeOrInPieces) {
    std::ifstream in(QUORRIN_ENGINE_TEST_DATA "/tricky.pgn", std::ios::binary);
    std::ostringstream tricky;
    tricky << in.rdbuf();
    const std::string texts[] = {
        tricky.str(),
        // Games ending without a result, damaged ones skipped to the next tag line, lines ended
        // by CRLF and lone CRs, a move number split from its move, characters of several bytes.
        "[A \"1\"] 1. e4 *\r\n[B x]\r\n1. d4 *\r [C \"\xC3\xA9\"]\r[D \"4\"] {x\n[E \"5\"] *",
        "[White \"A\"]\n1. e4 e5\n[White \"B\"]\n1. d4\n\n[Black \"C\"] 1. c4 1-0 2. Nf3 1/2-1/2",
        "% escaped\n* * 1. e4 {a/b} (1. d4 (1. c4)) 1-0 ; comment\n*",
        "[White \"A\"] 1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 *\n[Event \"Cl",
        "\xEF\xBB\xBF[White \"bom\"]\n1. f3 e5 2. g4 Qh4# 0-1\n\n",
        "1. e4 ) e5 *\n[Bad]\n}\n[White \"after\"] 1. d4 *",
        "",
    };
    for (const std::string& text : texts) {
        // What the reader that keeps every game finds.
        std::vector<std::string> expected;
        PgnReader reader(text);
        while (std::optional<ReadResult<PgnGame>> game = reader.Next()) {
            expected.push_back(Dump(*game));
        }
        const std::vector<PgnEntry> entries = *IndexPgn(text);
        std::vector<std::string> found;
        std::vector<std::string> rows;
        for (const PgnEntry& entry : entries) {
            const ReadResult<PgnGame> game = ReadPgnEntry(text, entry);
            found.push_back(Dump(game));
            EXPECT_EQ(entry.Damaged == 1, !game) << text;
            const ReadResult<PgnGame> summary = ReadPgnEntry(text, entry, PgnReader::Keep::Summary);
            rows.push_back(Row(summary ? std::nullopt : std::optional(summary.Error()),
                               game ? *game : PgnGame{}));
        }
        ASSERT_EQ(found, expected) << text;
        // Given in pieces of every size, the listing reports the same games, places and rows.
        for (std::size_t size = 1; size <= text.size() + 1; ++size) {
            std::vector<std::string> listed;
            std::size_t at = 0;
            PgnListing listing([&](const PgnListed& game) {
                ASSERT_LT(at, entries.size());
                EXPECT_EQ(game.Offset, entries[at].Offset);
                EXPECT_EQ(game.Line, static_cast<int>(entries[at].Line));
                listed.push_back(Row(game.Damage, game.Summary));
                EXPECT_EQ(Dump(*PgnReader(game.Text, game.From).Next()), found[at]);
                ++at;
            });
            for (std::size_t from = 0; from < text.size(); from += size) {
                listing.Add(std::string_view(text).substr(from, size));
            }
            listing.Finish();
            ASSERT_EQ(listed, rows) << "pieces of " << size << " bytes of " << text;
        }
    }
}

TEST(TextFile, RefusesWhatCouldBlockOrNeverEndAndCountsTheBytesRead) {
    const std::filesystem::path folder = testing::TempDir();
    const std::string fifo = (folder / "quorrin_listing_fifo").string();
    const std::string file = (folder / "quorrin_listing_file.pgn").string();
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(file) << "1. e4 *\n"; // 8 bytes
    struct Case {
        std::string Path;
        std::uint64_t Limit;
        std::string Why; // the start of the refusal, empty when read
    };
    const Case cases[] = {
        {fifo, 1000, fifo + " is not a regular file"},
        {"/dev/zero", 1000, "/dev/zero is not a regular file"},
        {folder.string(), 1000, folder.string() + " is a directory"},
        {folder.string() + "/missing", 1000, "cannot read"},
        {"/proc/self/status", 10, "/proc/self/status is larger than 10 bytes"}, // reports 0 bytes
        {file, 7, file + " is larger than 7 bytes"},
        {file, 8, ""},
    };
    for (const Case& c : cases) {
        std::string read;
        const std::optional<std::string> why = support::ReadFilePieces(
            c.Path, c.Limit, [&read](std::string_view piece) { read += piece; });
        EXPECT_EQ(why.value_or("").substr(0, c.Why.size()), c.Why) << c.Path;
        EXPECT_EQ(why.has_value(), !c.Why.empty()) << c.Path;
        EXPECT_LE(read.size(), c.Limit) << c.Path;
    }
    std::remove(fifo.c_str());
    std::remove(file.c_str());
}

} // namespace
} // namespace quorrin
