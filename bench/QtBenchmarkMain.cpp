// The main of the benchmarks that need widgets: a QApplication (offscreen unless a platform
// is named), quiet about what the offscreen platform cannot do, with a data folder of its own,
// then Google Benchmark.
#include "tests/support/QuietOffscreen.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    quorrin::testing::QuietOffscreenPlatform();
    QApplication app(argc, argv);
    // The games the windows keep go to a data folder of their own, not the user's.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
