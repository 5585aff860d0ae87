#include "connection.h"

#include "catalogue_path.h"
#include "engine_error.h"
#include "field_rules.h"
#include "pattern.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace pellimo {

namespace {

constexpr auto BusyPause = std::chrono::milliseconds(20);

BusyWaitHooks& busyWaitHooks() {
    static BusyWaitHooks hooks;
    return hooks;
}

std::chrono::milliseconds busyWaitLimit = std::chrono::seconds(10);

int commandDepth = 0;
bool commandGaveUpWaiting = false;

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

void deletePattern(void* pattern) {
    delete static_cast<CompiledPattern*>(pattern);
}

// pellimo_match(literal, pattern, value): the engine's find criteria, evaluated inside SQLite.
void matchFunction(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[2]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    auto text = [](sqlite3_value* v) {
        const unsigned char* chars = sqlite3_value_text(v);
        return std::string_view(reinterpret_cast<const char*>(chars),
                                static_cast<std::size_t>(sqlite3_value_bytes(v)));
    };
    std::string_view pattern = text(args[1]);
    std::string_view value = text(args[2]);
    if (sqlite3_value_int(args[0]) != 0) {
        sqlite3_result_int(context, equalsIgnoringCase(pattern, value) ? 1 : 0);
        return;
    }
    auto* compiled = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 1));
    if (compiled == nullptr) {
        try {
            compiled = new CompiledPattern(pattern);
        } catch (const EngineError& error) {
            sqlite3_result_error(context, error.what(), -1);
            return;
        }
        sqlite3_set_auxdata(context, 1, compiled, deletePattern);
        compiled = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 1));
        if (compiled == nullptr) { // SQLite may drop auxiliary data at once when memory is short
            sqlite3_result_int(context, CompiledPattern(pattern).matches(value) ? 1 : 0);
            return;
        }
    }
    sqlite3_result_int(context, compiled->matches(value) ? 1 : 0);
}

int errorNumber(int extended) {
    switch (extended) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        return err::DuplicateKey;
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return err::RelatedRecordRequired;
    case SQLITE_CONSTRAINT_NOTNULL:
        return err::NullNotAllowed;
    case SQLITE_READONLY_DBMOVED: // the file was deleted or renamed while open
        return err::FileNotFound;
    default:
        break;
    }
    switch (extended & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return err::Locked;
    case SQLITE_READONLY:
        return err::ReadOnly;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
        return err::CannotOpen;
    default:
        return err::Reserved;
    }
}

std::string errorDescription(int number, const std::string& engineText) {
    switch (number) {
    case err::DuplicateKey:
        return "The record was not stored because it would duplicate a key: another record already has the "
               "same values in its key fields.";
    case err::RelatedRecordRequired:
        return "The record was not stored because its set does not exist.";
    case err::NullNotAllowed:
        return "The record was not stored because a required field is empty.";
    case err::Locked:
        return "The catalogue is in use by another program; try again in a moment.";
    case err::ReadOnly:
        return "The catalogue cannot be changed: the file is read-only.";
    case err::FileNotFound:
        return "The catalogue cannot be changed: its file has been deleted, moved or renamed since the "
               "program opened it.";
    default:
        return engineText;
    }
}

} // namespace

void setBusyWaitHooks(BusyWaitHooks hooks) {
    busyWaitHooks() = std::move(hooks);
}

void setBusyWaitLimit(std::chrono::milliseconds limit) {
    busyWaitLimit = limit;
}

LockWaitCommand::LockWaitCommand() {
    if (commandDepth++ == 0)
        commandGaveUpWaiting = false;
}

LockWaitCommand::~LockWaitCommand() {
    if (--commandDepth == 0)
        commandGaveUpWaiting = false;
}

