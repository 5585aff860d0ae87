#include "row_source.h"

#include "engine_error.h"
#include "field_rules.h"
#include "pattern.h"
#include "source_query.h"
#include "stored_bytes.h"
#include "transaction.h"

#include <algorithm>
#include <stdexcept>

namespace pellimo {

namespace {

[[noreturn]] void readOnly() {
    throw EngineError(err::ReadOnly,
                      "This record source cannot be changed: it is a query that is read as it stands.");
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

void bindAll(sqlite3_stmt* statement, const std::vector<Value>& values, int first = 1) {
    for (std::size_t i = 0; i < values.size(); ++i)
        bindValue(statement, first + static_cast<int>(i), values[i]);
}

// A row that another program deleted is changed by nothing: the write fails rather than pass for done.
void requireRowFound(const Connection& connection, const char* description) {
    if (sqlite3_changes(connection.handle()) == 0)
        throw EngineError(err::RecordDeleted, description);
}

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool containsIgnoringCase(const std::string& text, std::string_view word) {
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at)
        if (equalsIgnoringCase(std::string_view(text).substr(at, word.size()), word))
            return true;
    return false;
}

// A binary value is bound as zeros of its size and its bytes written into them afterwards, a piece at a time:
// bound whole, SQLite would copy it twice more.
bool storedInPieces(const Value& value) {
    return value.type() == Value::Type::Binary && !value.asBytes().empty();
}

// A store that writes such bytes after its statement keeps both or neither.
bool anyStoredInPieces(const PendingValues& pending) {
    return std::any_of(pending.begin(), pending.end(),
                       [](const std::optional<Value>& value) { return value && storedInPieces(*value); });
}

void bindForStore(sqlite3_stmt* statement, int index, const Value& value) {
    if (storedInPieces(value))
        sqlite3_bind_zeroblob64(statement, index, value.asBytes().size());
    else
        bindValue(statement, index, value);
}

void requireSearchable(const FieldInfo& field) {
    if (field.kind != FieldKind::Text && field.kind != FieldKind::Integer)
        throw EngineError(err::InvalidCriterion,
                          "The field '" + field.name + "' cannot be searched as text.");
}

// Rows of one table, keyed by rowid, read on demand.
class TableRows final : public RowSource {
public:
    TableRows(std::shared_ptr<Connection> connection, const TableInfo& table, const SourceQuery& query,
              std::vector<Value> params)
        : connection_(std::move(connection)), table_(quoteIdentifier(table.name)), where_(query.where),
          params_(std::move(params)), tableName_(table.name),
          readsOtherTables_(containsIgnoringCase(query.where, "select")),
          orderComparable_(query.orderBy.find('?') == std::string::npos) {
        if (query.columns.empty()) {
            fields_ = table.fields;
        } else {
            for (const std::string& name : query.columns)
                fields_.push_back(tableField(table, name));
        }
        std::vector<std::string> order;
        if (!query.orderBy.empty())
            order.push_back(query.orderBy);
        else
            for (const std::string& key : table.primaryKey)
                order.push_back(quoteIdentifier(key));
        order.push_back("rowid"); // rows that tie stay in a fixed order
        orderBy_ = " ORDER BY " + joined(order, ", ");

        for (const std::string& key : table.rowKey)
            for (std::size_t i = 0; i < fields_.size(); ++i)
                if (equalsIgnoringCase(fields_[i].name, key))
                    rowKeyFields_.push_back(i);

        std::vector<std::string> readList, names, marks;
        for (const FieldInfo& field : fields_) {
            std::string column = quoteIdentifier(field.name);
            readList.push_back(field.kind == FieldKind::Binary ? "length(" + column + ")" : column);
            names.push_back(column);
            marks.push_back("?");
        }
        readRow_ =
            connection_->prepare("SELECT " + joined(readList, ", ") + " FROM " + table_ + " WHERE rowid = ?");
        insertSql_ =
            "INSERT INTO " + table_ + " (" + joined(names, ", ") + ") VALUES (" + joined(marks, ", ") + ")";
    }

    const std::vector<FieldInfo>& fields() const override { return fields_; }
    bool updatable() const override { return true; }

    std::vector<BookmarkId> loadKeys() override {
        StatementHandle statement = selectFromSource("rowid", "");
        std::vector<BookmarkId> keys;
        while (stepRow(*connection_, statement.get()))
            keys.push_back(sqlite3_column_int64(statement.get(), 0));
        return keys;
    }

