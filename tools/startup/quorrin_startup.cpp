// Starts the game window exactly as the program does and reports on its first paint: the
// wall-clock time then (ms since the epoch, to compare with the time of launch) and the
// resident memory, optionally saves a picture of the window, then ends.
//   quorrin_startup [--screenshot OUTPUT.png]
#include "EffectSoundPlayer.h"
#include "GAME.h"
#include "GameApplication.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>

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

// Runs once, right after the first paint of the watched widget has been handed to the screen.
class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& watched, std::function<void()> then)
        : QObject(&watched), then_(std::move(then)) {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_) {
            // The paint runs after this filter; the next turn of the loop comes after it.
            QTimer::singleShot(0, this, std::exchange(then_, nullptr));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> then_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QString screenshot;
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("--screenshot")) {
        screenshot = QString::fromLocal8Bit(argv[2]);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: quorrin_startup [--screenshot OUTPUT.png]\n");
        return 2;
    }
    quorrin::SetUpGameApplication();
    // The window as a first start shows it: no player's settings or archived games are read,
    // nor any written.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    quorrin::EffectSoundPlayer sounds;
    quorrin::GAME window(sounds);
    int status = 0;
    new FirstPaintWatch(*window.centralWidget(), [&] {
        std::printf("first-paint-epoch-ms %lld\nresident-kB %ld\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                    ResidentKilobytes());
        std::fflush(stdout);
        if (!screenshot.isEmpty() && !window.grab().save(screenshot)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(screenshot));
            status = 1;
        }
        QApplication::exit(status);
    });
    window.show();
    return QApplication::exec();
}
