#include "EngineTestSupport.h"

#include <sstream>

namespace quorrin::testing {

SquareIndex Sq(std::string_view name) {
    const SquareIndex index = SquareNameToIndex(name);
    EXPECT_GE(index, 1) << "'" << name << "' is no square";
    return index;
}

std::string Layout(std::string_view diagram) {
    const auto layout = LayoutFromDiagram(diagram);
    EXPECT_TRUE(layout.has_value()) << "bad diagram " << diagram;
    return layout.value_or(std::string());
}

::testing::AssertionResult SameStates(const char* expectedText, const char* actualText,
                                      const EngineState& expected, const EngineState& actual) {
    if (SameState(expected, actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actualText << " differs from " << expectedText << "\nexpected:\n"
           << Describe(expected) << "\nactual:\n"
           << Describe(actual);
}

std::string Journal::Events() const {
    std::string events;
    for (const std::string& entry : entries) {
        if (entry.find(' ') != std::string::npos || entry == "Stalemate") {
            events += (events.empty() ? "" : ", ") + entry;
        }
    }
    return events;
}

std::string Journal::All() const {
    std::string all;
    for (const std::string& entry : entries) {
        all += (all.empty() ? "" : ", ") + entry;
    }
    return all;
}

void Journal::DrawSquare(SquareIndex square, bool showHighlight) {
    if (square != 0) {
        entries.push_back(SquareIndexToName(square) + (showHighlight ? "*" : ""));
    }
}

void Journal::Add(std::string entry) {
    entries.push_back(std::move(entry));
    if (onEvent) {
        onEvent();
    }
}

void EngineTest::SetUpBoard(std::string_view setup) {
    std::istringstream words{std::string(setup)};
    std::string diagram, side, move;
    words >> diagram >> side;
    ASSERT_TRUE(side == "w" || side == "b") << setup;
    ASSERT_TRUE(engine.NewGame(Layout(diagram == "start" ? StartDiagram : diagram), side == "w"));
    while (words >> move) {
        ASSERT_TRUE(Move(move)) << "refused " << move << " in " << setup;
    }
    journal.entries.clear();
}

bool EngineTest::Move(std::string_view move) {
    if (move == "undo") {
        return engine.UndoLastMove();
    }
    EXPECT_EQ(move.size(), 4u) << move;
    return engine.MovePiece(move.substr(0, 2), move.substr(2, 2));
}

std::string EngineTest::Outcome(const MoveCase& c) {
    SCOPED_TRACE(c.name);
    SetUpBoard(c.setup);
    const EngineState before = state();
    const bool white = state().WhitesTurn;
    journal.promotionAnswer = c.promotionAnswer;
    if (!Move(c.move)) {
        EXPECT_PRED_FORMAT2(SameStates, before, state());
        return journal.Events().empty() ? "refused" : "refused, " + journal.Events();
    }
    EXPECT_EQ(state().WhitesTurn, !white);
    EXPECT_EQ(state().LastMoveFrom, Sq(c.move.substr(0, 2)));
    EXPECT_EQ(state().LastMoveTo, Sq(c.move.substr(2, 2)));
    EXPECT_EQ(StateProblems(state()), "");
    const std::string events = journal.Events();
    EXPECT_TRUE(engine.UndoLastMove());
    EXPECT_PRED_FORMAT2(SameStates, before, state());
    return events;
}

std::string EngineTest::At(std::string_view square) const {
    const BoardSquare& record = state().Squares[Sq(square)];
    return std::string(record.Occupied ? PieceCodes.at(static_cast<std::size_t>(record.Piece.Kind))
                                       : EmptyCode);
}

} // namespace quorrin::testing
