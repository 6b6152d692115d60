// libFuzzer target: builds a layout and a sequence of requests (moves, raw strings, undos,
// new games, promotion answers, game-end questions) from the input bytes and checks the
// engine's invariants after every call. The sanitizers catch everything else.
#include "engine/ChessEngine.h"
#include "engine/Notation.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quorrin;

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "engine invariant broken: %s\n", what);
        std::abort();
    }
}

class FuzzEngine : public ChessEngine {
public:
    using ChessEngine::ChessEngine;
    using ChessEngine::IsCheckmate;
    using ChessEngine::IsStalemate;
};

// Reads the input a byte at a time; zeros once it runs out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t NextInt() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | Next();
        }
        return static_cast<std::int32_t>(value);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Refuses to be entered again from its own events and answers promotions as told.
class FuzzHost : public BoardEvents {
public:
    FuzzEngine* engine = nullptr;
    PieceType answer = 0;

    void PieceMovement(bool, const std::string& from, const std::string& to) override {
        Require(SquareNameToIndex(from) > 0 && SquareNameToIndex(to) > 0, "event square names");
        Reenter();
    }
    void PieceCapture(PieceType piece) override {
        Require(piece >= 0 && piece < PieceTypeCount, "captured piece code");
        Reenter();
    }
    void KingInCheck(bool, bool) override { Reenter(); }
    void PawnPromotion(bool, PieceType& choice) override {
        Require(choice == 0, "promotion choice starts at 0");
        choice = answer;
        Reenter();
    }
    void Stalemate() override { Reenter(); }
    void MoveUndo(bool) override { Reenter(); }

private:
    void Reenter() {
        Require(engine->IsBusy(), "busy inside a handler");
        Require(!engine->MovePiece("e2", "e4") && !engine->MovePiece("e7", "e5"),
                "a move made from inside a handler");
        Require(!engine->UndoLastMove(), "an undo from inside a handler");
        Require(!engine->NewGame(), "a new game from inside a handler");
    }
};

class CheckingDrawer : public SquareDrawer {
public:
    void DrawSquare(SquareIndex square, bool) override {
        Require(square >= 0 && square <= 64, "redraw of a square off the board");
    }
};

// The layout text: each cell a piece code or "XX", now and then an unknown cell, and
// sometimes cut short.
std::string FuzzLayout(Bytes& bytes) {
    std::string layout;
    for (int cell = 0; cell < 64; ++cell) {
        const std::uint8_t b = bytes.Next();
        if (b < 96) {
            layout += PieceCodes[b % PieceTypeCount];
        } else if (b < 250) {
            layout += EmptyCode;
        } else {
            layout += static_cast<char>(bytes.Next());
            layout += static_cast<char>(bytes.Next());
        }
    }
    if (bytes.Next() == 0xFF) {
        layout.resize(bytes.Next() % layout.size());
    }
    return layout;
}

// The king square names the last king of that colour in board order, 0 when there is none.
void CheckKingSquare(const EngineState& state, PieceType king, SquareIndex named) {
    SquareIndex last = 0;
    for (SquareIndex k = 1; k <= 64; ++k) {
        if (state.Squares[k].Occupied && state.Squares[k].Piece.Kind == king) {
            last = k;
        }
    }
    Require(named == last, "king square matches the board");
}

bool SameState(const EngineState& a, const EngineState& b) {
    for (int k = 0; k <= 64; ++k) {
        const BoardSquare& x = a.Squares[k];
        const BoardSquare& y = b.Squares[k];
        if (x.Occupied != y.Occupied || (x.Occupied && x.Piece != y.Piece) ||
            x.IsDark != y.IsDark || x.File != y.File || x.Row != y.Row) {
            return false;
        }
    }
    return a.WhiteKingSquare == b.WhiteKingSquare && a.BlackKingSquare == b.BlackKingSquare &&
           a.WhitesTurn == b.WhitesTurn && a.EnPassantOpen == b.EnPassantOpen &&
           (!a.EnPassantOpen || a.EnPassantFile == b.EnPassantFile) &&
           a.PromotionPending == b.PromotionPending && a.LastMoveFrom == b.LastMoveFrom &&
           a.LastMoveTo == b.LastMoveTo && a.MoveHistory == b.MoveHistory;
}

