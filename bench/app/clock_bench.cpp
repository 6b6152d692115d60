// A running clock in the shown game window: the processor time the window takes over 30 s, and
// how late each change of a face's text reaches the screen. Black's clock runs from 35 s down
// to 5 s, so both the second-by-second and the tenth-by-tenth display are measured. Offscreen
// by default (QT_QPA_PLATFORM=xcb under Xvfb for a real server).
#include "ClockFace.h"
#include "GAME.h"
#include "GameClock.h"
#include "SoundPlayer.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sys/resource.h>

namespace {

double ProcessorSeconds() {
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    return double(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
           double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
}

// At each paint of Black's face: how long ago its text changed, worked out from the time left
// (the text shows it rounded down to the second, or to the tenth under ten seconds).
class PaintDelays final : public QObject {
public:
    PaintDelays(const quorrin::ChessClock& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const qint64 left = clock_.Remaining(false).count();
            const qint64 step = left < 10'000 ? 100 : 1000;
            const qint64 delay = (left / step + 1) * step - 1 - left;
            Delays.push_back(delay);
        }
        return QObject::eventFilter(watched, event);
    }
    std::vector<qint64> Delays;

private:
    const quorrin::ChessClock& clock_;
};

void RunningClock(benchmark::State& state) {
    quorrin::SilentSoundPlayer sounds;
    quorrin::GAME window(sounds);
    const quorrin::SideTimeControl control = *quorrin::ReadTimeControl("35");
    window.SetTimeControl({control, control});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    auto* face = window.findChild<quorrin::ClockFace*>(QStringLiteral("clockBlack"));
    PaintDelays delays(window.findChild<quorrin::GameClock*>()->Clock());
    for (auto _ : state) {
        // White's first move starts Black's clock.
        window.findChild<QLineEdit*>(QStringLiteral("txtMovePiece"))
            ->setText(QStringLiteral("e2e4"));
        window.findChild<QPushButton*>(QStringLiteral("cmdMovePiece"))->click();
        QTest::qWait(50);
        face->installEventFilter(&delays);
        const int paints = face->Paints();
        const double before = ProcessorSeconds();
        QEventLoop loop;
        QTimer::singleShot(30'000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["cpu_percent"] = (ProcessorSeconds() - before) / 30.0 * 100.0;
        state.counters["paints"] = face->Paints() - paints;
        state.counters["max_delay_ms"] =
            double(*std::max_element(delays.Delays.begin(), delays.Delays.end()));
        std::sort(delays.Delays.begin(), delays.Delays.end());
        state.counters["median_delay_ms"] = double(delays.Delays[delays.Delays.size() / 2]);
    }
}
BENCHMARK(RunningClock)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
