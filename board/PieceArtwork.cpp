#include "board/PieceArtwork.h"

#include <QString>

// The resources live in a static library, so they are registered by hand.
static void RegisterBoardResources() {
    Q_INIT_RESOURCE(board);
}

namespace quorrin {

namespace {

// A layer from the resources as an opaque RGB32 image of the right size. A missing or
// misshapen picture gives a neutral layer (white for AND, black for OR) that leaves the
// square as it is, so a broken build shows empty squares rather than black ones.
QImage LoadLayer(const QString& path, QRgb neutral) {
    const QImage loaded(path);
    if (loaded.width() == PieceArtwork::LayerWidth && loaded.height() == PieceArtwork::CellPixels) {
        return loaded.convertToFormat(QImage::Format_RGB32);
    }
    QImage blank(PieceArtwork::LayerWidth, PieceArtwork::CellPixels, QImage::Format_RGB32);
    blank.fill(neutral);
    return blank;
}

QPixmap LoadIcon(const QString& path) {
    const QImage loaded(path);
    if (!loaded.isNull()) {
        return QPixmap::fromImage(loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    QPixmap blank(PieceArtwork::CellPixels, PieceArtwork::CellPixels);
    blank.fill(Qt::transparent);
    return blank;
}

} // namespace

PieceArtwork::PieceArtwork()
    : andLayer_(LoadLayer(QStringLiteral(":/board/pieces-and.png"), qRgb(255, 255, 255))),
      orLayer_(LoadLayer(QStringLiteral(":/board/pieces-or.png"), qRgb(0, 0, 0))) {
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        const QString path =
            QStringLiteral(":/board/icons/piece-%1.png").arg(kind, 2, 10, QLatin1Char('0'));
        icons_[kind] = LoadIcon(path);
        cursors_[kind] = QCursor(icons_[kind]);
    }
}

std::shared_ptr<const PieceArtwork> PieceArtwork::Shared() {
    static std::weak_ptr<const PieceArtwork> shared;
    std::shared_ptr<const PieceArtwork> artwork = shared.lock();
    if (!artwork) {
        RegisterBoardResources();
        artwork.reset(new PieceArtwork());
        shared = artwork;
    }
    return artwork;
}

} // namespace quorrin
