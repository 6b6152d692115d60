#include "EngineExercise.h"

#include "EngineChecks.h"
#include "tools/support/StandardPositions.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace quorrin::testing {

namespace {

// The standard positions, then some of odd material and some with two kings a side.
constexpr std::string_view Diagrams[] = {
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N",
    "4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3",
    "rn6/pp6/8/8/8/8/PP6/R3K3",
    "k6k/p6p/8/8/8/8/P6P/K6K",
};

// Remembers what each square showed when it was last drawn: its piece (or none) and whether the
// last-move frame was allowed on it and it is one of the last move's squares.
class Picture : public SquareDrawer {
public:
    const EngineState* board = nullptr;
    std::size_t requests = 0;
    std::string problems;
    std::array<int, 65> shown{};

    void DrawSquare(SquareIndex square, bool showHighlight) override {
        requests += square != 0;
        if (IsBoardSquare(square)) {
            shown[square] = Look(square, showHighlight);
        } else if (square != 0) {
            problems += "a redraw of square " + std::to_string(square) + "\n";
        }
    }
    std::string Problems() const {
        std::string wrong = problems;
        for (SquareIndex k = 1; k <= 64; ++k) {
            if (shown[k] != Look(k, true)) {
                wrong += SquareIndexToName(k) + " shows " + std::to_string(shown[k]) + "\n";
            }
        }
        return wrong;
    }

private:
    int Look(SquareIndex k, bool frameAllowed) const {
        const BoardSquare& square = board->Squares[k];
        const bool framed = frameAllowed && (k == board->LastMoveFrom || k == board->LastMoveTo);
        return (square.Occupied ? square.Piece.Kind : PieceTypeCount) * 2 + (framed ? 1 : 0);
    }
};

// Checks what each event says, and that the squares a move or an undo changed are drawn before
// its events; answers promotions as told, and calls back into the engine from every handler:
// each such call must be refused.
class Host : public BoardEvents {
public:
    TestEngine* engine = nullptr;
    const Picture* picture = nullptr;
    ExerciseCounts* counts = nullptr;
    PieceType answer = 0;
    std::string problems;

    void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override {
        Seen(0, bWhite == Turn() && SquareNameToIndex(sFrom) > 0 && SquareNameToIndex(sTo) > 0);
        problems += picture->Problems();
    }
    void PieceCapture(PieceType ePiece) override { Seen(1, ePiece >= 0 && ePiece < 12); }
    void KingInCheck(bool bWhite, bool) override { Seen(2, bWhite != Turn()); }
    void PawnPromotion(bool bWhite, PieceType& eChoice) override {
        Seen(3, bWhite == Turn() && eChoice == 0);
        eChoice = answer;
    }
    void Stalemate() override { Seen(4, true); }
    void MoveUndo(bool bWhite) override { // before the turn passes
        Seen(5, bWhite != Turn());
        problems += picture->Problems();
    }

private:
    bool Turn() const { return engine->State().WhitesTurn; }
    void Seen(int event, bool argumentsFit) {
        ++counts->events[event];
        const MoveList legal = engine->LegalMoves();
        const bool refused = engine->IsBusy() && !engine->MovePiece("e2", "e4") &&
                             !engine->MovePiece("e7", "e5") && !engine->UndoLastMove() &&
                             !engine->NewGame() && (legal.empty() || !engine->MakeMove(legal[0]));
        problems += argumentsFit ? "" : "arguments of event " + std::to_string(event) + "\n";
        problems += refused ? "" : "a call from inside a handler was not refused\n";
    }
};

// Mostly a known layout; else cells from the bytes: pieces, empty squares, now and then an
// unknown cell, and sometimes cut short.
std::string NextLayout(ByteSource& bytes) {
    if (bytes.Next() % 4 != 0) {
        const std::size_t choice =
            bytes.Next() % (std::size(support::StandardPositions) + std::size(Diagrams));
        if (choice < std::size(support::StandardPositions)) {
            const std::string_view fen = support::StandardPositions[choice].Fen;
            return *LayoutFromDiagram(fen.substr(0, fen.find(' ')));
        }
        return *LayoutFromDiagram(Diagrams[choice - std::size(support::StandardPositions)]);
    }
    std::string layout;
    for (int cell = 0; cell < 64; ++cell) {
        const std::uint8_t b = bytes.Next();
        if (b < 250) {
            layout += b < 96 ? PieceCodes[b % PieceTypeCount] : EmptyCode;
        } else {
            layout += {static_cast<char>(bytes.Next()), static_cast<char>(bytes.Next())};
        }
    }
    if (bytes.Next() == 0xFF) {
        layout.resize(bytes.Next() % layout.size());
    }
    return layout;
}

// A move of the position: legal, or now and then one of its legal moves with a wrong
// promotion piece or a square changed, so that MakeMove must refuse it.
Move NextMove(ByteSource& bytes, const ChessEngine& engine) {
    const MoveList legal = engine.LegalMoves();
    Move move = legal.empty() ? Move{} : legal[(bytes.Next() << 8 | bytes.Next()) % legal.size()];
    switch (bytes.Next() % 8) {
    case 0:
        move.To = static_cast<SquareIndex>(bytes.Next() % 66);
        break;
    case 1:
        move.Promotion = static_cast<Shape>(bytes.Next() % 6);
        break;
    default:
        break;
    }
    return move;
}

// The squares a move request names: those of a legal move, any two squares, or a raw string of
// up to three bytes for each square.
std::pair<std::string, std::string> NextRequest(std::uint8_t op, ByteSource& bytes,
                                                const ChessEngine& engine) {
    if (op < 6) {
        if (const MoveList legal = engine.LegalMoves(); !legal.empty()) {
            const Move& move = legal[(bytes.Next() << 8 | bytes.Next()) % legal.size()];
            return {SquareIndexToName(move.From), SquareIndexToName(move.To)};
        }
    }
    if (op < 10) {
        return {SquareIndexToName(bytes.Next() % 64 + 1), SquareIndexToName(bytes.Next() % 64 + 1)};
    }
    std::string names[2];
    for (std::string& name : names) {
        name.resize(bytes.Next() % 4);
        for (char& c : name) {
            c = static_cast<char>(bytes.Next());
        }
    }
    return {names[0], names[1]};
}

} // namespace