// Called by SQLite while another program holds the lock: pause briefly, let the program do its waiting,
// and try again, until the time allowed has passed.
int Connection::waitForLock(void* connection, int attempt) {
    auto& self = *static_cast<Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        self.waitStarted_ = now;
        self.waiting_ = true;
    }
    if (commandGaveUpWaiting)
        return 0;
    if (now - self.waitStarted_ >= busyWaitLimit) {
        commandGaveUpWaiting = commandDepth > 0;
        return 0;
    }
    std::this_thread::sleep_for(BusyPause);
    if (busyWaitHooks().waiting)
        busyWaitHooks().waiting();
    return 1;
}

void Connection::endWait() const {
    if (!waiting_)
        return;
    waiting_ = false;
    if (busyWaitHooks().ended)
        busyWaitHooks().ended();
}

Connection::Connection(const std::string& path) {
    std::string file = resolveNameIgnoringCase(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw EngineError(err::FileNotFound, "Could not find file '" + path + "'.");
    sqlite3* raw = nullptr;
    int code = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(raw);
    if (code != SQLITE_OK) {
        std::string text = raw ? sqlite3_errmsg(raw) : "out of memory";
        throw EngineError(err::CannotOpen, "Could not open the catalogue '" + path + "': " + text + ".");
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_handler(raw, &Connection::waitForLock, this);
    // A catalogue must survive a power cut: the rollback journal with full sync.
    exec("PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;");
    // A page cache that holds a large set whole, so reading it again does not go back to the file.
    exec("PRAGMA cache_size = -16384;");
    changes_.emplace(raw);
    dataVersion_ = prepare("PRAGMA data_version");
    sqlite3_create_function_v2(raw, "pellimo_match", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               matchFunction, nullptr, nullptr, nullptr);
    // Reading the schema proves the file is a catalogue and not some other file.
    StatementHandle probe = prepare("SELECT count(*) FROM sqlite_master");
    stepRow(*this, probe.get());
}

StatementHandle Connection::prepare(const std::string& sql) const {
    sqlite3_stmt* raw = nullptr;
    int code = sqlite3_prepare_v3(handle(), sql.c_str(), static_cast<int>(sql.size()),
                                  SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
    endWait();
    StatementHandle statement(raw);
    if (code != SQLITE_OK)
        fail(code);
    return statement;
}

void Connection::exec(const std::string& sql) const {
    int code = sqlite3_exec(handle(), sql.c_str(), nullptr, nullptr, nullptr);
    endWait();
    if (code != SQLITE_OK)
        fail(code);
}

std::int64_t Connection::dataVersion() const {
    sqlite3_stmt* statement = dataVersion_.get();
    sqlite3_reset(statement);
    stepRow(*this, statement);
    const std::int64_t version = sqlite3_column_int64(statement, 0);
    sqlite3_reset(statement);
    return version;
}

void Connection::fail(int code) const {
    int extended = sqlite3_extended_errcode(handle());
    if ((extended & 0xFF) != (code & 0xFF))
        extended = code;
    int number = errorNumber(extended);
    throw EngineError(number, errorDescription(number, sqlite3_errmsg(handle())));
}

const TableInfo& Connection::table(const std::string& name) {
    std::string key = lowerAscii(name);
    if (auto found = tables_.find(key); found != tables_.end())
        return found->second;

    StatementHandle lookup = prepare("SELECT type, name, sql FROM sqlite_master WHERE type IN ('table', "
                                     "'view') AND name = ? COLLATE NOCASE");
    bindValue(lookup.get(), 1, Value(name));
    if (!stepRow(*this, lookup.get()))
        throw EngineError(err::ItemNotFound, "The catalogue has no table or query named '" + name + "'.");
    TableInfo info;
    std::string type = reinterpret_cast<const char*>(sqlite3_column_text(lookup.get(), 0));
    info.name = reinterpret_cast<const char*>(sqlite3_column_text(lookup.get(), 1));
    if (type == "view") {
        std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(lookup.get(), 2));
        std::string upper = sql;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        std::size_t as = upper.find(" AS ");
        info.viewSelect = as == std::string::npos ? std::string() : sql.substr(as + 4);
    }
    StatementHandle columns = prepare("PRAGMA table_info(" + quoteIdentifier(info.name) + ")");
    std::vector<std::pair<int, std::string>> keyColumns;
    while (stepRow(*this, columns.get())) {
        FieldInfo field;
        field.name = reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 1));
        const unsigned char* declared = sqlite3_column_text(columns.get(), 2);
        applyDeclaredType(field, declared ? reinterpret_cast<const char*>(declared) : "");
        if (int keyPosition = sqlite3_column_int(columns.get(), 5); keyPosition > 0)
            keyColumns.emplace_back(keyPosition, field.name);
        info.fields.push_back(std::move(field));
    }
    std::sort(keyColumns.begin(), keyColumns.end());
    for (auto& column : keyColumns)
        info.primaryKey.push_back(column.second);
    if (info.viewSelect.empty())
        info.rowKey = rowKeyColumns(info.name);
    return tables_.emplace(key, std::move(info)).first->second;
}

