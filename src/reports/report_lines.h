#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>
#include <string>
#include <string_view>

class QIODevice;

namespace pellimo {

// Writes a report file's lines: each in the system locale's encoding, ended by carriage return and line
// feed. Lines are handed to the device in large pieces; flush() hands over the rest and fails with the
// device's own description when it refuses them. Lines written before a failure elsewhere still reach the
// device when the object goes.
class ReportLines {
public:
    explicit ReportLines(QIODevice& device);
    ~ReportLines();
    ReportLines(const ReportLines&) = delete;
    ReportLines& operator=(const ReportLines&) = delete;

    void write(QStringView line);
    // A line in UTF-8, as the engine holds text; bytes that are no UTF-8 write as the replacement character.
    void writeUtf8(std::string_view line);
    // Whole lines in UTF-8, each with its ending already, that a report prepares once and writes often.
    struct FixedLines {
        std::string utf8;
        bool ascii;
    };
    static FixedLines fixedLines(std::string utf8);
    void write(const FixedLines& lines);
    void flush();

private:
    char* roomFor(qsizetype bytes);
    char* appendUtf8(std::string_view text, bool ascii);
    void endLine(char* end);
    void advanceTo(char* end);

    QIODevice& device_;
    QStringEncoder encoder_{QStringConverter::System};
    QByteArray pending_; // room for the next piece; its first used_ bytes are the lines not yet handed over
    qsizetype used_ = 0;
    bool encoderHoldsSurrogate_ = false;
};

} // namespace pellimo