void CheckInvariants(const FuzzEngine& engine, std::size_t movesMade, bool firstSideIsWhite) {
    const EngineState& state = engine.State();
    Require(!state.Squares[0].Occupied, "square 0 stays empty");
    CheckKingSquare(state, WhiteKing, state.WhiteKingSquare);
    CheckKingSquare(state, BlackKing, state.BlackKingSquare);
    Require(state.MoveHistory.size() == movesMade, "one history record per move made");
    Require(state.WhitesTurn == (firstSideIsWhite == (movesMade % 2 == 0)), "turns alternate");
    Require(!state.PromotionPending && !state.EnPassantCapture && !engine.IsBusy(),
            "no move left in progress");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    FuzzHost host;
    CheckingDrawer drawer;
    FuzzEngine engine(&host, &drawer);
    host.engine = &engine;

    auto newGame = [&](bool& firstSideIsWhite) {
        const bool fuzzed = bytes.Next() % 4 != 0;
        firstSideIsWhite = bytes.Next() % 2 == 0;
        const std::string layout = fuzzed ? FuzzLayout(bytes) : std::string(StartLayout);
        Require(engine.NewGame(layout, firstSideIsWhite), "a new game outside a move");
    };

    bool firstSideIsWhite = true;
    newGame(firstSideIsWhite);
    std::vector<EngineState> beforeEachMove;
    while (!bytes.Empty()) {
        const EngineState before = engine.State();
        const std::uint8_t op = bytes.Next() % 16;
        if (op < 10) {
            const std::string from = SquareIndexToName(bytes.Next() % 64 + 1);
            const std::string to = SquareIndexToName(bytes.Next() % 64 + 1);
            if (engine.MovePiece(from, to)) {
                beforeEachMove.push_back(before);
            } else {
                Require(SameState(before, engine.State()), "a refused move changes nothing");
            }
        } else if (op == 10) {
            std::string from(bytes.Next() % 4, '\0');
            std::string to(bytes.Next() % 4, '\0');
            for (char& c : from) {
                c = static_cast<char>(bytes.Next());
            }
            for (char& c : to) {
                c = static_cast<char>(bytes.Next());
            }
            if (engine.MovePiece(from, to)) {
                Require(SquareNameToIndex(from) > 0 && SquareNameToIndex(to) > 0,
                        "only square names make moves");
                beforeEachMove.push_back(before);
            } else {
                Require(SameState(before, engine.State()), "a refused move changes nothing");
            }
        } else if (op < 13) {
            const bool done = engine.UndoLastMove();
            Require(done == !beforeEachMove.empty(), "undo succeeds exactly when a move was made");
            if (done) {
                Require(SameState(beforeEachMove.back(), engine.State()),
                        "undo restores the state before the move");
                beforeEachMove.pop_back();
            }
        } else if (op == 13) {
            host.answer = bytes.Next() % 2 ? bytes.NextInt() : bytes.Next() % 14;
        } else if (op == 14) {
            const bool white = bytes.Next() % 2 == 0;
            const SquareIndex king = white ? before.WhiteKingSquare : before.BlackKingSquare;
            const bool mated = engine.IsCheckmate(white, king);
            const bool stalemated = engine.IsStalemate(white, king);
            Require(!(mated && stalemated), "mate and stalemate at once");
            Require(king != 0 || !mated, "a side without a king is mated");
            Require(SameState(before, engine.State()), "game-end questions change nothing");
        } else {
            newGame(firstSideIsWhite);
            beforeEachMove.clear();
        }
        CheckInvariants(engine, beforeEachMove.size(), firstSideIsWhite);
    }
    return 0;
}