// The columns of the table's unique indexes (its primary key among them) and of its references to other
// tables, each once.
std::vector<std::string> Connection::rowKeyColumns(const std::string& table) const {
    std::vector<std::string> columns;
    const auto add = [&columns](const unsigned char* name) {
        std::string column = reinterpret_cast<const char*>(name);
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const std::string& known) { return equalsIgnoringCase(known, column); }))
            columns.push_back(column);
    };
    StatementHandle indexes = prepare("PRAGMA index_list(" + quoteIdentifier(table) + ")");
    while (stepRow(*this, indexes.get())) {
        if (sqlite3_column_int(indexes.get(), 2) == 0)
            continue;
        const std::string index = reinterpret_cast<const char*>(sqlite3_column_text(indexes.get(), 1));
        StatementHandle indexColumns = prepare("PRAGMA index_info(" + quoteIdentifier(index) + ")");
        while (stepRow(*this, indexColumns.get()))
            if (const unsigned char* name = sqlite3_column_text(indexColumns.get(), 2))
                add(name);
    }
    StatementHandle references = prepare("PRAGMA foreign_key_list(" + quoteIdentifier(table) + ")");
    while (stepRow(*this, references.get()))
        add(sqlite3_column_text(references.get(), 3));
    return columns;
}

void bindValue(sqlite3_stmt* statement, int index, const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        sqlite3_bind_null(statement, index);
        break;
    case Value::Type::Integer:
        sqlite3_bind_int64(statement, index, value.asInteger());
        break;
    case Value::Type::Money:
        sqlite3_bind_int64(statement, index, value.asMoney().tenThousandths());
        break;
    case Value::Type::Text:
        sqlite3_bind_text(statement, index, value.asText().data(), static_cast<int>(value.asText().size()),
                          SQLITE_TRANSIENT);
        break;
    case Value::Type::Binary:
        if (value.asBytes().empty()) // a zero-length value, which is not Null
            sqlite3_bind_zeroblob(statement, index, 0);
        else
            sqlite3_bind_blob64(statement, index, value.asBytes().data(), value.asBytes().size(),
                                SQLITE_TRANSIENT);
        break;
    }
}

bool stepRow(const Connection& connection, sqlite3_stmt* statement) {
    int code = sqlite3_step(statement);
    connection.endWait();
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    connection.fail(code);
}

Value columnValue(sqlite3_stmt* statement, int column, FieldKind kind) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL)
        return Value();
    switch (kind) {
    case FieldKind::Integer:
        return Value(static_cast<std::int64_t>(sqlite3_column_int64(statement, column)));
    case FieldKind::Money:
        return Value(Money::fromTenThousandths(sqlite3_column_int64(statement, column)));
    case FieldKind::Binary: {
        const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(statement, column));
        return Value(Bytes(bytes, bytes + sqlite3_column_bytes(statement, column)));
    }
    case FieldKind::Text:
        break;
    }
    const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return Value(std::string(chars, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))));
}

Value columnValueByStorage(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER:
        return columnValue(statement, column, FieldKind::Integer);
    case SQLITE_BLOB:
        return columnValue(statement, column, FieldKind::Binary);
    default:
        return columnValue(statement, column, FieldKind::Text);
    }
}

std::string quoteIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace pellimo