    void readRow(BookmarkId key, std::vector<Value>& values, std::vector<std::int64_t>& sizes) override {
        sqlite3_stmt* statement = readRow_.get();
        sqlite3_reset(statement);
        sqlite3_bind_int64(statement, 1, key);
        if (!stepRow(*connection_, statement))
            throw EngineError(err::RecordDeleted, "The record has been deleted.");
        values.assign(fields_.size(), Value());
        sizes.assign(fields_.size(), 0);
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            int column = static_cast<int>(i);
            if (fields_[i].kind == FieldKind::Binary) {
                bool null = sqlite3_column_type(statement, column) == SQLITE_NULL;
                sizes[i] = null ? 0 : sqlite3_column_int64(statement, column);
                values[i] = null ? Value() : Value(Bytes());
            } else {
                values[i] = columnValue(statement, column, fields_[i].kind);
                sizes[i] = sqlite3_column_bytes(statement, column);
            }
        }
        sqlite3_reset(statement);
    }

    std::span<const Value> rowValues(BookmarkId key, std::vector<Value>& scratch) override {
        readRow(key, scratch, scratchSizes_);
        return scratch;
    }

    Value readBinary(BookmarkId key, int field) override {
        StatementHandle statement = connection_->prepare("SELECT " + quoteIdentifier(fields_[field].name) +
                                                         " FROM " + table_ + " WHERE rowid = ?");
        sqlite3_bind_int64(statement.get(), 1, key);
        if (!stepRow(*connection_, statement.get()))
            throw EngineError(err::RecordDeleted, "The record has been deleted.");
        return columnValue(statement.get(), 0, FieldKind::Binary);
    }

    std::unique_ptr<BinaryReader> openBinary(BookmarkId key, int field) override {
        if (std::unique_ptr<BinaryReader> stored =
                openStoredBytes(connection_, tableName_, fields_[field].name, key))
            return stored;
        // A row gone, or a value that is not bytes: read as a value is, which tells a deleted record.
        return readerOfValue(readBinary(key, field));
    }

    void update(BookmarkId key, const std::vector<Value>& read, const PendingValues& pending) override {
        std::vector<std::string> assignments;
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (pending[i])
                assignments.push_back(quoteIdentifier(fields_[i].name) + " = ?");
        if (assignments.empty())
            return;
        StatementHandle statement = connection_->prepare("UPDATE " + table_ + " SET " +
                                                         joined(assignments, ", ") + " WHERE " + sameRow());
        int index = 1;
        for (const std::optional<Value>& value : pending)
            if (value)
                bindForStore(statement.get(), index++, *value);
        bindSameRow(statement.get(), index, key, read);
        std::optional<Savepoint> whole;
        if (anyStoredInPieces(pending))
            whole.emplace(*connection_);
        stepRow(*connection_, statement.get());
        requireRowFound(*connection_, "The record was not stored: another program has deleted it.");
        writePieces(key, pending);
        if (whole)
            whole->release();
        ++ownChanges_;
    }

    BookmarkId insert(const PendingValues& pending) override {
        if (!insert_)
            insert_ = connection_->prepare(insertSql_);
        sqlite3_stmt* statement = insert_.get();
        sqlite3_reset(statement);
        for (std::size_t i = 0; i < fields_.size(); ++i)
            bindForStore(statement, static_cast<int>(i) + 1, pending[i] ? *pending[i] : Value());
        std::optional<Savepoint> whole;
        if (anyStoredInPieces(pending))
            whole.emplace(*connection_);
        stepRow(*connection_, statement);
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        const BookmarkId key = sqlite3_last_insert_rowid(connection_->handle());
        writePieces(key, pending);
        if (whole)
            whole->release();
        ++ownChanges_;
        return key;
    }

    void remove(BookmarkId key, const std::vector<Value>& read) override {
        StatementHandle statement = connection_->prepare("DELETE FROM " + table_ + " WHERE " + sameRow());
        bindSameRow(statement.get(), 1, key, read);
        stepRow(*connection_, statement.get());
        requireRowFound(*connection_, "The record was not deleted: another program has deleted it already.");
        ++ownChanges_;
    }