std::string Exercise(ByteSource& bytes, ExerciseCounts& counts) {
    Host host;
    Picture picture;
    ChessEngine other; // the position asked about with its other side to move
    TestEngine engine(&host);
    host.engine = &engine;
    host.picture = &picture;
    host.counts = &counts;
    picture.board = &engine.State();
    engine.SetDrawer(&picture); // the first new game draws every square

    std::string requests; // of the game being played, for the failure message
    bool firstIsWhite = true;
    std::vector<EngineState> beforeEachMove;
    auto newGame = [&] {
        firstIsWhite = bytes.Next() % 4 != 0;
        const std::string layout = NextLayout(bytes);
        requests = "new game " + layout + (firstIsWhite ? " w: " : " b: ");
        beforeEachMove.clear();
        return engine.NewGame(layout, firstIsWhite);
    };
    std::string problems = newGame() ? "" : "NewGame refused\n";

    while (problems.empty() && !bytes.Empty()) {
        const EngineState before = engine.State();
        const std::size_t drawn = picture.requests;
        auto check = [&problems](bool holds, const char* what) {
            problems += holds ? "" : std::string(what) + "\n";
        };
        // A move made is kept for undo; one refused must leave the state and the board alone.
        const auto settle = [&](bool made) {
            ++(made ? counts.made : counts.refused);
            made ? beforeEachMove.push_back(before)
                 : check(SameState(before, engine.State(), true) && picture.requests == drawn,
                         "a refused move changed the state or drew");
            return made;
        };
        const std::uint8_t op = bytes.Next() % 16;
        if (op == 6 || op == 7) {
            const Move move = NextMove(bytes, engine);
            requests += "make " + move.Coordinates() + " ";
            const bool legal = engine.IsLegal(move);
            check(settle(engine.MakeMove(move)) == legal, "MakeMove disagreed with IsLegal");
        } else if (op < 11) {
            const auto [from, to] = NextRequest(op, bytes, engine);
            requests += from + to + " ";
            // MovePiece takes exactly the squares of a legal move, whatever the promotion.
            const MoveList legal = engine.LegalMoves();
            const Move named{SquareNameToIndex(from), SquareNameToIndex(to), std::nullopt};
            const bool listed = std::any_of(legal.begin(), legal.end(), [&named](const Move& m) {
                return m.From == named.From && m.To == named.To;
            });
            const bool made = settle(engine.MovePiece(from, to));
            check(made == listed, "MovePiece took other squares than those of a legal move");
            check(!made || picture.requests - drawn <= 8, "more than eight redraws for a move");
        } else if (op < 14) {
            requests += "undo ";
            const bool done = engine.UndoLastMove();
            check(done == !beforeEachMove.empty(), "undo done exactly when a move was made");
            if (done) {
                ++counts.undone;
                check(SameState(beforeEachMove.back(), engine.State()), "undo was not exact");
                beforeEachMove.pop_back();
            }
        } else if (op == 14) {
            std::uint32_t answer = bytes.Next() % 14;
            for (int i = bytes.Next() % 2 ? 4 : 0; i > 0; --i) {
                answer = answer << 8 | bytes.Next(); // now and then any 32-bit value
            }
            host.answer = static_cast<PieceType>(answer);
            requests += "answer " + std::to_string(host.answer) + " ";
        } else if (bytes.Next() < 16) {
            check(newGame(), "NewGame refused");
        } else {
            const bool white = bytes.Next() % 2 == 0;
            requests += std::string("ask ") + (white ? "W " : "B ");
            const SquareIndex king = white ? before.WhiteKingSquare : before.BlackKingSquare;
            const bool mated = engine.IsCheckmate(white, king);
            const bool stalemated = engine.IsStalemate(white, king);
            check(!(mated && stalemated) && (king != 0 || !mated), "mate and stalemate verdicts");
            // The verdicts agree with the side's legal moves: as the engine lists them for the
            // side to move, or as a game set up on the same board with the other side to move
            // (and so no en passant, which only the side to move may take) lists them.
            other.NewGame(Board(before), white);
            const bool none = white == before.WhitesTurn ? engine.LegalMoves().empty()
                                                         : other.LegalMoves().empty();
            check((mated || stalemated) == none,
                  "mate or stalemate exactly when there is no legal move");
        }
        problems += host.problems + StateProblems(engine.State()) + picture.Problems();
        check(engine.State().MoveHistory.size() == beforeEachMove.size() && !engine.IsBusy(),
              "one history record per move made, not busy");
        check(engine.State().WhitesTurn == (firstIsWhite == (beforeEachMove.size() % 2 == 0)),
              "turns alternate");
    }
    return problems.empty() ? ""
                            : problems + "requests: " + requests + "\n" + Describe(engine.State());
}

} // namespace quorrin::testing
