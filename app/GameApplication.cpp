#include "GameApplication.h"

#include "QuorrinVersion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

// The program's words in the first of the user's languages (LANGUAGE, else LC_ALL, LC_MESSAGES,
// LANG) it has a translation for, else in English; Qt's own (standard buttons, file dialogs) in
// the same language, from the system's Qt translations.
void InstallTranslations() {
    auto* own = new QTranslator(qApp);
    if (!own->load(QLocale(), QStringLiteral("quorrin"), QStringLiteral("_"),
                   QStringLiteral(":/i18n")) &&
        !own->load(QStringLiteral(":/i18n/quorrin_en"))) {
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);
    const QLocale language(own->language());
    if (language.language() == QLocale::English) {
        return;
    }
    auto* qt = new QTranslator(qApp);
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
}

} // namespace

void SetUpGameApplication() {
    QApplication::setApplicationName(QStringLiteral("quorrin"));
    QApplication::setApplicationVersion(QLatin1String(Version));
    QApplication::setQuitOnLastWindowClosed(true);
    if (passOn == nullptr) {
        passOn = qInstallMessageHandler(QuietSoundBackend);
        InstallTranslations();
    }
}

} // namespace quorrin
