// The main of the benchmarks that need widgets: a QApplication (offscreen unless a platform
// is named), quiet about what the offscreen platform cannot do, then Google Benchmark.
#include "tests/support/QuietOffscreen.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    quorrin::testing::QuietOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