    std::vector<BookmarkId> matching(int field, const Criterion& criterion,
                                     const std::vector<BookmarkId>& extraKeys) override {
        const auto [test, criterionValues] = criterionTest(field, criterion);
        StatementHandle statement = selectFromSource("rowid", test, false);
        bindAll(statement.get(), criterionValues, static_cast<int>(params_.size()) + 1);
        std::vector<BookmarkId> keys;
        while (stepRow(*connection_, statement.get()))
            keys.push_back(sqlite3_column_int64(statement.get(), 0));
        if (!extraKeys.empty()) {
            StatementHandle one =
                connection_->prepare("SELECT " + test + " FROM " + table_ + " WHERE rowid = ?");
            for (BookmarkId key : extraKeys) {
                sqlite3_reset(one.get());
                bindAll(one.get(), criterionValues);
                sqlite3_bind_int64(one.get(), static_cast<int>(criterionValues.size()) + 1, key);
                if (stepRow(*connection_, one.get()) && sqlite3_column_int(one.get(), 0) != 0)
                    keys.push_back(key);
            }
        }
        return keys;
    }

    void eachMatching(int field, const Criterion& criterion,
                      const std::function<bool(BookmarkId)>& take) override {
        const auto [test, criterionValues] = criterionTest(field, criterion);
        StatementHandle statement = selectFromSource("rowid", test);
        bindAll(statement.get(), criterionValues, static_cast<int>(params_.size()) + 1);
        while (stepRow(*connection_, statement.get()))
            if (take(sqlite3_column_int64(statement.get(), 0)))
                return;
    }

    bool selects(BookmarkId key) override {
        StatementHandle statement = selectFromSource("1", "rowid = ?", false);
        sqlite3_bind_int64(statement.get(), static_cast<int>(params_.size()) + 1, key);
        return stepRow(*connection_, statement.get());
    }

    // The two rows sorted as the source sorts them: the first one back is the one that comes first.
    bool precedes(BookmarkId first, BookmarkId second) override {
        if (!compare_)
            compare_ = connection_->prepare("SELECT rowid FROM " + table_ + " WHERE rowid IN (?, ?)" +
                                            orderBy_ + " LIMIT 1");
        sqlite3_stmt* statement = compare_.get();
        sqlite3_reset(statement);
        sqlite3_bind_int64(statement, 1, first);
        sqlite3_bind_int64(statement, 2, second);
        const bool firstComesFirst =
            stepRow(*connection_, statement) && sqlite3_column_int64(statement, 0) == first;
        sqlite3_reset(statement);
        return firstComesFirst;
    }

    void beginRead() override {
        read_ = readMark();
        ownChanges_ = 0;
    }

    bool changedByOthers() override {
        if (!orderComparable_)
            return true;
        const ReadMark now = readMark();
        return now.dataVersion != read_.dataVersion || now.rollbacks != read_.rollbacks ||
               now.changes - read_.changes != ownChanges_;
    }

    std::vector<std::pair<BookmarkId, Value>> column(int field) override {
        StatementHandle statement = selectFromSource("rowid, " + quoteIdentifier(fields_[field].name), "");
        std::vector<std::pair<BookmarkId, Value>> values;
        while (stepRow(*connection_, statement.get()))
            values.emplace_back(sqlite3_column_int64(statement.get(), 0),
                                columnValue(statement.get(), 1, fields_[field].kind));
        return values;
    }

private:
    // What a read saw of the connection: later reads compare with it.
    struct ReadMark {
        std::int64_t dataVersion = 0;
        std::uint64_t changes = 0;
        std::uint64_t rollbacks = 0;
    };

    ReadMark readMark() const {
        const ChangeCounter& counter = connection_->changes();
        // A condition that reads other tables changes with them.
        return {connection_->dataVersion(),
                readsOtherTables_ ? counter.changes() : counter.changesTo(tableName_), counter.rollbacks()};
    }

    // The SQL test of the criterion on the field, and the values it binds.
    std::pair<std::string, std::vector<Value>> criterionTest(int field, const Criterion& criterion) const {
        requireSearchable(fields_[field]);
        const std::string column = quoteIdentifier(fields_[field].name);
        std::string test = "pellimo_match(?, ?, " + column + ")";
        std::vector<Value> values{Value(criterion.literal ? 1 : 0), Value(criterion.pattern)};
        // A literal criterion narrows by SQL equality first, which a key field answers from its index. Case
        // is folded alike for ASCII only: other text is left to the matcher alone.
        if (criterion.literal && fields_[field].kind == FieldKind::Text && isAscii(criterion.pattern)) {
            test = column + " = ? COLLATE NOCASE AND " + test;
            values.insert(values.begin(), Value(criterion.pattern));
        }
        return {test, values};
    }

