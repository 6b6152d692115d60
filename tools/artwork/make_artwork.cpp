// Generates Quorrin's pictures: the piece layers and drag icons (at normal, double and triple
// density), the window background, the program icons and the About box images (the icon and the
// About box's pictures at double density too).
//
//   make_artwork <assets-dir> [--preview <dir>]   write the pictures, then check them
//   make_artwork --check <assets-dir>             only check the pictures already there
//
// Output is deterministic. The piece layers are checked before anything is written, and the
// written files are read back and checked again. --preview adds contact sheets of the pieces
// (not shipped) for judging them by eye.
#include "ArtworkCheck.h"
#include "PieceGlyphs.h"
#include "PieceLayers.h"
#include "PiecePainter.h"
#include "Preview.h"
#include "Scenery.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdio>

using namespace quorrin::artwork;

namespace {

const QString PieceFont = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
const QString BoldFont = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
constexpr int DecorationCount = 7;

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

int Fail(const QString& message) {
    std::fprintf(stderr, "make_artwork: %s\n", qPrintable(message));
    return 1;
}

int Check(const QDir& assets) {
    const QStringList faults = CheckArtwork(assets);
    for (const QString& fault : faults) {
        std::fprintf(stderr, "make_artwork: %s: %s\n", qPrintable(assets.path()),
                     qPrintable(fault));
    }
    return faults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Rendering needs no screen; pick the offscreen platform unless the caller chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    const QStringList arguments = app.arguments().mid(1);
    QString previewDir;
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--check")) {
        return Check(QDir(arguments[1]));
    }
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--preview")) {
        previewDir = arguments[2];
    } else if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: make_artwork <assets-dir> [--preview <dir>]\n"
                             "       make_artwork --check <assets-dir>\n");
        return 2;
    }
    const QDir assets(arguments[0]);
    if (!assets.mkpath(QStringLiteral("icons"))) {
        return Fail(QStringLiteral("cannot create %1/icons").arg(assets.path()));
    }

    PieceGlyphs glyphs;
    if (!glyphs.Load(PieceFont)) {
        return Fail(QStringLiteral("cannot load the chess symbols of %1").arg(PieceFont));
    }
    const PiecePainter painter(glyphs);

    // Each density is drawn from the designs at its own size, never scaled from another; the
    // normal-density pieces are kept for the preview.
    PieceLayers layers;
    QList<QImage> icons;
    bool saved = true;
    for (const int scale : Scales) {
        QList<QImage> scaledIcons;
        QList<QColor> edges;
        for (int code = 0; code < PieceCount; ++code) {
            scaledIcons.append(painter.Render(code, CellSize * scale));
            edges.append(PiecePainter::EdgeColour(code));
        }
        const PieceLayers scaled = SplitIntoLayers(scaledIcons, edges);
        if (const QString fault = CheckLayers(scaled.andLayer, scaled.orLayer); !fault.isEmpty()) {
            return Fail(fault);
        }
        auto path = [&](const QString& name) { return assets.filePath(ScaledName(name, scale)); };
        saved = saved && Save(scaled.andLayer, path(QStringLiteral("pieces-and.png"))) &&
                Save(scaled.orLayer, path(QStringLiteral("pieces-or.png")));
        for (int code = 0; saved && code < PieceCount; ++code) {
            const QString name = QStringLiteral("icons/piece-%1.png").arg(code, 2, 10, QChar('0'));
            saved = Save(scaledIcons[code].convertToFormat(QImage::Format_ARGB32), path(name));
        }
        if (scale == 1) {
            layers = scaled;
            icons = scaledIcons;
        }
    }

    Scenery scenery(glyphs);
    if (saved && !scenery.LoadFont(BoldFont)) {
        return Fail(QStringLiteral("cannot load %1").arg(BoldFont));
    }
    saved = saved &&
            Save(scenery.Background(), assets.filePath(QStringLiteral("background.png"))) &&
            Save(scenery.Emblem(32), assets.filePath(QStringLiteral("quorrin-32.png"))) &&
            Save(scenery.Emblem(64), assets.filePath(QStringLiteral("quorrin-32@2x.png"))) &&
            Save(scenery.Emblem(256), assets.filePath(QStringLiteral("quorrin-256.png")));
    for (const int size : ThemeIconSizes) {
        saved = saved && Save(scenery.Emblem(size),
                              assets.filePath(QStringLiteral("quorrin-%1.png").arg(size)));
    }
    // The About box's pictures at normal and double density.
    for (int scale = 1; saved && scale <= 2; ++scale) {
        auto path = [&](const QString& name) { return assets.filePath(ScaledName(name, scale)); };
        saved = Save(scenery.OkButton(scale), path(QStringLiteral("about-ok.png")));
        for (int n = 1; saved && n <= DecorationCount; ++n) {
            saved = Save(scenery.Decoration(n, scale),
                         path(QStringLiteral("about-deco-%1.png").arg(n)));
        }
    }
    if (!saved || Check(assets) != 0) {
        return 1;
    }

    if (!previewDir.isEmpty()) {
        const QDir preview(previewDir);
        preview.mkpath(QStringLiteral("."));
        const QImage black = PiecePreview(layers, icons, 0, PieceCount / 2, 3);
        const QImage white = PiecePreview(layers, icons, PieceCount / 2, PieceCount / 2, 3);
        if (!Save(black, preview.filePath(QStringLiteral("preview-black.png"))) ||
            !Save(white, preview.filePath(QStringLiteral("preview-white.png"))) ||
            !Save(DetailPreview(layers, 0, PieceCount / 2, 5),
                  preview.filePath(QStringLiteral("preview-detail-black.png"))) ||
            !Save(DetailPreview(layers, PieceCount / 2, PieceCount / 2, 5),
                  preview.filePath(QStringLiteral("preview-detail-white.png"))) ||
            !Save(BoardPreview(layers), preview.filePath(QStringLiteral("preview-board.png")))) {
            return 1;
        }
    }
    return 0;
}
