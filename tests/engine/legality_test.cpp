// Legality cross-check: in a set of positions and a few plies deep, the requests the engine
// accepts are exactly the legal moves found by a plain generator written here on its own.
#include "EngineTestSupport.h"

#include <cctype>
#include <cstdlib>
#include <set>

namespace quorrin::testing {
namespace {

// A board of characters, rows from rank 8 down to rank 1, '.' for an empty square.
struct Grid {
    char at[8][8];
    bool whiteToMove;
    int enPassantFile; // file 0..7 of a pawn that just made a double step, or -1
    bool castle[2][2]; // [white, black][king side, queen side]
};

bool OnBoard(int row, int file) {
    return row >= 0 && row < 8 && file >= 0 && file < 8;
}
bool IsWhitePiece(char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Whether a piece of colour byWhite attacks (row, file).
bool Attacked(const Grid& g, int row, int file, bool byWhite) {
    auto is = [&](int r, int f, char lowerKind) {
        return OnBoard(r, f) && g.at[r][f] != '.' && IsWhitePiece(g.at[r][f]) == byWhite &&
               Lower(g.at[r][f]) == lowerKind;
    };
    const int pawnRow = byWhite ? row + 1 : row - 1; // where an attacking pawn would stand
    if (is(pawnRow, file - 1, 'p') || is(pawnRow, file + 1, 'p')) {
        return true;
    }
    for (int dr = -2; dr <= 2; ++dr) {
        for (int df = -2; df <= 2; ++df) {
            if (dr * dr + df * df == 5 && is(row + dr, file + df, 'n')) {
                return true;
            }
            if (std::abs(dr) <= 1 && std::abs(df) <= 1 && (dr || df) &&
                is(row + dr, file + df, 'k')) {
                return true;
            }
        }
    }
    for (int dr = -1; dr <= 1; ++dr) {
        for (int df = -1; df <= 1; ++df) {
            if (!dr && !df) {
                continue;
            }
            const char slider = (dr && df) ? 'b' : 'r';
            for (int r = row + dr, f = file + df; OnBoard(r, f); r += dr, f += df) {
                if (g.at[r][f] != '.') {
                    if (is(r, f, slider) || is(r, f, 'q')) {
                        return true;
                    }
                    break;
                }
            }
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

std::string Name(int row, int file) {
    return {static_cast<char>('a' + file), static_cast<char>('8' - row)};
}

// The legal moves of the side to move as "e2e4", promotions counted once.
std::set<std::string> LegalMoves(const Grid& g) {
    const bool white = g.whiteToMove;
    std::set<std::string> moves;
    auto tryMove = [&](int r0, int f0, int r1, int f1, bool enPassant = false) {
        if (!OnBoard(r1, f1)) {
            return;
        }
        const char target = g.at[r1][f1];
        if (target != '.' && IsWhitePiece(target) == white) {
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
            const char piece = g.at[r][f];
            if (piece == '.' || IsWhitePiece(piece) != white) {
                continue;
            }
            const char kind = Lower(piece);
            if (kind == 'p') {
                const int ahead = white ? -1 : 1;
                const int startRow = white ? 6 : 1;
                if (OnBoard(r + ahead, f) && g.at[r + ahead][f] == '.') {
                    tryMove(r, f, r + ahead, f);
                    if (r == startRow && g.at[r + 2 * ahead][f] == '.') {
                        tryMove(r, f, r + 2 * ahead, f);
                    }
                }
                for (const int side : {-1, 1}) {
                    if (!OnBoard(r + ahead, f + side)) {
                        continue;
                    }
                    if (g.at[r + ahead][f + side] != '.') {
                        tryMove(r, f, r + ahead, f + side);
                    } else if (f + side == g.enPassantFile && r == (white ? 3 : 4)) {
                        tryMove(r, f, r + ahead, f + side, true);
                    }
                }
            } else if (kind == 'n' || kind == 'k') {
                for (int dr = -2; dr <= 2; ++dr) {
                    for (int df = -2; df <= 2; ++df) {
                        const bool jump = dr * dr + df * df == 5;
                        const bool step = std::abs(dr) <= 1 && std::abs(df) <= 1 && (dr || df);
                        if (kind == 'n' ? jump : step) {
                            tryMove(r, f, r + dr, f + df);
                        }
                    }
                }
            } else {
                for (int dr = -1; dr <= 1; ++dr) {
                    for (int df = -1; df <= 1; ++df) {
                        const bool diagonal = dr && df;
                        if ((!dr && !df) || (kind == 'r' && diagonal) ||
                            (kind == 'b' && !diagonal)) {
                            continue;
                        }
                        for (int r1 = r + dr, f1 = f + df; OnBoard(r1, f1); r1 += dr, f1 += df) {
                            tryMove(r, f, r1, f1);
                            if (g.at[r1][f1] != '.') {
                                break;
                            }
                        }
                    }
                }
            }
        }
    }
    // Castling: rights, empty squares between, and no attacked square on the king's path.
    const int home = white ? 7 : 0;
    for (const bool kingSide : {true, false}) {
        if (!g.castle[white ? 0 : 1][kingSide ? 0 : 1]) {
            continue;
        }
        const int rookFile = kingSide ? 7 : 0;
        const int step = kingSide ? 1 : -1;
        bool clear = true;
        for (int f = 4 + step; f != rookFile; f += step) {
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
    for (int r = 0; r < 8; ++r) {
        for (int f = 0; f < 8; ++f) {
            const BoardSquare& square = state.Squares[r * 8 + f + 1];
            g.at[r][f] = '.';
            if (square.Occupied) {
                const char letter = "kqrnbp"[square.Piece.Kind % 6];
                g.at[r][f] =
                    square.Piece.IsWhite ? static_cast<char>(std::toupper(letter)) : letter;
            }
        }
    }
    g.whiteToMove = state.WhitesTurn;
    g.enPassantFile = state.EnPassantOpen ? state.EnPassantFile - 1 : -1;
    auto unmoved = [&](const char* square, PieceType kind) {
        const BoardSquare& s = state.Squares[SquareNameToIndex(square)];
        return s.Occupied && s.Piece.Kind == kind && !s.Piece.HasMoved;
    };
    g.castle[0][0] = unmoved("e1", WhiteKing) && unmoved("h1", WhiteRook);
    g.castle[0][1] = unmoved("e1", WhiteKing) && unmoved("a1", WhiteRook);
    g.castle[1][0] = unmoved("e8", BlackKing) && unmoved("h8", BlackRook);
    g.castle[1][1] = unmoved("e8", BlackKing) && unmoved("a8", BlackRook);
    return g;
}

class Legality : public EngineTest {
protected:
    std::size_t nodes = 0;

    // Every request from a square of the side to move that the engine accepts.
    std::set<std::string> AcceptedMoves() {
        std::set<std::string> accepted;
        for (SquareIndex from = 1; from <= 64; ++from) {
            const BoardSquare& square = state().Squares[from];
            if (!square.Occupied || square.Piece.IsWhite != state().WhitesTurn) {
                continue;
            }
            for (SquareIndex to = 1; to <= 64; ++to) {
                const EngineState before = state();
                if (engine.MovePiece(SquareIndexToName(from), SquareIndexToName(to))) {
                    accepted.insert(SquareIndexToName(from) + SquareIndexToName(to));
                    EXPECT_TRUE(engine.UndoLastMove());
                }
                EXPECT_EQ(StateDifferences(before, state()), "");
            }
        }
        return accepted;
    }

    void Walk(int depth) {
        ++nodes;
        const std::set<std::string> accepted = AcceptedMoves();
        ASSERT_EQ(accepted, LegalMoves(GridOf(state()))) << Diagram(state());
        if (depth <= 1) {
            return;
        }
        for (const std::string& move : accepted) {
            ASSERT_TRUE(Move(move));
            Walk(depth - 1);
            ASSERT_TRUE(engine.UndoLastMove());
        }
    }
};

struct Position {
    const char* name;
    std::string_view diagram;
    bool whiteToMove;
    int depth;
};

TEST_F(Legality, AcceptedRequestsAreExactlyTheLegalMoves) {
    const Position positions[] = {
        {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, 3},
        {"castling and pins", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, 2},
        {"en passant along a rank", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", true, 3},
        {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", true, 2},
        {"promotion into check", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R", true, 2},
        {"black to move", "r3k2r/8/8/8/3pP3/8/8/R3K2R", false, 2},
    };
    for (const Position& p : positions) {
        SCOPED_TRACE(p.name);
        ASSERT_TRUE(engine.NewGame(Layout(p.diagram), p.whiteToMove));
        Walk(p.depth);
    }
    EXPECT_GT(nodes, 500u);
}

} // namespace
} // namespace quorrin::testing
