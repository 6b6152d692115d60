// The drawings of the six chess pieces, in a 32 x 32 unit square.
#pragma once

#include "PieceGlyphs.h"

#include <QPainterPath>

namespace quorrin::artwork {

// Side of the square the designs are drawn in; one unit is one pixel of a 32-pixel cell.
constexpr qreal DesignSide = 32.0;

// One piece as flat shapes. Horizontal edges lie on whole units and the pieces are symmetric
// about x = 16, so that at 32 pixels their outlines fall on pixel boundaries.
struct PieceDesign {
    // Everything that belongs to the piece, holes filled; this decides which pixels it covers.
    QPainterPath silhouette;
    // The area painted in the piece's colour: the silhouette less any cut-out detail.
    QPainterPath body;
    // Centre lines of the thin inner detail lines (ring edges, the bishop's slit).
    QPainterPath details;
};

// All pieces stand on a plinth whose foot is this line.
constexpr qreal DesignBaseLine = 30.0;

// The design of one piece. The knight's head is the font's knight symbol set on the common
// plinth; the other pieces are drawn from simple shapes.
PieceDesign DesignOf(PieceShape shape, const PieceGlyphs& glyphs);

} // namespace quorrin::artwork
