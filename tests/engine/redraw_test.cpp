// Redraw requests: which squares the engine asks to have redrawn, in what order relative to
// its events, and that a surface following those requests always shows the position.
#include "EngineTestSupport.h"

#include <array>

namespace quorrin::testing {
namespace {

// A journal that also keeps the picture a surface would show: each drawn square gets the
// piece standing on it at that moment, framed ("*") when the frame is allowed and the
// square is one of the last move's squares.
class PictureJournal : public Journal {
public:
    const EngineState* board = nullptr;
    std::array<std::string, 65> picture;

    void DrawSquare(SquareIndex square, bool showHighlight) override {
        Journal::DrawSquare(square, showHighlight);
        if (board == nullptr || !IsBoardSquare(square)) {
            return;
        }
        picture[square] = Shown(*board, square, showHighlight);
    }

    static std::string Shown(const EngineState& state, SquareIndex square, bool frameAllowed) {
        const BoardSquare& record = state.Squares[square];
        std::string shown =
            record.Occupied
                ? std::string(PieceCodes.at(static_cast<std::size_t>(record.Piece.Kind)))
                : std::string(EmptyCode);
        if (frameAllowed && (square == state.LastMoveFrom || square == state.LastMoveTo)) {
            shown += "*";
        }
        return shown;
    }
};

class Redraw : public ::testing::Test {
protected:
    PictureJournal journal;
    TestEngine engine{&journal, &journal};

    Redraw() { journal.board = &engine.State(); }

