#pragma once

#include "skipped_failures.h"

#include <exception>
#include <source_location>

namespace pellimo {

// The error mode of handlers that skip every failing step and go on: each step runs through one object,
// one step per line, so that a handler reads like its list of steps. Each skipped failure is logged with
// the place of its step.
class ResumeNext {
public:
    // Runs one step; a failure is dropped. Returns the failure's number, 0 when the step succeeded.
    template <class Step>
    int operator()(Step&& step, std::source_location where = std::source_location::current()) {
        try {
            step();
            return 0;
        } catch (const std::exception& failure) {
            logSkippedFailure(failure, where);
            return failureNumber(failure);
        }
    }

    // A test that itself fails counts as true, so that the steps it guards run.
    template <class Condition>
    bool test(Condition&& condition, std::source_location where = std::source_location::current()) {
        try {
            return condition();
        } catch (const std::exception& failure) {
            logSkippedFailure(failure, where);
            return true;
        }
    }
};

} // namespace pellimo
