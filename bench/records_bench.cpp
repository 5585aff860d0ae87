// Creating the basic cards of a new set, as Save of a set does, in a catalogue the size of a large
// collection.
#include "bench_catalogue.h"
#include "bench_main.h"
#include "dialogs.h"
#include "frm_main.h"
#include "silent_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace pellimo {
namespace {

constexpr int NewSetCards = 9999;

void BasCreateNewSet(benchmark::State& state) {
    sqlite3* db = openRaw(catalogue().path());
    execRaw(db, "INSERT OR IGNORE INTO Sets (Code, Desc) VALUES ('NEW', 'New Set')");
    SilentDialogs dialogs;
    FrmMain window(QString::fromStdString(catalogue().folder()), dialogs);
    window.findChild<QLineEdit*>("txtCode")->setText("NEW");
    window.findChild<QLineEdit*>("txtTot")->setText(QString::number(NewSetCards));
    window.txtvalue->setText("1.50");
    for (auto _ : state) {
        window.BasCreate();
        state.PauseTiming();
        if (!dialogs.lastMessage.isEmpty()) {
            state.SkipWithError(dialogs.lastMessage.toUtf8().constData());
            break;
        }
        execRaw(db, "DELETE FROM Basics WHERE Code = 'NEW'");
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

BENCHMARK(BasCreateNewSet)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv, [] { pellimo::catalogue(); },
        [](const pellimo::BenchTimes& times) {
            std::printf("\nSummary\n");
            pellimo::printUnderLimit("BasCreate of 9,999 cards, own connection",
                                     pellimo::timeOf(times, "BasCreateNewSet/min_time:1.000"), 100);
        });
}
