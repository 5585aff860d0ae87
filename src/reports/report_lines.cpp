#include "report_lines.h"

#include "engine_error.h"

#include <QIODevice>
#include <algorithm>

namespace pellimo {

namespace {

constexpr qsizetype PieceSize = 64 * 1024;

// Copies `line` a byte a character, which is the line itself in every system encoding when it is plain
// ASCII; nullptr for any other line. The copy is made before the test so that both take one pass.
char* copiedAscii(char* out, QStringView line) {
    const char16_t* in = line.utf16();
    const qsizetype size = line.size();
    char16_t all = 0;
    for (qsizetype at = 0; at < size; ++at) {
        all |= in[at];
        out[at] = static_cast<char>(in[at]);
    }
    return all < 0x80 ? out + size : nullptr;
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

void ReportLines::write(QStringView line) {
    // A high surrogate that ended the last encoded line waits in the encoder for what follows it.
    if (!encoderHoldsSurrogate_) {
        if (char* end = copiedAscii(roomFor(line.size()), line)) {
            endLine(end);
            return;
        }
    }
    char* end = encoder_.appendToBuffer(roomFor(encoder_.requiredSpace(line.size())), line);
    encoderHoldsSurrogate_ = !line.isEmpty() && line.back().isHighSurrogate();
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
    // The rest of a piece written short is offered again: a device that is full then says so.
    qsizetype done = 0;
    for (qint64 written = 0; done < used_ && written >= 0; done += written)
        written = device_.write(pending_.constData() + done, used_ - done);
    const bool whole = done == used_;
    used_ = 0; // a refused piece is not offered again
    if (!whole)
        throw EngineError(err::DeviceIOError, device_.errorString().toStdString());
}

} // namespace pellimo
