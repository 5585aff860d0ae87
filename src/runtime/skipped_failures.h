#pragma once

#include <QLoggingCategory>
#include <exception>
#include <source_location>

namespace pellimo {

// Steps whose failures the program passes over on purpose. Silent unless enabled, e.g. with
// QT_LOGGING_RULES="pellimo.*=true", so a fault that only skips a step can still be found.
Q_DECLARE_LOGGING_CATEGORY(stepsLog)

// Failures that carry no number of their own (a plain std::exception).
inline constexpr int UnnumberedFailure = -1;

int failureNumber(const std::exception& failure);

// Records a failure that is dropped, with its number (-1 for one without) and description, at the place of
// the caller.
void logSkippedFailure(const std::exception& failure,
                       std::source_location where = std::source_location::current());

} // namespace pellimo
