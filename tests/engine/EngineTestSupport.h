// Helpers for the engine's unit tests: board diagrams, state comparison for GoogleTest, and a
// journal of events and redraws (games played as text are in tests/support/EngineChecks.h).
#pragma once

#include "tests/support/EngineChecks.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quorrin::testing {

// The layout for a board diagram ("r3k2r/8/..."), or "start"; fails the test when it is bad.
inline std::string Layout(std::string_view diagram) {
    const auto layout = diagram == "start" ? std::string(StartLayout) : LayoutFromDiagram(diagram);
    EXPECT_TRUE(layout.has_value()) << "bad diagram " << diagram;
    return layout.value_or(std::string());
}

// The rows of a file of test vectors in tests/engine/data: fields separated by " | " (a space
// before and after a field is the field's own), lines that are empty or begin with # skipped.
inline std::vector<std::vector<std::string>> Vectors(const std::string& name) {
    std::ifstream in(QUORRIN_ENGINE_TEST_DATA "/" + name);
    EXPECT_TRUE(in.is_open()) << name;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string>& row = rows.emplace_back();
        for (std::size_t at = 0;;) {
            const std::size_t bar = line.find(" | ", at);
            row.push_back(line.substr(at, bar - at));
            if (bar == std::string::npos) {
                break;
            }
            at = bar + 3;
        }
    }
    return rows;
}

// For EXPECT_TRUE: the states are the same (SameState), or a failure showing both.
inline ::testing::AssertionResult SameStates(const EngineState& expected,
                                             const EngineState& actual) {
    return SameState(expected, actual) ? ::testing::AssertionSuccess()
                                       : ::testing::AssertionFailure()
                                             << "expected:\n"
                                             << Describe(expected) << "\nactual:\n"
                                             << Describe(actual);
}

// Records events and redraw requests in call order: "e4*" is a redraw with the frame allowed,
// "e4" one without; events read "PieceMovement W e2 e4", "PieceCapture 5", "KingInCheck B
// mate", "PawnPromotion W 0", "Stalemate", "MoveUndo W". Square 0 is not recorded.
class Journal : public BoardEvents, public SquareDrawer {
public:
    std::vector<std::string> entries;
    PieceType promotionAnswer = 0; // written into eChoice by PawnPromotion

    // The entries joined by ", ": all of them, or the events only.
    std::string Joined(bool withRedraws = true) const {
        std::string joined;
        for (const std::string& entry : entries) {
            joined += withRedraws || entry.size() > 3 ? (joined.empty() ? "" : ", ") + entry : "";
        }
        return joined;
    }
    void DrawSquare(SquareIndex square, bool frame) override {
        Add(square == 0 ? "" : SquareIndexToName(square) + (frame ? "*" : ""));
    }
    void PieceMovement(bool white, const std::string& from, const std::string& to) override {
        Add("PieceMovement " + Side(white) + " " + from + " " + to);
    }
    void PieceCapture(PieceType piece) override { Add("PieceCapture " + std::to_string(piece)); }
    void KingInCheck(bool white, bool mate) override {
        Add("KingInCheck " + Side(white) + (mate ? " mate" : ""));
    }
    void PawnPromotion(bool white, PieceType& choice) override {
        Add("PawnPromotion " + Side(white) + " " + std::to_string(choice));
        choice = promotionAnswer;
    }
    void Stalemate() override { Add("Stalemate"); }
    void MoveUndo(bool white) override { Add("MoveUndo " + Side(white)); }

private:
    void Add(const std::string& entry) {
        if (!entry.empty()) {
            entries.push_back(entry);
        }
    }
    static std::string Side(bool white) { return white ? "W" : "B"; }
};

// A fresh engine wired to a journal.
class EngineTest : public ::testing::Test {
protected:
    Journal journal;
    TestEngine engine{&journal, &journal};

    const EngineState& state() const { return engine.State(); }

    // Sets up "DIAGRAM SIDE MOVE...": a diagram or "start", "w" or "b" for the side to move,
    // then moves that must all be made; forgets what was recorded.
    void SetUpBoard(std::string_view setup) {
        std::istringstream words{std::string(setup)};
        std::string diagram, side, move;
        words >> diagram >> side;
        ASSERT_TRUE(side == "w" || side == "b") << setup;
        ASSERT_TRUE(engine.NewGame(Layout(diagram), side == "w"));
        while (words >> move) {
            ASSERT_TRUE(Move(move)) << "refused " << move << " in " << setup;
        }
        journal.entries.clear();
    }

    // Plays "e2e4" (or "undo", or "new" for a new game); true when the engine did it.
    bool Move(std::string_view move) {
        return move == "undo"  ? engine.UndoLastMove()
               : move == "new" ? engine.NewGame()
                               : engine.MovePiece(move.substr(0, 2), move.substr(2));
    }
};

} // namespace quorrin::testing
