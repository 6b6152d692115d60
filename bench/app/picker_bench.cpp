// The list to pick a game from, for a text of range(0) games: from the call to the list shown
// with its first rows made, and closed. The rows are made as they come into sight, so the time
// should hardly grow with the number of games.
#include "GamePicker.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void PickerShown(benchmark::State& state) {
    std::string text;
    for (std::int64_t game = 0; game < state.range(0); ++game) {
        text += "[White \"Player " + std::to_string(game) + "\"]\n1. e4 e5 2. Nf3 *\n";
    }
    const std::vector<quorrin::PgnEntry> entries = *quorrin::IndexPgn(text);
    QWidget parent;
    for (auto _ : state) {
        quorrin::PgnGamesModel model(text, entries);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && QTest::qWaitForWindowExposed(dialog)) {
                QApplication::processEvents();
                dialog->reject();
            }
        });
        benchmark::DoNotOptimize(
            quorrin::PickFromList(&parent, "dlgPickGame", "Open Game", &model, 560));
    }
}
BENCHMARK(PickerShown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