    static FieldInfo tableField(const TableInfo& table, const std::string& name) {
        for (const FieldInfo& field : table.fields)
            if (equalsIgnoringCase(field.name, name))
                return field;
        throw EngineError(err::ItemNotFound,
                          "The table '" + table.name + "' has no field named '" + name + "'.");
    }

    // The bytes of the binary values the store's statement bound as zeros.
    void writePieces(BookmarkId key, const PendingValues& pending) const {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (pending[i] && storedInPieces(*pending[i]))
                writeStoredBytes(*connection_, tableName_, fields_[i].name, key, pending[i]->asBytes());
    }

    // The row of a rowid that still holds the key values read from it.
    std::string sameRow() const {
        std::vector<std::string> conditions{"rowid = ?"};
        for (std::size_t field : rowKeyFields_)
            conditions.push_back(quoteIdentifier(fields_[field].name) + " IS ?");
        return joined(conditions, " AND ");
    }

    void bindSameRow(sqlite3_stmt* statement, int first, BookmarkId key,
                     const std::vector<Value>& read) const {
        sqlite3_bind_int64(statement, first, key);
        for (std::size_t i = 0; i < rowKeyFields_.size(); ++i)
            bindValue(statement, first + 1 + static_cast<int>(i), read[rowKeyFields_[i]]);
    }

    // The source's rows with its parameters bound, narrowed by `extraCondition` when one is given.
    StatementHandle selectFromSource(const std::string& list, const std::string& extraCondition,
                                     bool ordered = true) {
        std::vector<std::string> conditions;
        if (!where_.empty())
            conditions.push_back("(" + where_ + ")");
        if (!extraCondition.empty())
            conditions.push_back(extraCondition);
        std::string sql = "SELECT " + list + " FROM " + table_;
        if (!conditions.empty())
            sql += " WHERE " + joined(conditions, " AND ");
        if (ordered)
            sql += orderBy_;
        StatementHandle statement = connection_->prepare(sql);
        bindAll(statement.get(), params_);
        return statement;
    }

    std::shared_ptr<Connection> connection_;
    std::string table_;
    std::string where_;
    std::vector<Value> params_;
    std::vector<FieldInfo> fields_;
    std::vector<std::size_t> rowKeyFields_; // the row key's columns among the fields
    std::string orderBy_;
    StatementHandle readRow_;
    std::vector<std::int64_t> scratchSizes_;
    std::string insertSql_;
    StatementHandle insert_;
    StatementHandle compare_;
    std::string tableName_;
    bool readsOtherTables_;
    bool orderComparable_; // an order that binds no values can compare two rows on its own
    ReadMark read_;
    std::uint64_t ownChanges_ = 0;
};

// Any other query: read whole when opened, never changed.
class SnapshotRows final : public RowSource {
public:
    SnapshotRows(std::shared_ptr<Connection> connection, RecordSource source)
        : connection_(std::move(connection)), source_(std::move(source)) {
        read();
    }

    void read() {
        StatementHandle statement = connection_->prepare(source_.text);
        bindAll(statement.get(), source_.params);
        int count = sqlite3_column_count(statement.get());
        fields_.clear();
        declaredKinds_.clear();
        values_.clear();
        for (int i = 0; i < count; ++i) {
            FieldInfo field;
            field.name = sqlite3_column_name(statement.get(), i);
            const char* declared = sqlite3_column_decltype(statement.get(), i);
            declaredKinds_.push_back(declared != nullptr);
            if (declared)
                applyDeclaredType(field, declared);
            fields_.push_back(std::move(field));
        }
        while (stepRow(*connection_, statement.get()))
            for (int i = 0; i < count; ++i)
                values_.push_back(declaredKinds_[i] ? columnValue(statement.get(), i, fields_[i].kind)
                                                    : columnValueByStorage(statement.get(), i));
    }

    const std::vector<FieldInfo>& fields() const override { return fields_; }
    bool updatable() const override { return false; }

    std::vector<BookmarkId> loadKeys() override {
        std::vector<BookmarkId> keys(rowCount());
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys[i] = static_cast<BookmarkId>(i);
        return keys;
    }

