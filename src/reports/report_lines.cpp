#include "report_lines.h"

#include "engine_error.h"

#include <QIODevice>
#include <algorithm>

namespace pellimo {

namespace {

constexpr int DeviceIOError = 57;
constexpr qsizetype PieceSize = 64 * 1024;

// Copies `line` a byte a character when it is plain ASCII, which every system encoding writes as itself;
// nullptr for any other line.
char* copiedAscii(char* out, QStringView line) {
    char16_t all = 0;
    for (const QChar c : line)
        all |= c.unicode();
    if (all >= 0x80)
        return nullptr;
    for (const QChar c : line)
        *out++ = static_cast<char>(c.unicode());
    return out;
}

bool isAscii(std::string_view line) {
    unsigned char all = 0;
    for (const char c : line)
        all |= static_cast<unsigned char>(c);
    return all < 0x80;
}

} // namespace

ReportLines::ReportLines(QIODevice& device)
    : device_(device), pending_(PieceSize + 4096, Qt::Uninitialized) {}

// After a failure: what the device refuses now is not reported again.
ReportLines::~ReportLines() {
    if (used_ > 0)
        device_.write(pending_.constData(), used_);
}

void ReportLines::write(QStringView line) {
    char* const start = roomFor(encoder_.requiredSpace(line.size()));
    // A high surrogate that ended the last encoded line waits in the encoder for what follows it.
    char* end = encoderHoldsSurrogate_ ? nullptr : copiedAscii(start, line);
    if (!end) {
        end = encoder_.appendToBuffer(start, line);
        encoderHoldsSurrogate_ = !line.isEmpty() && line.back().isHighSurrogate();
    }
    endLine(end);
}

void ReportLines::writeUtf8(std::string_view line) {
    if (encoderHoldsSurrogate_ || !isAscii(line)) {
        write(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        return;
    }
    char* const start = roomFor(static_cast<qsizetype>(line.size()));
    endLine(std::copy(line.begin(), line.end(), start));
}

void ReportLines::flush() {
    const bool whole = device_.write(pending_.constData(), used_) == used_;
    used_ = 0; // a refused piece is not offered again
    if (!whole)
        throw EngineError(DeviceIOError, device_.errorString().toStdString());
}

// Where a line of at most `bytes` bytes and its ending go.
char* ReportLines::roomFor(qsizetype bytes) {
    if (pending_.size() - used_ < bytes + 2)
        pending_.resize(used_ + bytes + 2);
    return pending_.data() + used_;
}

void ReportLines::endLine(char* end) {
    *end++ = '\r';
    *end++ = '\n';
    used_ = end - pending_.constData();
    if (used_ >= PieceSize)
        flush();
}

} // namespace pellimo
