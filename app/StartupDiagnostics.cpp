#include "StartupDiagnostics.h"

#include "GAME.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace quorrin {

namespace {

// VmRSS of this process in kB, or -1 where /proc is not available.
long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // /proc files report no size, so read them whole rather than testing for their end.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

} // namespace

void InstallStartupDiagnostics(GAME& window) {
    const bool report = qEnvironmentVariableIntValue("QUORRIN_REPORT_STARTUP") != 0;
    const QString screenshot = qEnvironmentVariable("QUORRIN_SCREENSHOT");
    if (!report && screenshot.isEmpty()) {
        return;
    }
    window.SetFirstPaintHandler([&window, report, screenshot] {
        // The paint that called us is flushed to the screen before the next event runs.
        QTimer::singleShot(0, &window, [&window, report, screenshot] {
            if (!screenshot.isEmpty()) {
                window.grab().save(screenshot);
            }
            if (report) {
                std::printf("first-paint-epoch-ms %lld\nresident-kB %ld\n",
                            static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                            ResidentKilobytes());
                std::fflush(stdout);
                QCoreApplication::quit();
            }
        });
    });
}

} // namespace quorrin
