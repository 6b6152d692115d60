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

struct SanCase {
    std::string_view fen, before, move, san;
};

TEST(MoveText, EveryKindOfMoveIsWrittenAndReadBack) {
    const SanCase cases[] = {
        {"start", "", "g1f3", "Nf3"},
        {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "", "b1d2", "Nbd2"},
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "", "a1a3", "R1a3"},
        {"start", "g1f3 a7a6 d2d4 a6a5", "b1d2", "Nbd2"}, // the file, though the rank differs too
        {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "", "a1b2", "Qa1b2"},
        {"4k3/8/8/3q4/8/5N2/8/1N5K w - - 0 1", "", "b1d2", "Nd2"}, // the other one is pinned
        {"start", "e2e4 d7d5", "e4d5", "exd5"},
        {"start", "e2e4 a7a6 e4e5 d7d5", "e5d6", "exd6"},
        {"7k/4P3/8/8/8/8/8/K7 w - - 0 1", "", "e7e8q", "e8=Q+"},
        {"7k/4P3/8/8/8/8/8/K7 w - - 0 1", "", "e7e8n", "e8=N"},
        {"7k/4P3/6K1/8/8/8/8/8 w - - 0 1", "", "e7e8r", "e8=R#"},
        {"3r3k/4P3/8/8/8/8/8/K7 w - - 0 1", "", "e7d8b", "exd8=B"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "", "e1g1", "O-O"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "", "e8c8", "O-O-O"},
        {"5k2/8/8/8/8/8/8/R3K2R w KQ - 0 1", "", "e1g1", "O-O+"},
        {"start", "f2f3 e7e5 g2g4", "d8h4", "Qh4#"},
    };
    for (const SanCase& c : cases) {
        ChessEngine engine;
        Begin(engine, c.fen, c.before);
        const auto read = engine.ParseMove(c.san);
        EXPECT_EQ(read ? read->Coordinates() : "none", c.move) << c.san;
        EXPECT_EQ(read ? engine.San(*read) : "none", c.san);
        ASSERT_EQ(Play(engine, c.move), "");
        EXPECT_EQ(engine.MoveSan(engine.State().MoveHistory.size() - 1), c.san) << c.fen;
        EXPECT_EQ(engine.MoveAt(engine.State().MoveHistory.size() - 1).Coordinates(), c.move);
    }
}

TEST(MoveText, TolerantFormsAreReadAndBadOnesRefusedWithAReason) {
    const std::pair<std::string_view, std::string_view> positions[] = {
        {"start", ""},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", ""},
        {"7k/4P3/8/8/8/8/8/K7 w - - 0 1", ""},
    };
    const std::tuple<int, std::string_view, std::string_view> cases[] = {
        {0, "e4", "e2e4"},
        {0, "e2-e4", "e2e4"},
        {0, " Ng1-f3 ", "g1f3"},
        {0, "Nf3+!?", "g1f3"},
        {0, "g1f3", "g1f3"},
        {1, "0-0", "e1g1"},
        {1, "O-O-O#", "e1c1"},
        {2, "e8Q", "e7e8q"},
        {2, "e8=Q", "e7e8q"},
        {2, "e7e8n", "e7e8n"},
        {2, "e8", "e7e8q"},
        {0, "e5", "no white pawn can move to e5"},
        {0, "e7e5", "the black pawn on e7 cannot move: it is white's turn"},
        {0, "e3e4", "there is no piece on e3"},
        {0, "Bg1f3", "there is no white bishop on g1"},
        {0, "e2e5", "the white pawn on e2 cannot move to e5"},
        {0, "O-O", "white cannot castle king-side now"},
        {0, "Nf3=Q", "only a pawn reaching the last rank is promoted"},
        {0, "Nz3", "'Nz3' is not a move"},
        {0, "", "'' is not a move"},
    };
    for (const auto& [position, text, expected] : cases) {
        ChessEngine engine;
        Begin(engine, positions[position].first, positions[position].second);
        const auto move = engine.ParseMove(text);
        EXPECT_EQ(move ? move->Coordinates() : support::DescribeError(move.Error()), expected)
            << text;
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
