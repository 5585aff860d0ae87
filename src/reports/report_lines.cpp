#include "report_lines.h"

#include "engine_error.h"

#include <QIODevice>

namespace pellimo {

namespace {
constexpr int DeviceIOError = 57;
constexpr qsizetype PieceSize = 64 * 1024;
} // namespace

ReportLines::ReportLines(QIODevice& device) : device_(device) {
    pending_.reserve(PieceSize + 4096);
}

ReportLines::~ReportLines() {
    if (!pending_.isEmpty())
        device_.write(pending_); // after a failure: what the device refuses now is not reported again
}

void ReportLines::write(QStringView line) {
    const qsizetype start = pending_.size();
    pending_.resize(start + encoder_.requiredSpace(line.size()) + 2);
    char* end = encoder_.appendToBuffer(pending_.data() + start, line);
    *end++ = '\r';
    *end++ = '\n';
    pending_.resize(end - pending_.constData());
    if (pending_.size() >= PieceSize)
        flush();
}

void ReportLines::flush() {
    const bool whole = device_.write(pending_) == pending_.size();
    pending_.resize(0); // a refused piece is not offered again
    if (!whole)
        throw EngineError(DeviceIOError, device_.errorString().toStdString());
}

} // namespace pellimo
