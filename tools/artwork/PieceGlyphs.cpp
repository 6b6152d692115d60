#include "PieceGlyphs.h"

#include <QPolygonF>
#include <QTransform>

namespace quorrin::artwork {

namespace {

// Unicode orders the chess symbols king, queen, rook, bishop, knight, pawn; the board's codes
// put the knight before the bishop.
char32_t SymbolOffset(PieceShape shape) {
    switch (shape) {
    case PieceShape::King:
        return 0;
    case PieceShape::Queen:
        return 1;
    case PieceShape::Rook:
        return 2;
    case PieceShape::Knight:
        return 4;
    case PieceShape::Bishop:
        return 3;
    case PieceShape::Pawn:
        return 5;
    }
    return 0;
}

constexpr char32_t HollowKing = 0x2654;
constexpr char32_t SolidKing = 0x265A;
// Glyph outlines are fetched large so the curves keep their precision before scaling down.
constexpr qreal DesignSize = 1000.0;

} // namespace

bool PieceGlyphs::Load(const QString& fontFile) {
    font_ = QRawFont(fontFile, DesignSize);
    if (!font_.isValid()) {
        return false;
    }
    for (char32_t symbol = HollowKing; symbol <= SolidKing + 5; ++symbol) {
        if (!font_.supportsCharacter(symbol)) {
            return false;
        }
    }
    return true;
}

QPainterPath PieceGlyphs::Solid(PieceShape shape, const QPointF& baseCentre, qreal height) const {
    return Placed(SolidKing + SymbolOffset(shape), baseCentre, height);
}

QPainterPath PieceGlyphs::Hollow(PieceShape shape, const QPointF& baseCentre, qreal height) const {
    return Placed(HollowKing + SymbolOffset(shape), baseCentre, height);
}

QPainterPath PieceGlyphs::Placed(char32_t symbol, const QPointF& baseCentre, qreal height) const {
    const QString text = QString::fromUcs4(&symbol, 1);
    const QList<quint32> glyphs = font_.glyphIndexesForString(text);
    const QPainterPath raw = font_.pathForGlyph(glyphs.value(0));

    // Scale by the glyph's own height, centre it horizontally and stand it on the base line.
    // The solid and hollow forms of a piece share their bounds, so they stay in register.
    const QRectF bounds = raw.boundingRect();
    const qreal scale = height / bounds.height();
    QTransform placement;
    placement.translate(baseCentre.x(), baseCentre.y());
    placement.scale(scale, scale);
    placement.translate(-bounds.center().x(), -bounds.bottom());
    return placement.map(raw);
}

QPainterPath FilledSilhouette(const QPainterPath& glyph) {
    // A hole is a contour of its own; filling every contour separately and joining the
    // results covers the holes while leaving the space outside the piece open.
    QPainterPath filled;
    filled.setFillRule(Qt::WindingFill);
    for (const QPolygonF& contour : glyph.toSubpathPolygons()) {
        QPainterPath part;
        part.addPolygon(contour);
        part.closeSubpath();
        filled = filled.united(part);
    }
    return filled;
}

} // namespace quorrin::artwork
