#pragma once

#include "engine_error.h"

#include <exception>

namespace pellimo {

// The error mode of handlers that skip every failing step and go on: each step runs through one object,
// one step per line, so that a handler reads like its list of steps.
class ResumeNext {
public:
    // Failures that carry no number of their own (a plain std::exception).
    static constexpr int UnnumberedFailure = -1;

    // Runs one step; a failure is dropped. Returns the failure's number, 0 when the step succeeded.
    template <class Step> int operator()(Step&& step) {
        try {
            step();
            return 0;
        } catch (const EngineError& failure) {
            return failure.number();
        } catch (const std::exception&) {
            return UnnumberedFailure;
        }
    }

    // A test that itself fails counts as true, so that the steps it guards run.
    template <class Condition> bool test(Condition&& condition) {
        try {
            return condition();
        } catch (const std::exception&) {
            return true;
        }
    }
};

} // namespace pellimo
