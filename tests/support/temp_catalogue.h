#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace pellimo {

// A program folder of one test's own, holding a fresh, empty Pellimo.mdb made from the schema. The folder
// goes when the object does.
class TempCatalogue {
public:
    TempCatalogue();

    QString folder() const { return dir_.path(); }
    QString dbPath() const { return dir_.filePath("Pellimo.mdb"); }

    // Runs SQL the test wrote itself, with foreign keys on. A failure throws std::runtime_error with
    // SQLite's message, which fails the test.
    void exec(const QString& sql) const;
    // The first column of the first row: qlonglong, double, QString or QByteArray.
    // Invalid for Null or when there is no row.
    QVariant scalar(const QString& sql) const;

private:
    QTemporaryDir dir_;
};

} // namespace pellimo
