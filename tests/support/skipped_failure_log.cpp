#include "skipped_failure_log.h"

#include <QLoggingCategory>
#include <cstring>

namespace pellimo {

namespace {

SkippedFailureLog* current = nullptr;

} // namespace

SkippedFailureLog::SkippedFailureLog(bool enabled) {
    QLoggingCategory::setFilterRules(enabled ? QStringLiteral("pellimo.*=true") : QString());
    current = this;
    previous_ = qInstallMessageHandler(&SkippedFailureLog::collect);
}

SkippedFailureLog::~SkippedFailureLog() {
    qInstallMessageHandler(previous_);
    current = nullptr;
    QLoggingCategory::setFilterRules(QString());
}

void SkippedFailureLog::collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (current && context.category && std::strcmp(context.category, "pellimo.steps") == 0)
        current->lines_ << message;
    else if (current && current->previous_)
        current->previous_(type, context, message);
}

} // namespace pellimo
