// Chess piece outlines taken from the chess symbols of a TrueType font.
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>

namespace quorrin::artwork {

// Piece shapes in the board's piece-code order within one colour:
// king, queen, rook, knight, bishop, pawn.
enum class PieceShape { King, Queen, Rook, Knight, Bishop, Pawn };

// The shape of piece code 0..11 (black 0..5, white 6..11).
constexpr PieceShape ShapeOfCode(int code) {
    return static_cast<PieceShape>(code % 6);
}
constexpr bool IsWhiteCode(int code) {
    return code >= 6;
}

// Loads the solid and the hollow chess glyphs of one font and hands them out scaled so that
// every piece has the same height and its base sits on a given line.
class PieceGlyphs {
public:
    // Opens the font file; false when it cannot be read or lacks the chess symbols.
    bool Load(const QString& fontFile);

    // The solid glyph: the piece's body, with its inner detail cut out as holes.
    QPainterPath Solid(PieceShape shape, const QPointF& baseCentre, qreal height) const;
    // The hollow glyph: the piece's outline and inner detail lines as filled strokes.
    QPainterPath Hollow(PieceShape shape, const QPointF& baseCentre, qreal height) const;

private:
    QPainterPath Placed(char32_t symbol, const QPointF& baseCentre, qreal height) const;

    QRawFont font_;
};

// The region enclosed by the outer contours of a glyph: every hole filled.
QPainterPath FilledSilhouette(const QPainterPath& glyph);

} // namespace quorrin::artwork
