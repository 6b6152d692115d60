// The piece pictures: the AND and OR layers that compose a piece onto a square, and the
// twelve icons that the pointer shows while a piece is carried, at every device pixel ratio.
#pragma once

#include "engine/Pieces.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <array>
#include <memory>
#include <vector>

namespace quorrin {

class PieceArtwork {
public:
    static constexpr int CellPixels = 32; // a piece cell is 32 x 32 logical pixels
    static constexpr int LayerWidth = CellPixels * PieceTypeCount;

    // The pictures for one device pixel ratio: a cell is CellPixels * ratio device pixels
    // (rounded), the icons carry the ratio as their devicePixelRatio.
    struct Density {
        qreal ratio = 1;
        int cell = CellPixels;
        QImage andLayer; // Format_RGB32 (fully opaque), cell n at x = cell * n
        QImage orLayer;
        std::array<QPixmap, PieceTypeCount> icons;
        std::array<QCursor, PieceTypeCount> cursors; // hot spot in the middle

        QRect Cell(PieceType kind) const { return {kind * cell, 0, cell, cell}; }
    };

    // The artwork shared by all boards alive, decoded from the resources when the first
    // board needs it and freed with the last. Needs a QGuiApplication.
    static std::shared_ptr<const PieceArtwork> Shared();

    PieceArtwork(const PieceArtwork&) = delete;
    PieceArtwork& operator=(const PieceArtwork&) = delete;

    // The pictures for a device pixel ratio. Ratios 1, 2 and 3 have pictures of their own;
    // any other ratio above 1 gets the next larger set resampled to its size, made once and
    // kept. A ratio up to 1 gets the normal pictures.
    const Density& At(qreal ratio) const;

    // Normal density: 384 x 32 layers, 32 x 32 icons.
    const QImage& AndLayer() const { return At(1).andLayer; }
    const QImage& OrLayer() const { return At(1).orLayer; }
    static QRect Cell(PieceType kind) { return {kind * CellPixels, 0, CellPixels, CellPixels}; }
    const QPixmap& Icon(PieceType kind) const { return At(1).icons[kind]; }
    // The pointer showing a piece, sharp on a screen of the given ratio.
    const QCursor& Cursor(PieceType kind, qreal ratio = 1) const { return At(ratio).cursors[kind]; }

private:
    PieceArtwork();

    // Densities made so far, normal density first.
    mutable std::vector<std::unique_ptr<Density>> densities_;
};

} // namespace quorrin
