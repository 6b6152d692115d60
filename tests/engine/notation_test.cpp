// Squares, boards and moves as text: square names and indexes, board diagrams and setting up
// a game; the notation of each kind of move, reading it back in every tolerated form
// and refusing with a reason; in random games every legal move's notation is unique and
// reads back as that move, the FEN of every position sets up the same game, and each game
// written as PGN reads back as the same game.
#include "EngineTestSupport.h"
#include "engine/Pgn.h"
#include "tools/support/ReadErrorText.h"

#include <random>
#include <set>

namespace quorrin::testing {
namespace {

// A game from a FEN ("start" for the standard one) with coordinate moves played.
void Begin(ChessEngine& engine, std::string_view fen, std::string_view moves) {
    const ReadResult<FenPosition> position = ReadFen(fen == "start" ? StartFen : fen);
    ASSERT_TRUE(position) << fen;
    ASSERT_TRUE(engine.NewGame(*position));
    ASSERT_EQ(Play(engine, moves), "") << fen << " " << moves;
}

TEST(MoveText, EveryKindOfMoveIsWrittenAndReadBack) {
    for (const auto& row : Vectors("san.txt")) { // FEN, moves before, the move, its notation
        const std::string& san = row.at(3);
        ChessEngine engine;
        Begin(engine, row.at(0), row.at(1));
        const auto read = engine.ParseMove(san);
        EXPECT_EQ(read ? read->Coordinates() : "none", row.at(2)) << san;
        EXPECT_EQ(read ? engine.San(*read) : "none", san);
        ASSERT_EQ(Play(engine, row.at(2)), "");
        EXPECT_EQ(engine.MoveSan(engine.State().MoveHistory.size() - 1), san) << row[0];
        EXPECT_EQ(engine.MoveAt(engine.State().MoveHistory.size() - 1).Coordinates(), row[2]);
    }
}

TEST(MoveText, TolerantFormsAreReadAndBadOnesRefusedWithAReason) {
    for (const auto& row : Vectors("move_text.txt")) { // FEN, text, the move or why not
        ChessEngine engine;
        Begin(engine, row.at(0), "");
        const auto move = engine.ParseMove(row.at(1));
        EXPECT_EQ(move ? move->Coordinates() : support::DescribeError(move.Error()), row.at(2))
            << row[1];
    }
}

TEST(MoveText, RandomGamesHaveUniqueNotationAndFenAndPgnThatSetUpTheSameGame) {
    std::mt19937 random(9);
    const std::vector<PgnTag> tags = {{"White", "Ann \"A\" \\"}, {"Annotator", "Q"}};
    ChessEngine engine;
    ChessEngine other;
    std::size_t moves = 0;
    for (int game = 0; game < 12; ++game) {
        // Every third game starts from a position with Black to move.
        ASSERT_TRUE(engine.NewGame(
            *ReadFen(game % 3 == 2 ? "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 7 21" : StartFen)));
        std::vector<std::string> seen; // the first four FEN fields of every position so far
        for (int ply = 0; ply < 160; ++ply) {
            const std::string fen = engine.Fen();
            seen.push_back(fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1)));
            // A repetition is the same placement, side, castling and en passant as before.
            ASSERT_EQ(engine.Facts().Repetitions,
                      std::count(seen.begin(), seen.end(), seen.back()));
            const auto legal = LegalMovesWithSan(engine);
            ASSERT_EQ(engine.Fen(), fen);
            std::set<std::string> names;
            for (const LegalMove& move : legal) {
                EXPECT_TRUE(names.insert(move.san).second) << move.san << " twice in " << fen;
                const auto read = engine.ParseMove(move.san);
                EXPECT_EQ(read ? read->Coordinates() : "none", move.coordinates) << fen;
            }
            ASSERT_TRUE(other.NewGame(*ReadFen(fen))) << fen;
            ASSERT_EQ(other.Fen(), fen);
            const auto otherLegal = LegalMovesWithSan(other);
            ASSERT_EQ(otherLegal.size(), legal.size()) << fen;
            for (std::size_t i = 0; i < legal.size(); ++i) {
                EXPECT_EQ(otherLegal[i].san, legal[i].san) << fen;
            }
            if (legal.empty()) {
                break;
            }
            ASSERT_EQ(Play(engine, legal[random() % legal.size()].coordinates), "");
            ++moves;
        }
        const std::string text = WritePgn(engine, tags);
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LT(line.size(), 80u) << line;
        }
        const PgnFile file = ReadPgn(text);
        ASSERT_EQ(file.Games.size(), 1u) << text;
        EXPECT_EQ(file.Games[0].Tag("White"), tags[0].Value);
        EXPECT_EQ(file.Games[0].Tag("Result"), GameResult(engine));
        ChessEngine imported;
        ASSERT_EQ(PlayPgnGame(file.Games[0], imported), std::nullopt) << text;
        EXPECT_EQ(imported.Fen(), engine.Fen()) << text;
        for (std::size_t ply = 0; ply < engine.State().MoveHistory.size(); ++ply) {
            EXPECT_EQ(imported.MoveAt(ply), engine.MoveAt(ply));
        }
    }
    EXPECT_GT(moves, 1000u);
}

