#pragma once

#include "busy_wait.h"
#include "change_counter.h"
#include "field_info.h"
#include "sqlite_handle.h"
#include "value.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pellimo {

// A table or view as the catalogue declares it.
struct TableInfo {
    std::string name;
    std::vector<FieldInfo> fields;
    std::vector<std::string> primaryKey;
    // The columns that tell one row from another beside its rowid: its keys and the rows it refers to.
    std::vector<std::string> rowKey;
    std::string viewSelect; // a view's SELECT text; empty for a table
};

// One open SQLite connection with the engine's settings, its statements and its schema.
class Connection {
public:
    explicit Connection(const std::string& path);
    // SQLite holds its address while it waits for a lock.
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_.get(); }
    StatementHandle prepare(const std::string& sql) const;
    void exec(const std::string& sql) const;
    // Throws EngineError for the connection's last failure `code`.
    [[noreturn]] void fail(int code) const;
    // The table or view of that name (without regard to case); throws when there is none.
    const TableInfo& table(const std::string& name);

    // Ends a wait for another program's lock, if the last call waited.
    void endWait() const;

    // What this connection changed, table by table.
    const ChangeCounter& changes() const { return *changes_; }
    // A number that differs from the last one read whenever another connection has written since.
    std::int64_t dataVersion() const;

private:
    static int waitForLock(void* connection, int attempt);
    std::vector<std::string> rowKeyColumns(const std::string& table) const;

    ConnectionHandle db_;
    std::chrono::steady_clock::time_point waitStarted_;
    mutable bool waiting_ = false;
    std::map<std::string, TableInfo> tables_; // by lower-case name
    std::optional<ChangeCounter> changes_;
    StatementHandle dataVersion_;
};

// Binds `value` to parameter `index` (1-based) in the engine's storage form.
void bindValue(sqlite3_stmt* statement, int index, const Value& value);
// Steps once: true for a row, false when done; throws on failure.
bool stepRow(const Connection& connection, sqlite3_stmt* statement);
// Reads column `column` as a field of `kind` stores it.
Value columnValue(sqlite3_stmt* statement, int column, FieldKind kind);
// Reads a column whose kind is not declared, by its storage class.
Value columnValueByStorage(sqlite3_stmt* statement, int column);

// Quotes an identifier for SQL text.
std::string quoteIdentifier(const std::string& name);

} // namespace pellimo