    void readRow(BookmarkId key, std::vector<Value>& values, std::vector<std::int64_t>& sizes) override {
        const auto row = values_.begin() + static_cast<std::ptrdiff_t>(rowStart(key));
        values.assign(row, row + static_cast<std::ptrdiff_t>(fields_.size()));
        sizes.resize(values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            sizes[i] = values[i].storedSize();
    }

    std::span<const Value> rowValues(BookmarkId key, std::vector<Value>&) override {
        return {values_.data() + rowStart(key), fields_.size()};
    }

    Value readBinary(BookmarkId key, int field) override { return values_[rowStart(key) + field]; }
    std::unique_ptr<BinaryReader> openBinary(BookmarkId key, int field) override {
        return readerOfValue(readBinary(key, field));
    }
    void update(BookmarkId, const std::vector<Value>&, const PendingValues&) override { readOnly(); }
    BookmarkId insert(const PendingValues&) override { readOnly(); }
    void remove(BookmarkId, const std::vector<Value>&) override { readOnly(); }

    std::vector<BookmarkId> matching(int field, const Criterion& criterion,
                                     const std::vector<BookmarkId>&) override {
        requireSearchable(fields_[field]);
        std::optional<CompiledPattern> pattern;
        if (!criterion.literal)
            pattern.emplace(criterion.pattern);
        std::vector<BookmarkId> keys;
        for (std::size_t i = 0; i < rowCount(); ++i) {
            const Value& value = values_[i * fields_.size() + field];
            if (value.isNull())
                continue;
            std::string text = value.toString();
            if (pattern ? pattern->matches(text) : equalsIgnoringCase(criterion.pattern, text))
                keys.push_back(static_cast<BookmarkId>(i));
        }
        return keys;
    }

    void eachMatching(int field, const Criterion& criterion,
                      const std::function<bool(BookmarkId)>& take) override {
        for (BookmarkId key : matching(field, criterion, {}))
            if (take(key))
                return;
    }

    bool selects(BookmarkId key) override { return key >= 0 && static_cast<std::size_t>(key) < rowCount(); }
    bool precedes(BookmarkId first, BookmarkId second) override { return first < second; }
    // Read whole when opened; every later read runs the query again.
    void beginRead() override {
        if (!justOpened_)
            read();
        justOpened_ = false;
    }
    bool changedByOthers() override { return true; }

    std::vector<std::pair<BookmarkId, Value>> column(int field) override {
        std::vector<std::pair<BookmarkId, Value>> values;
        for (std::size_t i = 0; i < rowCount(); ++i)
            values.emplace_back(static_cast<BookmarkId>(i), values_[i * fields_.size() + field]);
        return values;
    }

private:
    std::size_t rowCount() const { return fields_.empty() ? 0 : values_.size() / fields_.size(); }

    std::size_t rowStart(BookmarkId key) const {
        if (key < 0 || static_cast<std::size_t>(key) >= rowCount())
            throw std::out_of_range("no row " + std::to_string(key));
        return static_cast<std::size_t>(key) * fields_.size();
    }

    std::shared_ptr<Connection> connection_;
    RecordSource source_;
    bool justOpened_ = true;
    std::vector<FieldInfo> fields_;
    std::vector<bool> declaredKinds_;
    std::vector<Value> values_; // the rows one after the other, each a value a field
};

} // namespace

std::unique_ptr<RowSource> openRowSource(std::shared_ptr<Connection> connection, const RecordSource& source,
                                         RecordsetType type) {
    if (type == RecordsetType::Snapshot)
        return std::make_unique<SnapshotRows>(connection, source);
    std::optional<SourceQuery> query = parseSourceQuery(source.text);
    if (query && query->bareName) {
        const TableInfo& named = connection->table(query->table);
        if (named.viewSelect.empty())
            return std::make_unique<TableRows>(connection, named, *query, source.params);
        // A view over one table is updatable through that table.
        std::optional<SourceQuery> viewQuery = parseSourceQuery(named.viewSelect);
        if (viewQuery && !viewQuery->bareName && connection->table(viewQuery->table).viewSelect.empty())
            return std::make_unique<TableRows>(connection, connection->table(viewQuery->table), *viewQuery,
                                               std::vector<Value>{});
        return std::make_unique<SnapshotRows>(connection,
                                              RecordSource("SELECT * FROM " + quoteIdentifier(named.name)));
    }
    if (query && connection->table(query->table).viewSelect.empty())
        return std::make_unique<TableRows>(connection, connection->table(query->table), *query,
                                           source.params);
    return std::make_unique<SnapshotRows>(connection, source);
}

} // namespace pellimo
