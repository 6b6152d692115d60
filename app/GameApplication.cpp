#include "GameApplication.h"

#include "QuorrinVersion.h"

#include <QApplication>

namespace quorrin {

namespace {

QtMessageHandler passOn = nullptr;

// Qt's PulseAudio backend complains on standard error when no sound server runs; the program
// then plays no sound, quietly, and a desktop program prints nothing in normal use.
void QuietSoundBackend(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("PulseAudioService:"))) {
        return;
    }
    passOn(type, context, text);
}

} // namespace

void SetUpGameApplication() {
    QApplication::setApplicationName(QStringLiteral("quorrin"));
    QApplication::setApplicationVersion(QLatin1String(Version));
    QApplication::setQuitOnLastWindowClosed(true);
    if (passOn == nullptr) {
        passOn = qInstallMessageHandler(QuietSoundBackend);
    }
}

} // namespace quorrin
