// The piece pictures: the AND and OR layers that compose a piece onto a square, and the
// twelve icons that the pointer shows while a piece is carried.
#pragma once

#include "engine/BoardTypes.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <array>
#include <memory>

namespace quorrin {

class PieceArtwork {
public:
    static constexpr int CellPixels = 32; // a piece cell is 32 x 32 pixels
    static constexpr int LayerWidth = CellPixels * PieceTypeCount;

    // The artwork shared by all boards alive, decoded from the resources when the first
    // board needs it and freed with the last. Needs a QGuiApplication.
    static std::shared_ptr<const PieceArtwork> Shared();

    PieceArtwork(const PieceArtwork&) = delete;
    PieceArtwork& operator=(const PieceArtwork&) = delete;

    // 384 x 32, Format_RGB32 (fully opaque), cell n at x = 32 * n.
    const QImage& AndLayer() const { return andLayer_; }
    const QImage& OrLayer() const { return orLayer_; }
    // The cell of a piece in the layers.
    static QRect Cell(PieceType kind) { return {kind * CellPixels, 0, CellPixels, CellPixels}; }

    // 32 x 32 icon of a piece, and the pointer made from it (hot spot in the middle).
    const QPixmap& Icon(PieceType kind) const { return icons_[kind]; }
    const QCursor& Cursor(PieceType kind) const { return cursors_[kind]; }

private:
    PieceArtwork();

    QImage andLayer_;
    QImage orLayer_;
    std::array<QPixmap, PieceTypeCount> icons_;
    std::array<QCursor, PieceTypeCount> cursors_;
};

} // namespace quorrin
