// FEN: what is written for each kind of position (the random games of the notation test read
// every one back), and the refusal of every position a game cannot be played from, which
// leaves the game as it was.
#include "RecordTestSupport.h"
#include "tests/support/EngineChecks.h"

#include <gtest/gtest.h>

namespace quorrin::testing {
namespace {

TEST(Fen, PositionsAreWrittenAsTheyStandAndReadBack) {
    // Start, moves, the FEN written: castling rights lost by king or rook, en passant only
    // when a capture is legal, clocks counting.
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {StartFen, "", StartFen},
        {StartFen, "e2e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"},
        {StartFen, "g1f3 d7d5 h1g1 d5d4 e2e4",
         "rnbqkbnr/ppp1pppp/8/8/3pP3/5N2/PPPP1PPP/RNBQKBR1 b Qkq e3 0 3"},
        {StartFen, "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8",
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w - - 4 4"},
        // The only capture en passant would leave the king in check: no square written.
        {"8/8/8/8/k2p3R/8/4P3/4K3 w - - 0 1", "e2e4", "8/8/8/8/k2pP2R/8/8/4K3 b - - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 12 30", "", "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 12 30"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b - - 0 7", "a8b8", "1r2k2r/8/8/8/8/8/8/R3K2R w - - 1 8"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"},
        {"  4k3/8/8/8/8/8/8/4K3   b -  - ", "", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
    };
    for (const auto& [start, moves, expected] : cases) {
        RecordHost host;
        ChessEngine engine(&host);
        ASSERT_EQ(engine.NewGameFromFen(start), std::nullopt) << start;
        host.engine = &engine;
        ASSERT_EQ(Play(engine, host, moves), "");
        EXPECT_EQ(engine.Fen(), expected) << start << " " << moves;
        EXPECT_EQ(host.fenHeard, moves.empty() ? "" : expected);
    }
}

TEST(Fen, APositionNoGameCanBePlayedFromIsRefusedWithItsReason) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"8/8/8/8/8/8/8/K6k w - -  0", "a FEN has 6 fields (or 4, without the clocks) "
                                       "separated by spaces, not 5"},
        {"8/8/8/8/8/8/K6k w - -", "the board has 7 ranks instead of 8"},
        {"8/8/8/8/8/8/8/8/K6k w - -", "the board has more than 8 ranks"},
        {"8/8/8/8/8/8/7/K6k w - -", "rank 2 has 7 squares instead of 8"},
        {"8/8/8/8/8/8/8/K5k1p w - -", "rank 1 has more than 8 squares"},
        {"8/8/8/8/8/8/8/K6x w - -", "'x' is neither a piece letter (KQRBNP, kqrbnp) nor a count "
                                    "of empty squares"},
        {"8/8/8/8/8/8/8/K6k x - -", "the side to move must be w or b, not 'x'"},
        {"8/8/8/8/8/8/8/K5kk w - -", "Black has 2 kings; each side needs exactly one"},
        {"8/8/8/8/8/8/8/7k w - -", "White has 0 kings; each side needs exactly one"},
        {"P7/8/8/8/8/8/8/K6k w - -", "a pawn stands on a8; pawns cannot stand on rank 1 or 8"},
        {"8/8/8/8/8/8/8/K6k w KK -", "the castling field 'KK' must be '-' or letters of KQkq, "
                                     "each at most once"},
        {"4k3/8/8/8/8/8/8/4K1R1 w K -", "castling right K needs the white king on e1 and a white "
                                        "rook on h1"},
        {"1r2k3/8/8/8/8/8/8/4K3 w q -", "castling right q needs the black king on e8 and a black "
                                        "rook on a8"},
        {"8/8/8/8/8/8/8/K6k w - e9",
         "the en passant field 'e9' must be '-' or a square such as e3"},
        {"8/8/8/4p3/8/8/8/K6k w - e3", "no double step of Black could have left the en passant "
                                       "square e3"},
        {"8/8/8/8/4P3/4N3/8/K6k b - e3", "no double step of White could have left the en "
                                         "passant square e3"},
        {"8/8/8/8/8/8/8/K6k w - - -1 1", "the halfmove clock must be a whole number from 0 to "
                                         "99999, not '-1'"},
        {"8/8/8/8/8/8/8/K6k w - - 0 x", "the move number must be a whole number from 1 to 99999, "
                                        "not 'x'"},
        {"8/8/8/8/8/8/8/K5Rk w - -", "Black is in check but it is not its move"},
    };
    ChessEngine engine;
    ASSERT_EQ(engine.NewGameFromFen(StartFen), std::nullopt);
    ASSERT_TRUE(engine.MovePiece("e2", "e4"));
    const EngineState before = engine.State();
    for (const auto& [fen, why] : cases) {
        EXPECT_EQ(CheckFen(fen).value_or("accepted"), why) << fen;
        EXPECT_EQ(engine.NewGameFromFen(fen).value_or("accepted"), why) << fen;
        EXPECT_TRUE(SameState(before, engine.State(), true)) << fen;
    }
}

} // namespace
} // namespace quorrin::testing
