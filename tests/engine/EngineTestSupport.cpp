#include "EngineTestSupport.h"

#include <algorithm>
#include <sstream>
#include <tuple>

namespace quorrin::testing {

namespace {

std::string Name(int square) {
    if (square == 0) {
        return "-";
    }
    const std::string name = SquareIndexToName(square);
    return name.empty() ? "?" + std::to_string(square) : name;
}

std::string Side(bool white) {
    return white ? "W" : "B";
}

// Kind, colour and moved flag: "11W+" for a white pawn that has moved.
std::string Piece(const PieceState& p) {
    return std::to_string(p.Kind) + Side(p.IsWhite) + (p.HasMoved ? "+" : "");
}

} // namespace

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

std::string Board(const EngineState& state) {
    std::string layout;
    for (int k = 1; k <= 64; ++k) {
        const BoardSquare& square = state.Squares[k];
        const std::string code(square.Occupied ? PieceCodes.at(square.Piece.Kind) : EmptyCode);
        const bool colourFits = !square.Occupied || square.Piece.IsWhite == (code[0] == 'W');
        layout += colourFits ? code : "?" + code.substr(1);
    }
    return layout;
}

std::string Describe(const EngineState& s) {
    std::ostringstream out;
    const std::string board = Board(s);
    for (int rank = 0; rank < 8; ++rank) {
        out << board.substr(16 * rank, 16) << "\n";
    }
    out << Side(s.WhitesTurn) << " to move, kings " << Name(s.WhiteKingSquare) << " "
        << Name(s.BlackKingSquare) << ", en passant "
        << (s.EnPassantOpen ? std::to_string(s.EnPassantFile) : "-") << ", in progress "
        << s.EnPassantCapture << s.PromotionPending << ", last move " << Name(s.LastMoveFrom) << " "
        << Name(s.LastMoveTo) << "\nmoved:";
    for (int k = 1; k <= 64; ++k) {
        if (s.Squares[k].Occupied && s.Squares[k].Piece.HasMoved) {
            out << " " << Name(k);
        }
    }
    for (const MoveRecord& r : s.MoveHistory) {
        out << "\nrecord " << static_cast<int>(r.Kind) << " " << Name(r.FromSquare) << " "
            << Piece(r.MovedPiece) << " " << Name(r.ToSquare) << " "
            << (r.ToOccupied ? Piece(r.CapturedPiece) : "-") << " " << Side(r.WhiteMoved) << " ep "
            << (r.EnPassantOpen ? std::to_string(r.EnPassantFile) : "-") << " prev "
            << Name(r.PrevLastMoveFrom) << " " << Name(r.PrevLastMoveTo);
    }
    return out.str();
}

bool SameState(const EngineState& a, const EngineState& b) {
    auto square = [](const BoardSquare& x, const BoardSquare& y) {
        return x.Occupied == y.Occupied && (!x.Occupied || x.Piece == y.Piece);
    };
    auto record = [](MoveRecord x, MoveRecord y) {
        for (MoveRecord* r : {&x, &y}) {
            r->CapturedPiece = r->ToOccupied ? r->CapturedPiece : PieceState{};
            r->EnPassantFile = r->EnPassantOpen ? r->EnPassantFile : 0;
        }
        return x == y;
    };
    return std::equal(a.Squares.begin(), a.Squares.end(), b.Squares.begin(), square) &&
           std::equal(a.MoveHistory.begin(), a.MoveHistory.end(), b.MoveHistory.begin(),
                      b.MoveHistory.end(), record) &&
           std::tie(a.WhitesTurn, a.WhiteKingSquare, a.BlackKingSquare, a.EnPassantOpen,
                    a.EnPassantCapture, a.PromotionPending, a.LastMoveFrom, a.LastMoveTo) ==
               std::tie(b.WhitesTurn, b.WhiteKingSquare, b.BlackKingSquare, b.EnPassantOpen,
                        b.EnPassantCapture, b.PromotionPending, b.LastMoveFrom, b.LastMoveTo) &&
           (!a.EnPassantOpen || a.EnPassantFile == b.EnPassantFile);
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

std::string KingSquareProblems(const EngineState& state) {
    SquareIndex kings[2] = {0, 0}; // black, white
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = state.Squares[k];
        if (square.Occupied && ShapeOf(square.Piece.Kind) == Shape::King) {
            kings[square.Piece.Kind == WhiteKing ? 1 : 0] = k;
        }
    }
    std::string problems;
    if (state.WhiteKingSquare != kings[1] || state.BlackKingSquare != kings[0]) {
        problems += "king squares " + Name(state.WhiteKingSquare) + " " +
                    Name(state.BlackKingSquare) + ", board has " + Name(kings[1]) + " " +
                    Name(kings[0]) + "\n";
    }
    if (state.Squares[0].Occupied) {
        problems += "the sentinel square 0 is occupied\n";
    }
    return problems;
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

std::string Journal::Head() const {
    std::string head;
    for (const std::string& entry : entries) {
        head += (head.empty() ? "" : ", ") + entry;
        if (entry.rfind("PieceMovement", 0) == 0) {
            break;
        }
    }
    return head;
}

void Journal::DrawSquare(SquareIndex square, bool showHighlight) {
    if (square != 0) {
        entries.push_back(Name(square) + (showHighlight ? "*" : ""));
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
    EXPECT_FALSE(state().PromotionPending);
    return journal.Events();
}

std::string EngineTest::At(std::string_view square) const {
    const BoardSquare& record = state().Squares[Sq(square)];
    return std::string(record.Occupied ? PieceCodes.at(static_cast<std::size_t>(record.Piece.Kind))
                                       : EmptyCode);
}

} // namespace quorrin::testing
