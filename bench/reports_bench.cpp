// The basic cards report of a set of 9,999 cards written to a file, measured beside writing the same bytes
// from lines computed beforehand.
#include "bench_catalogue.h"
#include "data_source.h"
#include "dialogs.h"
#include "reports.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace pellimo {
namespace {

// Every save dialog chooses `path`; the offer to view the report is declined.
class SavingDialogs : public Dialogs {
public:
    explicit SavingDialogs(QString path) : path_(std::move(path)) {}
    int MsgBox(const QString&, int, const QString&) override { return vbNo; }
    QString InputBox(const QString&, const QString&) override { return {}; }
    void ShowOpen(CommonDialog&) override {}
    void ShowSave(CommonDialog& dialog) override { dialog.fileName = path_; }
    void Beep() override {}
    void setMousePointer(int pointer) override { pointer_ = pointer; }
    int mousePointer() const override { return pointer_; }

private:
    QString path_;
    int pointer_ = MousePointerDefault;
};

// A window's reports over the bench catalogue, writing to one file in a folder of their own.
struct BenchReports {
    BenchReports() : dialogs(folder.filePath("report.HTM")) { datrep.setDatabaseName(catalogue().path()); }
    void report() { reports.Report(BasicsPage, BenchCatalogue::BigSet, "Big Set", RepSQL); }

    QTemporaryDir folder;
    SavingDialogs dialogs;
    CommonDialog cd1;
    DataSource datrep{"datrep"};
    Reports reports{dialogs, cd1, datrep, folder.path()};
    QString RepSQL;
};

// Milliseconds per iteration of each benchmark's last run, for the summary.
std::map<std::string, double> milliseconds;

template <typename Body> void timed(benchmark::State& state, const char* name, Body body) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        body();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    milliseconds[name] = spent.count() / static_cast<double>(state.iterations());
}

void ReportCommand(benchmark::State& state) {
    BenchReports bench;
    timed(state, "command", [&] { bench.report(); });
}

void BasicCardsWriter(benchmark::State& state) {
    BenchReports bench;
    bench.report(); // datrep then holds the set's cards
    timed(state, "writer", [&] { bench.reports.html2("Big Set"); });
}

void PrecomputedLines(benchmark::State& state) {
    BenchReports bench;
    bench.report();
    QFile report(bench.folder.filePath("report.HTM"));
    report.open(QIODevice::ReadOnly);
    std::vector<QByteArray> lines;
    for (const QByteArray& line : report.readAll().split('\n'))
        if (!line.isEmpty())
            lines.push_back(line + '\n');
    report.close();
    timed(state, "precomputed", [&] {
        QFile file(bench.folder.filePath("copy.HTM"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QByteArray& line : lines)
            file.write(line);
        file.close();
    });
    state.counters["lines"] = static_cast<double>(lines.size());
}

BENCHMARK(ReportCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(BasicCardsWriter)->Unit(benchmark::kMillisecond);
BENCHMARK(PrecomputedLines)->Unit(benchmark::kMillisecond);

void printSummary() {
    const double command = milliseconds["command"];
    const double precomputed = milliseconds["precomputed"];
    std::printf("\nSummary: basic cards report of %d cards written to a file\n", BenchCatalogue::BigSetCards);
    std::printf("%-40s %8.3f ms  (target under 50 ms)\n", "Report command (query and writer)", command);
    std::printf("%-40s %8.3f ms\n", "writer alone (html2)", milliseconds["writer"]);
    std::printf("%-40s %8.3f ms\n", "same bytes from precomputed lines", precomputed);
    if (precomputed > 0)
        std::printf("%-40s %8.2f  (target within 2x)\n", "ratio, Report command / precomputed",
                    command / precomputed);
}

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    pellimo::catalogue(); // made before the clock starts
    benchmark::RunSpecifiedBenchmarks();
    pellimo::printSummary();
    benchmark::Shutdown();
    return 0;
}
