#include "temp_catalogue.h"

#include <QFile>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace pellimo {
namespace {

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

[[noreturn]] void fail(sqlite3* db, const QString& sql) {
    throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql.toStdString());
}

Connection open(const QString& path, int flags) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    Connection db(raw, &sqlite3_close);
    if (opened != SQLITE_OK)
        fail(db.get(), path);
    sqlite3_busy_timeout(db.get(), 5000);
    return db;
}

void run(sqlite3* db, const QString& sql) {
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, sql);
}

Connection openWithForeignKeys(const QString& path) {
    Connection db = open(path, SQLITE_OPEN_READWRITE);
    run(db.get(), "PRAGMA foreign_keys = ON");
    return db;
}

QString readSchema() {
    QFile schema(PELLIMO_SCHEMA_PATH);
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + schema.fileName().toStdString());
    return QString::fromUtf8(schema.readAll());
}

QVariant columnValue(sqlite3_stmt* statement) {
    switch (sqlite3_column_type(statement, 0)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement, 0));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, 0);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(statement, 0);
        return QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(statement, 0));
    }
    default:
        return {};
    }
}

} // namespace

TempCatalogue::TempCatalogue() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot make a temporary folder: " + dir_.errorString().toStdString());
    Connection db = open(dbPath(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    run(db.get(), "BEGIN;" + readSchema() + ";COMMIT;");
}

void TempCatalogue::exec(const QString& sql) const {
    run(openWithForeignKeys(dbPath()).get(), sql);
}

QVariant TempCatalogue::scalar(const QString& sql) const {
    Connection db = openWithForeignKeys(dbPath());
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK)
        fail(db.get(), sql);
    Statement statement(raw, &sqlite3_finalize);
    switch (sqlite3_step(statement.get())) {
    case SQLITE_ROW:
        return columnValue(statement.get());
    case SQLITE_DONE:
        return {};
    default:
        fail(db.get(), sql);
    }
}

} // namespace pellimo
