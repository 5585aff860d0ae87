#include "bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

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
