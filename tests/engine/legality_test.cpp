// Legality cross-check: in a set of positions and a few plies deep, the requests the engine
// accepts are exactly the legal moves found by a plain generator written here on its own.
#include "EngineTestSupport.h"

#include <cctype>
#include <cstring>
#include <set>

namespace quorrin::testing {
namespace {

// A board of characters, [row][file] from rank 8 and file a, '.' for an empty square.
struct Grid {
    char at[8][8];
    bool whiteToMove;
    int enPassantFile; // file 0..7 of a pawn that just made a double step, or -1
    bool castle[2][2]; // [white, black][king side, queen side]
};

// The four straight directions, then the four diagonals; the knight's jumps.
constexpr int Lines[8][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr int Jumps[8][2] = {{1, 2},  {2, 1},  {-1, 2},  {-2, 1},
                             {1, -2}, {2, -1}, {-1, -2}, {-2, -1}};

bool On(int row, int file) {
    return row >= 0 && row < 8 && file >= 0 && file < 8;
}
bool IsWhite(char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
std::string Name(int row, int file) {
    return {static_cast<char>('a' + file), static_cast<char>('8' - row)};
}

// Whether a piece of colour byWhite attacks (row, file).
bool Attacked(const Grid& g, int row, int file, bool byWhite) {
    auto is = [&](int r, int f, const char* kinds) {
        return On(r, f) && g.at[r][f] != '.' && IsWhite(g.at[r][f]) == byWhite &&
               std::strchr(kinds, Lower(g.at[r][f])) != nullptr;
    };
    const int pawnRow = byWhite ? row + 1 : row - 1; // where an attacking pawn would stand
    if (is(pawnRow, file - 1, "p") || is(pawnRow, file + 1, "p")) {
        return true;
    }
    for (int i = 0; i < 8; ++i) {
        if (is(row + Jumps[i][0], file + Jumps[i][1], "n") ||
            is(row + Lines[i][0], file + Lines[i][1], "k")) {
            return true;
        }
        int r = row + Lines[i][0];
        int f = file + Lines[i][1];
        while (On(r, f) && g.at[r][f] == '.') {
            r += Lines[i][0];
            f += Lines[i][1];
        }
        if (is(r, f, i < 4 ? "rq" : "bq")) {
            return true;
        }
    }
    return false;
}

bool KingSafe(const Grid& g, bool white) {
    for (int r = 0; r < 8; ++r) {
        for (int f = 0; f < 8; ++f) {
            if (g.at[r][f] == (white ? 'K' : 'k')) {
                return !Attacked(g, r, f, !white);
            }
        }
    }
    return true; // no king, nothing to expose
}

// The legal moves of the side to move as "e2e4", promotions counted once.
std::set<std::string> LegalMoves(const Grid& g) {
    const bool white = g.whiteToMove;
    std::set<std::string> moves;
    auto tryMove = [&](int r0, int f0, int r1, int f1, bool enPassant = false) {
        if (!On(r1, f1) || (g.at[r1][f1] != '.' && IsWhite(g.at[r1][f1]) == white)) {
            return;
        }
        Grid next = g;
        next.at[r1][f1] = g.at[r0][f0];
        next.at[r0][f0] = '.';
        if (enPassant) {
            next.at[r0][f1] = '.';
        }
        if (KingSafe(next, white)) {
            moves.insert(Name(r0, f0) + Name(r1, f1));
        }
    };
    for (int r = 0; r < 8; ++r) {
        for (int f = 0; f < 8; ++f) {
            const char kind = Lower(g.at[r][f]);
            if (g.at[r][f] == '.' || IsWhite(g.at[r][f]) != white) {
                continue;
            }
            if (kind == 'p') {
                const int ahead = white ? -1 : 1;
                if (On(r + ahead, f) && g.at[r + ahead][f] == '.') {
                    tryMove(r, f, r + ahead, f);
                    if (r == (white ? 6 : 1) && g.at[r + 2 * ahead][f] == '.') {
                        tryMove(r, f, r + 2 * ahead, f);
                    }
                }
                for (const int side : {-1, 1}) {
                    if (On(r + ahead, f + side) && g.at[r + ahead][f + side] != '.') {
                        tryMove(r, f, r + ahead, f + side);
                    } else if (f + side == g.enPassantFile && r == (white ? 3 : 4)) {
                        tryMove(r, f, r + ahead, f + side, true);
                    }
                }
                continue;
            }
            for (int i = 0; i < 8; ++i) {
                if (kind == 'n' || kind == 'k') {
                    const auto& step = kind == 'n' ? Jumps[i] : Lines[i];
                    tryMove(r, f, r + step[0], f + step[1]);
                } else if (kind == 'q' || (kind == 'r' && i < 4) || (kind == 'b' && i >= 4)) {
                    for (int r1 = r + Lines[i][0], f1 = f + Lines[i][1]; On(r1, f1);
                         r1 += Lines[i][0], f1 += Lines[i][1]) {
                        tryMove(r, f, r1, f1);
                        if (g.at[r1][f1] != '.') {
                            break;
                        }
                    }
                }
            }
        }
    }
    // Castling: the right, empty squares up to the rook, no attacked square on the king's path.
    const int home = white ? 7 : 0;
    for (const int step : {1, -1}) {
        bool clear = g.castle[white ? 0 : 1][step > 0 ? 0 : 1];
        for (int f = 4 + step; f != (step > 0 ? 7 : 0); f += step) {
            clear = clear && g.at[home][f] == '.';
        }
        for (int f = 4; clear && f != 4 + 3 * step; f += step) {
            clear = !Attacked(g, home, f, !white);
        }
        if (clear) {
            moves.insert(Name(home, 4) + Name(home, 4 + 2 * step));
        }
    }
    return moves;
}

Grid GridOf(const EngineState& state) {
    Grid g{};
    const std::string board = Board(state); // "WP", "BK", "XX": the letters a diagram uses
    for (int k = 0; k < 64; ++k) {
        const char code = board[2 * k], letter = board[2 * k + 1];
        g.at[k / 8][k % 8] = code == 'X' ? '.' : code == 'W' ? letter : Lower(letter);
    }
    g.whiteToMove = state.WhitesTurn;
    g.enPassantFile = state.EnPassantOpen ? state.EnPassantFile - 1 : -1;
    auto unmoved = [&](int square, PieceType kind) {
        const BoardSquare& s = state.Squares[square];
        return s.Occupied && s.Piece.Kind == kind && !s.Piece.HasMoved;
    };
    for (const int side : {0, 1}) { // e1 or e8, with the rooks 3 squares right and 4 left
        const int king = side == 0 ? 61 : 5;
        const PieceType rook = side == 0 ? WhiteRook : BlackRook;
        g.castle[side][0] = unmoved(king, rook - 2) && unmoved(king + 3, rook);
        g.castle[side][1] = unmoved(king, rook - 2) && unmoved(king - 4, rook);
    }
    return g;
}

class Legality : public EngineTest {
protected:
    std::size_t nodes = 0;
    std::size_t leaves = 0;     // positions reached at depth 1
    std::size_t stalemates = 0; // leaves where the generator finds no move and no check

    // Compares the requests the engine accepts with the legal moves, then walks each move.
    // Every request is undone or refused, and must leave the position as it was.
    void Walk(int depth) {
        ++nodes;
        const EngineState before = state();
        std::set<std::string> accepted;
        for (SquareIndex from = 1; from <= 64; ++from) {
            const BoardSquare& square = state().Squares[from];
            if (!square.Occupied || square.Piece.IsWhite != state().WhitesTurn) {
                continue;
            }
            for (SquareIndex to = 1; to <= 64; ++to) {
                const std::string move = SquareIndexToName(from) + SquareIndexToName(to);
                if (Move(move)) {
                    accepted.insert(move);
                    EXPECT_TRUE(engine.UndoLastMove());
                }
                ASSERT_PRED_FORMAT2(SameStates, before, state()) << move;
            }
        }
        const Grid grid = GridOf(state());
        ASSERT_EQ(accepted, LegalMoves(grid)) << Board(state());
        leaves += depth == 1;
        stalemates += depth == 1 && accepted.empty() && KingSafe(grid, grid.whiteToMove);
        for (const std::string& move : depth > 1 ? accepted : std::set<std::string>{}) {
            // A pawn reaching the last row is walked once for each piece it may become.
            const bool promotion =
                ShapeOf(state().Squares[SquareNameToIndex(move.substr(0, 2))].Piece.Kind) ==
                    Shape::Pawn &&
                (move[3] == '8' || move[3] == '1');
            for (PieceType shape = 1; shape <= (promotion ? 4 : 1); ++shape) {
                journal.promotionAnswer = PieceOf(static_cast<Shape>(shape), grid.whiteToMove);
                ASSERT_TRUE(Move(move));
                Walk(depth - 1);
                ASSERT_TRUE(engine.UndoLastMove());
            }
        }
    }
};

TEST_F(Legality, AcceptedRequestsAreExactlyTheLegalMoves) {
    const std::pair<std::string_view, int> positions[] = {
        {"start w", 3},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w", 2}, // castling, pins
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w", 3},                         // en passant along a rank
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w", 2},   // promotions
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w", 2},          // promotion into check
        {"r3k2r/8/8/8/3pP3/8/8/R3K2R b", 2},
    };
    for (const auto& [setup, depth] : positions) {
        SCOPED_TRACE(setup);
        SetUpBoard(setup);
        Walk(depth);
    }
    EXPECT_GT(nodes, 500u);
}

TEST_F(Legality, APublishedPerftCountWithStalematesIsMet) {
    // Six plies from here give 2217 positions in the published perft tables; the perft tool's
    // stalemate column for it (tests/engine/CMakeLists.txt) is checked here independently.
    SetUpBoard("K1k5/8/P7/8/8/8/8/8 w");
    Walk(7);
    EXPECT_EQ(leaves, 2217u);
    EXPECT_EQ(stalemates, 29u);
}

} // namespace
} // namespace quorrin::testing
