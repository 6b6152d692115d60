// Comparing engine states, showing them, what must hold between any two calls, and playing
// games as text: shared by the unit tests, the random-games test and the fuzz targets, so free
// of any test framework.
#pragma once

#include "engine/ChessEngine.h"

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

// Notes the draws raised and, when engine is set, the FEN it gives while the last
// PieceMovement is heard.
class RecordHost : public BoardEvents {
public:
    std::vector<DrawReason> draws;
    void Draw(DrawReason reason) override { draws.push_back(reason); }
    const ChessEngine* engine = nullptr;
    std::string fenHeard;
    void PieceMovement(bool, const std::string&, const std::string&) override {
        fenHeard = engine != nullptr ? engine->Fen() : "";
    }
};

// Makes each coordinate move of moves ("e2e4 e7e8n"; a promotion without a letter becomes a
// queen; "undo" takes one back); the first one refused, or "" when all were made.
inline std::string Play(ChessEngine& engine, std::string_view moves) {
    std::istringstream words{std::string(moves)};
    for (std::string move; words >> move;) {
        bool made = false;
        if (move == "undo") {
            made = engine.UndoLastMove();
        } else if (ReadResult<Move> read = ReadCoordinates(move)) {
            Move value = *read;
            if (!value.Promotion && !engine.IsLegal(value)) {
                value.Promotion = Shape::Queen;
            }
            made = engine.MakeMove(value);
        }
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

// Every legal move of the side to move with its notation, made and taken back.
inline std::vector<LegalMove> LegalMovesWithSan(ChessEngine& engine) {
    std::vector<LegalMove> moves;
    for (const Move& move : engine.LegalMoves()) {
        const std::string san = engine.San(move);
        if (engine.MakeMove(move)) {
            moves.push_back(
                {move.Coordinates(), engine.MoveSan(engine.State().MoveHistory.size() - 1)});
            engine.UndoLastMove();
            if (san != moves.back().san) {
                moves.back().san += " (San gave " + san + ")";
            }
        }
    }
    return moves;
}

} // namespace quorrin::testing
