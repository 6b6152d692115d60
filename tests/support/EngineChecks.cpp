#include "EngineChecks.h"

#include <algorithm>
#include <sstream>
#include <tuple>

namespace quorrin::testing {

namespace {

std::string Name(int square) {
    const std::string name = SquareIndexToName(square);
    return square == 0 ? "-" : name.empty() ? "?" + std::to_string(square) : name;
}

} // namespace

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
    for (int k = 1; k <= 64; ++k) {
        const PieceState& p = s.Squares[k].Piece;
        out << (s.Squares[k].Occupied ? PieceCodes.at(p.Kind) : EmptyCode)
            << (s.Squares[k].Occupied && p.HasMoved ? "+" : " ") << (k % 8 == 0 ? "\n" : "");
    }
    out << (s.WhitesTurn ? "W" : "B") << " to move, kings " << Name(s.WhiteKingSquare) << " "
        << Name(s.BlackKingSquare) << ", en passant " << s.EnPassantOpen << " " << s.EnPassantFile
        << ", in progress " << s.EnPassantCapture << s.PromotionPending << ", last move "
        << Name(s.LastMoveFrom) << " " << Name(s.LastMoveTo) << "\nrecords (kind from to ep):";
    for (const MoveRecord& r : s.MoveHistory) {
        out << " " << static_cast<int>(r.Kind) << Name(r.FromSquare) << Name(r.ToSquare)
            << r.EnPassantOpen << r.EnPassantFile;
    }
    return out.str();
}

bool SameState(const EngineState& a, const EngineState& b, bool exact) {
    auto square = [exact](const BoardSquare& x, const BoardSquare& y) {
        return x.Occupied == y.Occupied && ((!exact && !x.Occupied) || x.Piece == y.Piece);
    };
    auto record = [exact](MoveRecord x, MoveRecord y) {
        for (MoveRecord* r : {&x, &y}) {
            r->CapturedPiece = exact || r->ToOccupied ? r->CapturedPiece : PieceState{};
        }
        return x == y;
    };
    return std::equal(a.Squares.begin(), a.Squares.end(), b.Squares.begin(), square) &&
           std::equal(a.MoveHistory.begin(), a.MoveHistory.end(), b.MoveHistory.begin(),
                      b.MoveHistory.end(), record) &&
           std::tie(a.WhitesTurn, a.WhiteKingSquare, a.BlackKingSquare, a.EnPassantOpen,
                    a.EnPassantFile, a.EnPassantByWhite, a.EnPassantCapture, a.PromotionPending,
                    a.LastMoveFrom, a.LastMoveTo) ==
               std::tie(b.WhitesTurn, b.WhiteKingSquare, b.BlackKingSquare, b.EnPassantOpen,
                        b.EnPassantFile, b.EnPassantByWhite, b.EnPassantCapture, b.PromotionPending,
                        b.LastMoveFrom, b.LastMoveTo) &&
           (!exact || std::tie(a.PromotionIsWhite, a.PromotionSquare) ==
                          std::tie(b.PromotionIsWhite, b.PromotionSquare));
}

std::string StateProblems(const EngineState& s) {
    SquareIndex kings[2] = {0, 0}; // black, white
    for (SquareIndex k = 1; k <= 64; ++k) {
        if (s.Squares[k].Occupied && ShapeOf(s.Squares[k].Piece.Kind) == Shape::King) {
            kings[s.Squares[k].Piece.IsWhite ? 1 : 0] = k;
        }
    }
    std::string problems;
    auto check = [&problems](bool holds, const std::string& what) {
        problems += holds ? "" : what + "\n";
    };
    check(s.WhiteKingSquare == kings[1] && s.BlackKingSquare == kings[0],
          "king squares " + Name(s.WhiteKingSquare) + " " + Name(s.BlackKingSquare) +
              ", board has " + Name(kings[1]) + " " + Name(kings[0]));
    check(!s.Squares[0].Occupied, "square 0 is occupied");
    check(!s.PromotionPending && !s.EnPassantCapture, "a move is left half-made");
    const MoveRecord last = s.MoveHistory.empty() ? MoveRecord{} : s.MoveHistory.back();
    const bool open = s.MoveHistory.empty() ? s.StartEnPassantOpen : last.EnPassantOpen;
    const SquareIndex file = s.MoveHistory.empty() ? s.StartEnPassantFile : last.EnPassantFile;
    check(s.EnPassantOpen == open && s.EnPassantFile == file,
          "en passant state is not the last record's");
    return problems;
}

} // namespace quorrin::testing
