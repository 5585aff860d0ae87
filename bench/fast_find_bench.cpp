// The Fast Find box of the Basics page over a set of 9,999 cards: entering the page with its list filled,
// and a jump from the list to the last card, leaving a card with an edit pending.
#include "bench_catalogue.h"
#include "bench_main.h"
#include "frm_main.h"
#include "silent_dialogs.h"
#include "tab_strip.h"

#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <utility>

namespace pellimo {
namespace {

// The window shown on the Sets page with the big set current.
class BigSetWindow {
public:
    BigSetWindow() : window(QString::fromStdString(catalogue().folder()), dialogs) {
        window.show();
        window.datSets.Refresh();
        window.datSets.Recordset().FindFirst(Criterion::equals("Code", BenchCatalogue::BigSet));
        window.datSets.Recordset().Edit();
    }

    // The page entered as the user enters it, through its tab.
    void selectPage(Page page) { window.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(page - SetsPage); }

    // The card page leaves its first card in edit mode, with its value shown in currency form: dropped,
    // so that nothing is stored between runs.
    void dropCardEdit() { window.datBasics.Recordset().CancelUpdate(); }

    // A box shown, or a list short of cards, fails the run.
    bool failed(benchmark::State& state) {
        if (!dialogs.lastMessage.isEmpty())
            state.SkipWithError(dialogs.lastMessage.toUtf8().constData());
        else if (window.findChild<QComboBox*>("DBCombo2")->count() != BenchCatalogue::BigSetCards)
            state.SkipWithError("the Fast Find list does not hold every card");
        return state.error_occurred();
    }

    SilentDialogs dialogs;
    FrmMain window;
};

void EnterBasicsWithFastFind(benchmark::State& state) {
    BigSetWindow big;
    for (auto _ : state) {
        big.selectPage(BasicsPage);
        state.PauseTiming();
        big.failed(state);
        big.dropCardEdit();
        big.selectPage(SetsPage);
        state.ResumeTiming();
        if (state.error_occurred())
            break;
    }
}

void FastFindJumpToLastCard(benchmark::State& state) {
    BigSetWindow big;
    big.selectPage(BasicsPage);
    big.dropCardEdit();
    int edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The jump leaves a card with an edit pending, which it stores first.
        big.window.datBasics.Recordset().MoveFirst();
        big.window.datBasics.Recordset().Edit();
        big.window.findChild<QLineEdit*>("txtBasSect")->setText(QString::number(++edits));
        big.window.findChild<QComboBox*>("DBCombo2")->setCurrentIndex(BenchCatalogue::BigSetCards - 1);
        state.ResumeTiming();
        std::int16_t Area = 2;
        big.window.DBCombo2_Click(Area);
        state.PauseTiming();
        if (!big.failed(state) && big.window.findChild<QLineEdit*>("txtBasCardNum")->text() != "9999")
            state.SkipWithError("the jump did not reach the last card");
        state.ResumeTiming();
        if (state.error_occurred())
            break;
    }
}

BENCHMARK(EnterBasicsWithFastFind)->Unit(benchmark::kMillisecond);
BENCHMARK(FastFindJumpToLastCard)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv, [] { pellimo::catalogue(); },
        [](const pellimo::BenchTimes& times) {
            std::printf("\nSummary\n");
            for (auto [name, target] :
                 {std::pair{"EnterBasicsWithFastFind", 30.0}, {"FastFindJumpToLastCard", 10.0}}) {
                pellimo::printUnderLimit(name, pellimo::timeOf(times, name), target);
            }
        });
}
