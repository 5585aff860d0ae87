#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

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
    void flush();

private:
    QIODevice& device_;
    QStringEncoder encoder_{QStringConverter::System};
    QByteArray pending_;
};

} // namespace pellimo
