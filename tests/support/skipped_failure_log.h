#pragma once

#include <QStringList>
#include <QtMessageHandler>

namespace pellimo {

// While it lives, the messages of the pellimo.steps category are collected here instead of printed. Made
// with `enabled`, the skipped steps are logged as QT_LOGGING_RULES="pellimo.*=true" would have them;
// without, the category is left as the program leaves it.
class SkippedFailureLog {
public:
    explicit SkippedFailureLog(bool enabled = true);
    ~SkippedFailureLog();
    SkippedFailureLog(const SkippedFailureLog&) = delete;
    SkippedFailureLog& operator=(const SkippedFailureLog&) = delete;

    // Oldest first.
    const QStringList& lines() const { return lines_; }

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList lines_;
    QtMessageHandler previous_;
};

} // namespace pellimo
