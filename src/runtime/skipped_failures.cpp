#include "skipped_failures.h"

#include "engine_error.h"

#include <QFileInfo>

namespace pellimo {

Q_LOGGING_CATEGORY(stepsLog, "pellimo.steps", QtWarningMsg)

int failureNumber(const std::exception& failure) {
    const auto* numbered = dynamic_cast<const EngineError*>(&failure);
    return numbered ? numbered->number() : UnnumberedFailure;
}

void logSkippedFailure(const std::exception& failure, std::source_location where) {
    qCDebug(stepsLog).noquote() << QStringLiteral("skipped at %1:%2: failure %3: %4")
                                       .arg(QFileInfo(QString::fromUtf8(where.file_name())).fileName())
                                       .arg(where.line())
                                       .arg(failureNumber(failure))
                                       .arg(QString::fromUtf8(failure.what()));
}

} // namespace pellimo
