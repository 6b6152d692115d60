// Comparing engine states, showing them, what must hold between any two calls, and playing
// games as text: shared by the unit tests, the random-games test and the fuzz targets, so free
// of any test framework.
#pragma once

#include "engine/CandidateTargets.h"
#include "engine/ChessEngine.h"
#include "engine/Notation.h"

#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::testing {

// The engine with the operations that tests call directly opened up.
class TestEngine : public ChessEngine {
public:
    using ChessEngine::ChessEngine;
    using ChessEngine::IsCheckmate;
    using ChessEngine::IsStalemate;
};

// The board as the layout string NewGame reads; "?" in place of a colour letter that does not
// match the piece's colour.
std::string Board(const EngineState& state);

// The whole state as text, for failure messages.
std::string Describe(const EngineState& state);

// Whether two states agree in every field that a move or its take-back may change. Unless
// exact, leftovers that nothing reads are skipped: the piece record of an empty square, the
// captured piece of a record that took none, and the colour and square of the last promotion.
bool SameState(const EngineState& a, const EngineState& b, bool exact = false);

// What is wrong between two calls, "" when nothing: the king squares name the last king of
// each colour on the board (0 for none), square 0 is empty, no move is half-made, and the en
// passant state is the one the last record holds (closed, file 0, with no record).
std::string StateProblems(const EngineState& state);

// Answers promotions with the letter of the move being played and notes the draws raised.
class RecordHost : public BoardEvents {
public:
    char promotion = 'q';
    std::vector<DrawReason> draws;
    void PawnPromotion(bool white, PieceType& choice) override {
        choice = PieceOf(static_cast<Shape>(std::string_view("?qrnb").find(promotion)), white);
    }
    void Draw(DrawReason reason) override { draws.push_back(reason); }
    // When engine is set: the FEN it gives while the last PieceMovement is heard.
    const ChessEngine* engine = nullptr;
    std::string fenHeard;
    void PieceMovement(bool, const std::string&, const std::string&) override {
        fenHeard = engine != nullptr ? engine->Fen() : "";
    }
};

// Makes each coordinate move of moves ("e2e4 e7e8n"; "undo" takes one back); the first one
// refused, or "" when all were made.
inline std::string Play(ChessEngine& engine, RecordHost& host, std::string_view moves) {
    std::istringstream words{std::string(moves)};
    for (std::string move; words >> move;) {
        host.promotion = move.size() == 5 ? move[4] : 'q';
        const bool made = move == "undo" ? engine.UndoLastMove()
                                         : engine.MovePiece(move.substr(0, 2), move.substr(2, 2));
        if (!made) {
            return move;
        }
    }
    return "";
}

struct LegalMove {
    std::string coordinates; // "e7e8n"
    std::string san;
};

// Every legal move of the side to move (each promotion piece apart), found by making every
// candidate and taking it back.
inline std::vector<LegalMove> LegalMoves(ChessEngine& engine, RecordHost& host) {
    std::vector<LegalMove> moves;
    const EngineState& state = engine.State();
    for (SquareIndex from = 1; from <= 64; ++from) {
        if (!state.Squares[from].Occupied ||
            state.Squares[from].Piece.IsWhite != state.WhitesTurn) {
            continue;
        }
        ForEachCandidateTarget(state, from, [&](SquareIndex to) {
            const bool promotes = ShapeOf(state.Squares[from].Piece.Kind) == Shape::Pawn &&
                                  (RowOf(to) == 1 || RowOf(to) == 8);
            for (const char piece : std::string_view(promotes ? "qrnb" : "-")) {
                const std::string move = SquareIndexToName(from) + SquareIndexToName(to) +
                                         (promotes ? std::string(1, piece) : "");
                host.promotion = piece == '-' ? 'q' : piece;
                if (engine.MovePiece(SquareIndexToName(from), SquareIndexToName(to))) {
                    moves.push_back({move, engine.MoveSan(state.MoveHistory.size() - 1)});
                    engine.UndoLastMove();
                }
            }
        });
    }
    return moves;
}

} // namespace quorrin::testing
