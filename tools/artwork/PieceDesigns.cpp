#include "PieceDesigns.h"

#include <QPolygonF>

#include <initializer_list>

namespace quorrin::artwork {

namespace {

QPainterPath Box(qreal left, qreal top, qreal right, qreal bottom, qreal radius = 0.0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(left, top), QPointF(right, bottom)), radius, radius);
    return path;
}

QPainterPath Disc(qreal x, qreal y, qreal radius) {
    QPainterPath path;
    path.addEllipse(QPointF(x, y), radius, radius);
    return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

QPainterPath Union(std::initializer_list<QPainterPath> parts) {
    QPainterPath result;
    for (const QPainterPath& part : parts) {
        result = result.united(part);
    }
    return result.simplified();
}

// A horizontal detail line across the piece, one unit thick, on the row below `y`.
void AddRule(QPainterPath& details, qreal left, qreal right, qreal y) {
    details.moveTo(left, y + 0.5);
    details.lineTo(right, y + 0.5);
}

// The foot that every piece stands on.
QPainterPath Plinth() {
    return Box(7, 27, 25, DesignBaseLine, 1.0);
}

// A body that flares from a narrow waist at `top` to the plinth, with concave sides.
QPainterPath FlaredBody(qreal topHalfWidth, qreal top, qreal bottomHalfWidth) {
    QPainterPath path;
    path.moveTo(16 - topHalfWidth, top);
    path.cubicTo(16 - topHalfWidth, top + 4, 16 - bottomHalfWidth + 1.5, 24.5, 16 - bottomHalfWidth,
                 27);
    path.lineTo(16 + bottomHalfWidth, 27);
    path.cubicTo(16 + bottomHalfWidth - 1.5, 24.5, 16 + topHalfWidth, top + 4, 16 + topHalfWidth,
                 top);
    path.closeSubpath();
    return path;
}

PieceDesign Pawn() {
    PieceDesign design;
    design.silhouette =
        Union({Disc(16, 8.5, 4.5), Box(10.5, 13, 21.5, 16, 1.5), FlaredBody(3.5, 16, 8), Plinth()});
    design.body = design.silhouette;
    AddRule(design.details, 11, 21, 15);
    AddRule(design.details, 8, 24, 27);
    return design;
}

PieceDesign Rook() {
    PieceDesign design;
    const QPainterPath battlements =
        Box(8, 3, 24, 10).subtracted(Box(11, 2, 14, 6)).subtracted(Box(18, 2, 21, 6));
    design.silhouette = Union({battlements, Polygon({{10.5, 10}, {21.5, 10}, {22, 24}, {10, 24}}),
                               Box(8, 24, 24, 27), Box(6, 27, 26, DesignBaseLine, 1.0)});
    design.body = design.silhouette;
    AddRule(design.details, 8, 24, 24);
    AddRule(design.details, 6, 26, 27);
    return design;
}

PieceDesign Bishop() {
    QPainterPath mitre;
    mitre.moveTo(16, 5.5);
    mitre.cubicTo(20, 8, 22.5, 12, 21, 17);
    mitre.lineTo(11, 17);
    mitre.cubicTo(9.5, 12, 12, 8, 16, 5.5);
    mitre.closeSubpath();

    PieceDesign design;
    design.silhouette = Union(
        {Disc(16, 4.5, 2.0), mitre, Box(10, 17, 22, 20, 1.0), FlaredBody(3.5, 20, 6.5), Plinth()});
    design.body = design.silhouette;
    design.details.moveTo(18.6, 8.8);
    design.details.lineTo(14.6, 13.2);
    AddRule(design.details, 10, 22, 17);
    AddRule(design.details, 10, 22, 19);
    AddRule(design.details, 7, 25, 27);
    return design;
}

// The band, waist and plinth under the crowns of the king and the queen.
QPainterPath RoyalBase() {
    return Union({Box(8, 20, 24, 23, 1.0), Box(9.5, 23, 22.5, 27), Plinth()});
}

void AddRoyalRules(QPainterPath& details) {
    AddRule(details, 8, 24, 20);
    AddRule(details, 8, 24, 22);
    AddRule(details, 7, 25, 27);
}

PieceDesign Queen() {
    // Five points with a ball on each; shallow valleys keep the crown solid at small sizes.
    const QPainterPath crown = Polygon({{9, 21},
                                        {5.5, 9.5},
                                        {10, 14},
                                        {10.3, 6.5},
                                        {13.5, 13},
                                        {16, 5.5},
                                        {18.5, 13},
                                        {21.7, 6.5},
                                        {22, 14},
                                        {26.5, 9.5},
                                        {23, 21}});
    PieceDesign design;
    design.silhouette = Union({crown, Disc(5.5, 9.5, 2.0), Disc(10.3, 6.5, 2.0), Disc(16, 5.5, 2.0),
                               Disc(21.7, 6.5, 2.0), Disc(26.5, 9.5, 2.0), RoyalBase()});
    design.body = design.silhouette;
    AddRoyalRules(design.details);
    return design;
}

PieceDesign King() {
    QPainterPath cup;
    cup.moveTo(9.5, 21);
    cup.cubicTo(7, 18, 4.5, 15, 5.5, 12.5);
    cup.cubicTo(6.5, 9.5, 11, 8.5, 16, 11.5);
    cup.cubicTo(21, 8.5, 25.5, 9.5, 26.5, 12.5);
    cup.cubicTo(27.5, 15, 25, 18, 22.5, 21);
    cup.closeSubpath();

    PieceDesign design;
    // The cross stands in the dip between the two lobes of the crown.
    design.silhouette = Union({Box(15, 2, 17, 12), Box(13, 4, 19, 6), cup, RoyalBase()});
    design.body = design.silhouette;
    AddRoyalRules(design.details);
    return design;
}

PieceDesign Knight(const PieceGlyphs& glyphs) {
    const QPainterPath head = glyphs.Solid(PieceShape::Knight, QPointF(16.5, 27.5), 24.5);
    PieceDesign design;
    design.silhouette = Union({FilledSilhouette(head), Plinth()});
    design.body = Union({head, Plinth()});
    AddRule(design.details, 7, 25, 27);
    return design;
}

} // namespace

PieceDesign DesignOf(PieceShape shape, const PieceGlyphs& glyphs) {
    switch (shape) {
    case PieceShape::King:
        return King();
    case PieceShape::Queen:
        return Queen();
    case PieceShape::Rook:
        return Rook();
    case PieceShape::Knight:
        return Knight(glyphs);
    case PieceShape::Bishop:
        return Bishop();
    case PieceShape::Pawn:
        return Pawn();
    }
    return {};
}

} // namespace quorrin::artwork
