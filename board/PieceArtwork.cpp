#include "board/PieceArtwork.h"

#include <QString>

#include <algorithm>
#include <cmath>

// The resources live in a static library, so they are registered by hand.
static void RegisterBoardResources() {
    Q_INIT_RESOURCE(board);
}

namespace quorrin {

namespace {

// The densities drawn by the artwork generator, named "<name>@<scale>x.png" above 1.
constexpr int LargestScale = 3;

QString ResourcePath(const QString& name, int scale) {
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    return QStringLiteral(":/board/%1%2.png").arg(name, suffix);
}

// A layer from the resources as an opaque RGB32 image of the right size. A missing or
// misshapen picture gives a neutral layer (white for AND, black for OR) that leaves the
// square as it is, so a broken build shows empty squares rather than black ones.
QImage LoadLayer(const QString& path, int cell, QRgb neutral) {
    QImage loaded(path);
    if (loaded.width() == cell * PieceTypeCount && loaded.height() == cell) {
        // Qt reads a ratio from an "@2x" name; the layers are composed pixel for pixel.
        loaded.setDevicePixelRatio(1);
        return loaded.convertToFormat(QImage::Format_RGB32);
    }
    QImage blank(cell * PieceTypeCount, cell, QImage::Format_RGB32);
    blank.fill(neutral);
    return blank;
}

QPixmap LoadIcon(const QString& path, int cell) {
    const QImage loaded(path);
    QPixmap icon(cell, cell);
    if (!loaded.isNull()) {
        icon = QPixmap::fromImage(loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    } else {
        icon.fill(Qt::transparent);
    }
    return icon;
}

void MakeCursors(PieceArtwork::Density& density) {
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        density.icons[kind].setDevicePixelRatio(density.ratio);
        // The hot spot in the middle, counted in the icon's own (device) pixels as the
        // platform takes the picture pixel for pixel.
        density.cursors[kind] = QCursor(density.icons[kind], density.icons[kind].width() / 2,
                                        density.icons[kind].height() / 2);
    }
}

std::unique_ptr<PieceArtwork::Density> Drawn(int scale) {
    auto density = std::make_unique<PieceArtwork::Density>();
    density->ratio = scale;
    density->cell = PieceArtwork::CellPixels * scale;
    density->andLayer =
        LoadLayer(ResourcePath(QStringLiteral("pieces-and"), scale), density->cell, 0xffffffff);
    density->orLayer =
        LoadLayer(ResourcePath(QStringLiteral("pieces-or"), scale), density->cell, 0xff000000);
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        const QString name = QStringLiteral("icons/piece-%1").arg(kind, 2, 10, QLatin1Char('0'));
        density->icons[kind] = LoadIcon(ResourcePath(name, scale), density->cell);
    }
    MakeCursors(*density);
    return density;
}

// Resamples a drawn density to another ratio and keeps the AND/OR rule: both layers are
// averaged over the same areas, which gives for each new pixel the share that the piece
// covers (from the AND layer: black inside, white outside) and its colours summed over that
// share (from the OR layer, black outside). A pixel at least half covered belongs to the piece
// and takes the average colour of the piece within it; any other pixel is left to the square.
std::unique_ptr<PieceArtwork::Density> Resampled(const PieceArtwork::Density& source, qreal ratio) {
    auto density = std::make_unique<PieceArtwork::Density>();
    density->ratio = ratio;
    density->cell = std::max(1, qRound(PieceArtwork::CellPixels * ratio));
    const QSize size(density->cell * PieceTypeCount, density->cell);
    const QImage mask =
        source.andLayer.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    const QImage colours =
        source.orLayer.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    density->andLayer = QImage(size, QImage::Format_RGB32);
    density->orLayer = QImage(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto* maskLine = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto* colourLine = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        auto* andLine = reinterpret_cast<QRgb*>(density->andLayer.scanLine(y));
        auto* orLine = reinterpret_cast<QRgb*>(density->orLayer.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int covered = 255 - qGreen(maskLine[x]);
            if (2 * covered < 255) {
                andLine[x] = 0xffffffff;
                orLine[x] = 0xff000000;
                continue;
            }
            auto unshared = [covered](int sum) {
                return std::min(255, (sum * 255 + covered / 2) / covered);
            };
            andLine[x] = 0xff000000;
            orLine[x] = qRgb(unshared(qRed(colourLine[x])), unshared(qGreen(colourLine[x])),
                             unshared(qBlue(colourLine[x])));
        }
    }
    for (int kind = 0; kind < PieceTypeCount; ++kind) {
        density->icons[kind] = source.icons[kind].scaled(
            density->cell, density->cell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    MakeCursors(*density);
    return density;
}

} // namespace

PieceArtwork::PieceArtwork() {
    densities_.push_back(Drawn(1));
}

const PieceArtwork::Density& PieceArtwork::At(qreal ratio) const {
    const qreal wanted = ratio > 1 ? ratio : 1;
    for (const auto& density : densities_) {
        if (qFuzzyCompare(density->ratio, wanted)) {
            return *density;
        }
    }
    // The smallest drawn density at least as fine as wanted, or the finest there is.
    const int scale = std::min(LargestScale, static_cast<int>(std::ceil(wanted - 1e-9)));
    if (qFuzzyCompare(wanted, qreal(scale))) {
        densities_.push_back(Drawn(scale));
    } else {
        const Density& source = At(scale);
        densities_.push_back(Resampled(source, wanted));
    }
    return *densities_.back();
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
