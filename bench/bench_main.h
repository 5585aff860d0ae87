#pragma once

#include <functional>
#include <map>
#include <string>

namespace pellimo {

// Each benchmark's time per iteration, in the unit it reports (milliseconds here), by name.
using BenchTimes = std::map<std::string, double>;

// The time of one benchmark, 0 when it did not run.
double timeOf(const BenchTimes& times, const std::string& name);
// One line of a summary: what was measured, how long it took and the limit it must stay under.
void printUnderLimit(const char* what, double milliseconds, double limit);

// Runs the registered benchmarks inside an offscreen application: `prepare` before the clock starts (the
// catalogue or pictures a benchmark works on), `summary` after all have run.
int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                  const std::function<void(const BenchTimes&)>& summary);

} // namespace pellimo
