#include "EngineTestSupport.h"

#include <algorithm>
#include <sstream>

namespace quorrin::testing {

namespace {

std::string Side(bool white) {
    return white ? "W" : "B";
}

std::string SquareName(int square) {
    const std::string name = SquareIndexToName(square);
    return name.empty() ? "?" + std::to_string(square) : name;
}

std::string Describe(const PieceState& piece) {
    std::ostringstream text;
    text << "kind " << piece.Kind << (piece.IsWhite ? " white" : " black")
         << (piece.HasMoved ? " moved" : " unmoved");
    return text.str();
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

std::string Diagram(const EngineState& state) {
    constexpr std::string_view letters = "kqrnbp";
    std::string diagram;
    for (int row = 1; row <= 8; ++row) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const BoardSquare& square = state.Squares[SquareAt(file, row)];
            if (!square.Occupied) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                diagram += static_cast<char>('0' + empty);
                empty = 0;
            }
            const char letter = letters[static_cast<std::size_t>(square.Piece.Kind % 6)];
            diagram += square.Piece.IsWhite ? static_cast<char>(letter - 'a' + 'A') : letter;
        }
        if (empty > 0) {
            diagram += static_cast<char>('0' + empty);
        }
        if (row < 8) {
            diagram += '/';
        }
    }
    return diagram;
}

std::string CodeAt(const EngineState& state, std::string_view square) {
    const BoardSquare& record = state.Squares[Sq(square)];
    if (!record.Occupied) {
        return std::string(EmptyCode);
    }
    return std::string(PieceCodes.at(static_cast<std::size_t>(record.Piece.Kind)));
}

std::string StateDifferences(const EngineState& expected, const EngineState& actual) {
    std::ostringstream out;
    auto field = [&out](const char* name, auto want, auto got) {
        if (want != got) {
            out << name << ": expected " << +want << ", got " << +got << "\n";
        }
    };
    for (int k = 0; k <= 64; ++k) {
        const BoardSquare& want = expected.Squares[k];
        const BoardSquare& got = actual.Squares[k];
        if (want.Occupied == got.Occupied && (!want.Occupied || want.Piece == got.Piece) &&
            want.IsDark == got.IsDark && want.File == got.File && want.Row == got.Row) {
            continue;
        }
        const std::string name = SquareName(k);
        if (want.Occupied != got.Occupied) {
            out << name << ": expected " << (want.Occupied ? Describe(want.Piece) : "empty")
                << ", got " << (got.Occupied ? Describe(got.Piece) : "empty") << "\n";
        } else if (want.Occupied && want.Piece != got.Piece) {
            out << name << ": expected " << Describe(want.Piece) << ", got " << Describe(got.Piece)
                << "\n";
        }
        if (want.IsDark != got.IsDark || want.File != got.File || want.Row != got.Row) {
            out << name << ": colour or coordinates changed\n";
        }
    }
    field("WhitesTurn", expected.WhitesTurn, actual.WhitesTurn);
    field("WhiteKingSquare", expected.WhiteKingSquare, actual.WhiteKingSquare);
    field("BlackKingSquare", expected.BlackKingSquare, actual.BlackKingSquare);
    field("EnPassantOpen", expected.EnPassantOpen, actual.EnPassantOpen);
    if (expected.EnPassantOpen && actual.EnPassantOpen) {
        field("EnPassantFile", expected.EnPassantFile, actual.EnPassantFile);
    }
    field("EnPassantCapture", expected.EnPassantCapture, actual.EnPassantCapture);
    field("PromotionPending", expected.PromotionPending, actual.PromotionPending);
    field("LastMoveFrom", expected.LastMoveFrom, actual.LastMoveFrom);
    field("LastMoveTo", expected.LastMoveTo, actual.LastMoveTo);
    field("history length", expected.MoveHistory.size(), actual.MoveHistory.size());
    const std::size_t common = std::min(expected.MoveHistory.size(), actual.MoveHistory.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (expected.MoveHistory[i] != actual.MoveHistory[i]) {
            out << "history record " << i << " differs\n";
        }
    }
    return out.str();
}

std::string KingSquareProblems(const EngineState& state) {
    SquareIndex white = 0;
    SquareIndex black = 0;
    for (SquareIndex k = 1; k <= 64; ++k) {
        const BoardSquare& square = state.Squares[k];
        if (square.Occupied && square.Piece.Kind == WhiteKing) {
            white = k;
        } else if (square.Occupied && square.Piece.Kind == BlackKing) {
            black = k;
        }
    }
    std::string problems;
    if (state.WhiteKingSquare != white) {
        problems += "WhiteKingSquare is " + SquareName(state.WhiteKingSquare) + ", board says " +
                    SquareName(white) + "\n";
    }
    if (state.BlackKingSquare != black) {
        problems += "BlackKingSquare is " + SquareName(state.BlackKingSquare) + ", board says " +
                    SquareName(black) + "\n";
    }
    if (state.Squares[0].Occupied) {
        problems += "the sentinel square 0 is occupied\n";
    }
    return problems;
}

void Journal::DrawSquare(SquareIndex square, bool showHighlight) {
    if (square == 0) {
        return;
    }
    entries.push_back("draw " + SquareName(square) + (showHighlight ? " frame" : " noframe"));
}

void Journal::PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) {
    AddEvent("PieceMovement " + Side(bWhite) + " " + sFrom + " " + sTo);
}

void Journal::PieceCapture(PieceType ePiece) {
    AddEvent("PieceCapture " + std::to_string(ePiece));
}

void Journal::KingInCheck(bool bWhite, bool bCheckmate) {
    AddEvent("KingInCheck " + Side(bWhite) + (bCheckmate ? " mate" : ""));
}

void Journal::PawnPromotion(bool bWhite, PieceType& eChoice) {
    AddEvent("PawnPromotion " + Side(bWhite) + " " + std::to_string(eChoice));
    eChoice = promotionAnswer;
}

void Journal::Stalemate() {
    AddEvent("Stalemate");
}

void Journal::MoveUndo(bool bWhite) {
    AddEvent("MoveUndo " + Side(bWhite));
}

std::vector<std::string> Journal::Events() const {
    std::vector<std::string> events;
    for (const std::string& entry : entries) {
        if (entry.rfind("draw ", 0) != 0) {
            events.push_back(entry);
        }
    }
    return events;
}

void Journal::AddEvent(std::string entry) {
    entries.push_back(std::move(entry));
    if (onEvent) {
        onEvent();
    }
}

void EngineTest::SetUpBoard(std::string_view diagram, bool whiteToMove) {
    ASSERT_TRUE(engine.NewGame(Layout(diagram), whiteToMove));
    journal.Clear();
}

bool EngineTest::Move(std::string_view move) {
    EXPECT_EQ(move.size(), 4u) << move;
    return engine.MovePiece(move.substr(0, 2), move.substr(2, 2));
}

void EngineTest::Play(const std::vector<std::string_view>& moves) {
    for (const std::string_view move : moves) {
        ASSERT_TRUE(Move(move)) << "refused " << move << " in " << Diagram(state());
    }
    journal.Clear();
}

std::string EngineTest::Targets(std::string_view from) {
    std::string targets;
    for (SquareIndex to = 1; to <= 64; ++to) {
        if (engine.CheckMoveRule(Sq(from), to, true)) {
            targets += (targets.empty() ? "" : " ") + SquareIndexToName(to);
        }
    }
    return targets;
}

} // namespace quorrin::testing
