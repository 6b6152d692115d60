// A contact sheet of the piece artwork, for judging it by eye. Not shipped.
#pragma once

#include "PieceLayers.h"

#include <QImage>
#include <QList>

namespace quorrin::artwork {

// Pieces firstCode .. firstCode + count - 1 composed from their layers on 51-pixel squares of
// several colours (the board's light and dark defaults first), followed by a row of their drag
// icons on a checkerboard, all enlarged `zoom` times without smoothing.
QImage PiecePreview(const PieceLayers& layers, const QList<QImage>& icons, int firstCode, int count,
                    int zoom);

// A close-up of pieces firstCode .. firstCode + count - 1 on the board's light and dark squares,
// with a two-pixel margin around each cell, enlarged `zoom` times without smoothing.
QImage DetailPreview(const PieceLayers& layers, int firstCode, int count, int zoom);

// The start position on a full board of 51-pixel squares in the default colours, at 1:1.
QImage BoardPreview(const PieceLayers& layers);

} // namespace quorrin::artwork
