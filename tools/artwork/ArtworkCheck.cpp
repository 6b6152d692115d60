#include "ArtworkCheck.h"

#include "PieceLayers.h"
#include "Scenery.h"

#include <QImage>
#include <QImageReader>
#include <QSize>

namespace quorrin::artwork {

namespace {

constexpr QRgb White = 0xffffff;

struct Expected {
    QString name;
    QSize size;
    bool translucent;
};

// Loads a picture and reports when it is missing, of another size, or has (or lacks) an
// alpha channel.
QImage LoadChecked(const QDir& assets, const Expected& expected, QStringList& faults) {
    QImageReader reader(assets.filePath(expected.name));
    QImage image = reader.read();
    if (image.isNull()) {
        faults
            << QStringLiteral("%1: cannot be read (%2)").arg(expected.name, reader.errorString());
        return {};
    }
    if (image.size() != expected.size) {
        faults << QStringLiteral("%1: %2 x %3 pixels, expected %4 x %5")
                      .arg(expected.name)
                      .arg(image.width())
                      .arg(image.height())
                      .arg(expected.size.width())
                      .arg(expected.size.height());
    }
    if (image.hasAlphaChannel() != expected.translucent) {
        faults << QStringLiteral("%1: %2").arg(
            expected.name, expected.translucent ? QStringLiteral("has no alpha channel")
                                                : QStringLiteral("must be opaque"));
    }
    return image;
}

// Every cell holds a piece, and the outermost row and columns of each cell are left to
// the square so that neighbouring pieces never touch.
void CheckCells(const QImage& andLayer, const QString& name, QStringList& faults) {
    const QImage mask = andLayer.convertToFormat(QImage::Format_RGB32);
    const int cell = mask.height();
    for (int code = 0; code < PieceCount; ++code) {
        bool covered = false;
        bool marginClear = true;
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                const bool inside = (mask.pixel(code * cell + x, y) & White) == 0;
                covered = covered || inside;
                const bool margin = x == 0 || x == cell - 1 || y == 0 || y == cell - 1;
                marginClear = marginClear && !(inside && margin);
            }
        }
        if (!covered) {
            faults << QStringLiteral("%1: cell %2 is empty").arg(name).arg(code);
        }
        if (!marginClear) {
            faults << QStringLiteral("%1: the piece in cell %2 touches its border")
                          .arg(name)
                          .arg(code);
        }
    }
}

void CheckIcon(const QImage& icon, const QString& name, QStringList& faults) {
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            opaque += qAlpha(argb.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    if (opaque == 0) {
        faults << QStringLiteral("%1: shows no piece").arg(name);
    }
    if (qAlpha(argb.pixel(0, 0)) != 0) {
        faults << QStringLiteral("%1: the ground around the piece is not transparent").arg(name);
    }
}

} // namespace

QStringList CheckArtwork(const QDir& assets) {
    QStringList faults;
    for (const int scale : Scales) {
        const int cell = CellSize * scale;
        const QSize strip(cell * PieceCount, cell);
        const QString andName = ScaledName(QStringLiteral("pieces-and.png"), scale);
        const QImage andLayer = LoadChecked(assets, {andName, strip, false}, faults);
        const QImage orLayer = LoadChecked(
            assets, {ScaledName(QStringLiteral("pieces-or.png"), scale), strip, false}, faults);
        if (!andLayer.isNull() && !orLayer.isNull()) {
            const QString fault = CheckLayers(andLayer, orLayer);
            if (!fault.isEmpty()) {
                faults << QStringLiteral("%1: %2").arg(andName, fault);
            } else {
                CheckCells(andLayer, andName, faults);
            }
        }

        for (int code = 0; code < PieceCount; ++code) {
            const QString name = ScaledName(
                QStringLiteral("icons/piece-%1.png").arg(code, 2, 10, QChar('0')), scale);
            const QImage icon = LoadChecked(assets, {name, QSize(cell, cell), true}, faults);
            if (!icon.isNull()) {
                CheckIcon(icon, name, faults);
            }
        }
    }

    const Expected others[] = {{QStringLiteral("background.png"), QSize(800, 600), false},
                               {QStringLiteral("quorrin-32.png"), QSize(32, 32), true},
                               {QStringLiteral("quorrin-32@2x.png"), QSize(64, 64), true},
                               {QStringLiteral("quorrin-256.png"), QSize(256, 256), true}};
    for (const Expected& expected : others) {
        LoadChecked(assets, expected, faults);
    }
    for (const int size : ThemeIconSizes) {
        LoadChecked(assets, {QStringLiteral("quorrin-%1.png").arg(size), QSize(size, size), true},
                    faults);
    }
    for (int scale = 1; scale <= 2; ++scale) {
        LoadChecked(
            assets,
            {ScaledName(QStringLiteral("about-ok.png"), scale), QSize(222, 79) * scale, false},
            faults);
        for (int n = 1; n <= 7; ++n) {
            LoadChecked(assets,
                        {ScaledName(QStringLiteral("about-deco-%1.png").arg(n), scale),
                         QSize(24, 24) * scale, false},
                        faults);
        }
    }
    return faults;
}

} // namespace quorrin::artwork