    void SetUpBoard(std::string_view diagram, bool whiteToMove = true) {
        ASSERT_TRUE(engine.NewGame(Layout(diagram), whiteToMove));
        journal.Clear();
    }
    bool Move(std::string_view move) {
        return engine.MovePiece(move.substr(0, 2), move.substr(2, 2));
    }
    void Play(const std::vector<std::string_view>& moves) {
        for (const std::string_view move : moves) {
            ASSERT_TRUE(Move(move)) << move;
        }
        journal.Clear();
    }
    // The entries up to and including the first PieceMovement: the part of a move whose
    // order is fixed before the game-end tests look at the other side.
    std::vector<std::string> UpToMovement() const {
        std::vector<std::string> head;
        for (const std::string& entry : journal.entries) {
            head.push_back(entry);
            if (entry.rfind("PieceMovement", 0) == 0) {
                break;
            }
        }
        return head;
    }
    // Squares whose picture differs from the position, as "e4 shows WP, holds XX".
    std::string PictureProblems() const {
        std::string problems;
        for (SquareIndex k = 1; k <= 64; ++k) {
            const std::string want = PictureJournal::Shown(engine.State(), k, true);
            if (journal.picture[k] != want) {
                problems += SquareIndexToName(k) + " shows " + journal.picture[k] + ", holds " +
                            want + "\n";
            }
        }
        return problems;
    }
};

using Entries = std::vector<std::string>;

TEST_F(Redraw, ANewGameDrawsAllSquaresInOrderWithTheFrameAllowed) {
    Play({"e2e4"});
    ASSERT_TRUE(engine.NewGame());
    Entries expected;
    for (int k = 1; k <= 64; ++k) {
        expected.push_back("draw " + SquareIndexToName(k) + " frame");
    }
    EXPECT_EQ(journal.entries, expected);
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, AMoveUnframesThePreviousMoveThenDrawsItsOwnSquaresBeforeItsEvents) {
    SetUpBoard("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
    ASSERT_TRUE(Move("e2e4"));
    EXPECT_EQ(UpToMovement(), (Entries{"draw e2 frame", "draw e4 frame", "PieceMovement W e2 e4"}));
    journal.Clear();
    ASSERT_TRUE(Move("d7d5"));
    EXPECT_EQ(UpToMovement(), (Entries{"draw e2 noframe", "draw e4 noframe", "draw d7 frame",
                                       "draw d5 frame", "PieceMovement B d7 d5"}));
    journal.Clear();
    ASSERT_TRUE(Move("e4d5"));
    EXPECT_EQ(journal.Events(), (Entries{"PieceMovement W e4 d5", "PieceCapture 5"}));
    EXPECT_EQ(UpToMovement(), (Entries{"draw d7 noframe", "draw d5 noframe", "draw e4 frame",
                                       "draw d5 frame", "PieceMovement W e4 d5"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, CastlingDrawsTheKingsTrialStepAndTheRookBeforeTheKing) {
    SetUpBoard("r3k2r/8/8/8/8/8/8/R3K2R");
    ASSERT_TRUE(Move("e1g1"));
    EXPECT_EQ(UpToMovement(),
              (Entries{"draw e1 frame", "draw f1 frame", // the trial step over f1, taken back
                       "draw h1 frame", "draw f1 frame", // the rook
                       "draw e1 frame", "draw g1 frame", "PieceMovement W e1 g1"}));
    journal.Clear();
    ASSERT_TRUE(Move("e8c8"));
    EXPECT_EQ(UpToMovement(),
              (Entries{"draw e8 frame", "draw d8 frame", "draw e1 noframe", "draw g1 noframe",
                       "draw e1 frame", "draw g1 frame", "draw a8 frame", "draw d8 frame",
                       "draw e1 noframe", "draw g1 noframe", "draw e8 frame", "draw c8 frame",
                       "PieceMovement B e8 c8"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, EnPassantDrawsTheTakenPawnsSquareFirst) {
    SetUpBoard("4k3/8/8/8/3p4/8/4P3/4K3");
    Play({"e2e4"});
    ASSERT_TRUE(Move("d4e3"));
    EXPECT_EQ(UpToMovement(), (Entries{"draw e4 frame", "draw e2 noframe", "draw e4 noframe",
                                       "draw d4 frame", "draw e3 frame", "PieceMovement B d4 e3"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, APromotionAsksForThePieceThenDrawsItBeforeTheMoveSquares) {
    SetUpBoard("8/4P3/8/8/8/8/8/k6K");
    ASSERT_TRUE(Move("e7e8"));
    EXPECT_EQ(UpToMovement(), (Entries{"PawnPromotion W 0", "draw e8 frame", "draw e7 frame",
                                       "draw e8 frame", "PieceMovement W e7 e8"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, ARefusedMoveRedrawsItsSquaresAndThePreviousFrameAsTheyWere) {
    SetUpBoard("4r1k1/8/8/8/8/8/4R3/4K3", false);
    Play({"g8h8"});
    EXPECT_FALSE(Move("e2d2"));
    EXPECT_EQ(journal.entries,
              (Entries{"draw e2 frame", "draw d2 frame", "draw g8 noframe", "draw h8 noframe",
                       "draw g8 frame", "draw h8 frame", "draw e2 frame", "draw d2 frame"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, AnUndoRedrawsTheMoveThenMovesTheFrameBackBeforeItsEvent) {
    SetUpBoard("4k3/8/8/8/3p4/8/4P3/4K3");
    Play({"e2e4", "d4e3"});
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(journal.entries,
              (Entries{"draw e3 frame", "draw d4 frame", "draw e4 frame", "draw d4 noframe",
                       "draw e3 noframe", "draw e2 frame", "draw e4 frame", "MoveUndo B"}));
    EXPECT_EQ(PictureProblems(), "");

    SetUpBoard("r3k2r/8/8/8/8/8/8/R3K2R");
    Play({"e1g1"});
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(journal.entries,
              (Entries{"draw e1 frame", "draw f1 frame", "draw g1 frame", "draw h1 frame",
                       "draw e1 noframe", "draw g1 noframe", "MoveUndo W"}));
    EXPECT_EQ(PictureProblems(), "");

    Play({"e1c1"});
    ASSERT_TRUE(engine.UndoLastMove());
    EXPECT_EQ(journal.entries,
              (Entries{"draw e1 frame", "draw d1 frame", "draw c1 frame", "draw a1 frame",
                       "draw e1 noframe", "draw c1 noframe", "MoveUndo W"}));
    EXPECT_EQ(PictureProblems(), "");
}

TEST_F(Redraw, TheSurfaceShowsThePositionAfterEveryCallOfAGame) {
    ASSERT_TRUE(engine.NewGame(Layout("r3k2r/pPppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R")));
    const std::vector<std::string_view> requests = {"a2a4", "b4a3", "undo", "e8c8", "e8g8", "b7a8",
                                                    "undo", "b7b8", "undo", "undo", "a6e2", "e1g1",
                                                    "e1e2", "h3g2", "f3g2", "undo", "undo", "b6c4"};
    for (const std::string_view request : requests) {
        SCOPED_TRACE(request);
        if (request == "undo") {
            engine.UndoLastMove();
        } else {
            Move(request);
        }
        EXPECT_EQ(PictureProblems(), "");
    }
}

} // namespace
} // namespace quorrin::testing