using namespace std::string_view_literals;

TEST(Notation, NamesIndexesAndDiagramsConvertOnlyWhenWellFormed) {
    for (const auto& [name, index] :
         {std::pair{"a8"sv, 1}, {"h8"sv, 8}, {"a1"sv, 57}, {"h1"sv, 64}}) {
        EXPECT_EQ(SquareNameToIndex(name), index) << name;
    }
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(SquareNameToIndex(SquareIndexToName(k)), k);
    }
    for (const std::string_view bad : {""sv, "e"sv, "e44"sv, "E2"sv, "e0"sv, "e9"sv, "i1"sv, "`1"sv,
                                       "2e"sv, "\xE9\x34"sv, "e\0"sv}) {
        EXPECT_EQ(SquareNameToIndex(bad), -1) << "'" << bad << "'";
    }
    for (const int bad : {0, -1, 65, -32768}) {
        EXPECT_EQ(SquareIndexToName(bad), "") << bad;
    }
    EXPECT_EQ(SquareAt(5, 8), 61);
    for (const auto& [file, row] : {std::pair{0, 5}, {9, 1}, {3, 0}, {3, 9}}) {
        EXPECT_EQ(SquareAt(file, row), 0) << file << "," << row;
    }
    for (const std::string_view bad :
         {""sv, "8/8/8/8/8/8/8"sv, "8/8/8/8/8/8/8/8/8"sv, "9/8/8/8/8/8/8/8"sv, "7/8/8/8/8/8/8/8"sv,
          "ppppppppp/8/8/8/8/8/8/8"sv, "x7/8/8/8/8/8/8/8"sv}) {
        EXPECT_FALSE(LayoutFromDiagram(bad).has_value()) << bad;
    }
}

using NewGame = EngineTest;

TEST_F(NewGame, SetsUpTheLayoutAndForgetsTheGameBefore) {
    EXPECT_EQ(Board(state()), StartLayout);
    for (const auto& [square, dark] : {std::pair{"a8", false}, {"h1", false}, {"a1", true}}) {
        EXPECT_EQ(state().Squares[SquareNameToIndex(square)].IsDark, dark) << square;
    }
    SetUpBoard("kqrnbp2/8/8/8/8/8/8/KQRNBP2 b");
    EXPECT_EQ(engine.SideTurn(), 1);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(state().Squares[1 + k].Piece, (PieceState{k, false, false}));
        EXPECT_EQ(state().Squares[57 + k].Piece, (PieceState{k + 6, true, false}));
    }
    // Unknown cells ("wk", "ZZ", a NUL cell), a cell cut short and missing ones are empty.
    ASSERT_TRUE(engine.NewGame("BKwkZZ" + std::string("\0Q", 2) + "WKW"));
    EXPECT_EQ(Board(state()), Layout("k3K3/8/8/8/8/8/8/8"));
    ASSERT_TRUE(engine.NewGame(std::string(StartLayout) + "WQWQ junk"));
    EXPECT_EQ(Board(state()), StartLayout);
    // Moved kings and rooks may castle again.
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w");
    const EngineState fresh = state();
    SetUpBoard("r3k2r/p7/8/8/8/8/P7/R3K2R w e1e2 e8e7 e2e1 e7e8 a1b1 h8g8 b1a1 g8h8 a2a4");
    ASSERT_TRUE(engine.NewGame(Layout("r3k2r/p7/8/8/8/8/P7/R3K2R")));
    EXPECT_TRUE(SameStates(fresh, state()));
}

} // namespace
} // namespace quorrin::testing
