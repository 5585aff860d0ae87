#include "report_lines.h"

#include "engine_error.h"

#include <QIODevice>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

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

// Eight bytes at a time: most lines are plain ASCII, and all of each is read.
bool isAscii(std::string_view line) {
    std::uint64_t all = 0;
    std::size_t at = 0;
    for (; at + sizeof all <= line.size(); at += sizeof all) {
        std::uint64_t word;
        std::memcpy(&word, line.data() + at, sizeof word);
        all |= word;
    }
    for (; at < line.size(); ++at)
        all |= static_cast<unsigned char>(line[at]);
    return (all & 0x8080808080808080u) == 0;
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
    advanceTo(end);
}

void ReportLines::advanceTo(char* end) {
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

// Bytes of whole lines or of a line's text: plain ASCII copied as it is, anything else through the encoder,
// as a line given as text would go.
char* ReportLines::appendUtf8(std::string_view text, bool ascii) {
    if (ascii && !encoderHoldsSurrogate_)
        return std::copy(text.begin(), text.end(), roomFor(static_cast<qsizetype>(text.size())));
    const QString wide = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    char* end = encoder_.appendToBuffer(roomFor(encoder_.requiredSpace(wide.size())), wide);
    encoderHoldsSurrogate_ = !wide.isEmpty() && wide.back().isHighSurrogate();
    return end;
}

void ReportLines::writeUtf8(std::string_view line) {
    endLine(appendUtf8(line, isAscii(line)));
}

ReportLines::FixedLines ReportLines::fixedLines(std::string utf8) {
    const bool ascii = isAscii(utf8);
    return {std::move(utf8), ascii};
}

void ReportLines::write(const FixedLines& lines) {
    advanceTo(appendUtf8(lines.utf8, lines.ascii));
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
