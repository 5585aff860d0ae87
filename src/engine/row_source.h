#pragma once

#include "binary_reader.h"
#include "connection.h"
#include "criterion.h"
#include "record_source.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace pellimo {

using PendingValues = std::vector<std::optional<Value>>;

// The rows behind a record set. Keys identify rows for as long as the record set lives.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual const std::vector<FieldInfo>& fields() const = 0;
    virtual bool updatable() const = 0;
    // The keys of the source's rows, in its order.
    virtual std::vector<BookmarkId> loadKeys() = 0;
    // The row's values; a binary field reads as Null or empty, its stored size going to `sizes`.
    virtual void readRow(BookmarkId key, std::vector<Value>& values, std::vector<std::int64_t>& sizes) = 0;
    virtual Value readBinary(BookmarkId key, int field) = 0;
    // The same bytes, to be read a piece at a time.
    virtual std::unique_ptr<BinaryReader> openBinary(BookmarkId key, int field) = 0;
    // The row's values as readRow reads them: those the source holds itself, or else read into `scratch`.
    virtual std::span<const Value> rowValues(BookmarkId key, std::vector<Value>& scratch) = 0;
    // Store and delete name the row by its key and by the values `read` from it, so that a row another
    // program deleted, or a catalogue replaced under the program, is never taken for it.
    virtual void update(BookmarkId key, const std::vector<Value>& read, const PendingValues& pending) = 0;
    virtual BookmarkId insert(const PendingValues& pending) = 0;
    virtual void remove(BookmarkId key, const std::vector<Value>& read) = 0;
    // The keys, among the source's rows and `extraKeys`, whose field meets the criterion.
    virtual std::vector<BookmarkId> matching(int field, const Criterion& criterion,
                                             const std::vector<BookmarkId>& extraKeys) = 0;
    // The source's rows whose field meets the criterion, in the source's order, one at a time: `take` is
    // handed each key and stops the pass by returning true. Rows not yet read cost nothing.
    virtual void eachMatching(int field, const Criterion& criterion,
                              const std::function<bool(BookmarkId)>& take) = 0;
    // Whether the row `key` still exists and meets the source's condition.
    virtual bool selects(BookmarkId key) = 0;
    // Whether the row `first` comes before the row `second` in the source's order.
    virtual bool precedes(BookmarkId first, BookmarkId second) = 0;
    // The rows are about to be read, anew: a source that reads them on demand notes where the catalogue
    // stands, so that later changes can be told apart from its own; one that holds them reads them again.
    virtual void beginRead() = 0;
    // Whether anything but this source's own writes may have changed its rows since beginRead.
    virtual bool changedByOthers() = 0;
    // One field of every row, in the source's order.
    virtual std::vector<std::pair<BookmarkId, Value>> column(int field) = 0;
};

std::unique_ptr<RowSource> openRowSource(std::shared_ptr<Connection> connection, const RecordSource& source,
                                         RecordsetType type);

} // namespace pellimo
