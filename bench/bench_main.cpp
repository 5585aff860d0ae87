#include "bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace pellimo {

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    BenchTimes times;
};

} // namespace

double timeOf(const BenchTimes& times, const std::string& name) {
    auto found = times.find(name);
    return found == times.end() ? 0.0 : found->second;
}

void printUnderLimit(const char* what, double milliseconds, double limit) {
    std::printf("%-44s %8.3f ms  (target under %.0f ms)\n", what, milliseconds, limit);
}

int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                  const std::function<void(const BenchTimes&)>& summary) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary(reporter.times);
    benchmark::Shutdown();
    return 0;
}

} // namespace pellimo
