#pragma once

#include "binary_reader.h"
#include "criterion.h"
#include "field_info.h"
#include "record_source.h"
#include "value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace pellimo {

class Connection;
class Recordset;
class RowSource;

inline constexpr int dbEditNone = 0;
inline constexpr int dbEditInProgress = 1;
inline constexpr int dbEditAdd = 2;

// Told of every change of the current record, so that bound boxes can follow it.
class RecordsetObserver {
public:
    virtual ~RecordsetObserver() = default;
    // Before the current record changes (a move, AddNew, a bookmark jump, a find that lands elsewhere);
    // throwing refuses the change.
    virtual void leavingRecord(Recordset& recordset) = 0;
    // After the current record changed or a new record began.
    virtual void recordShown(Recordset& recordset) = 0;
    // Before Update writes the pending edit or addition: the last moment to set its fields.
    virtual void preparingUpdate(Recordset& recordset) = 0;
    // After Update: `key` names the record stored or added; `written` is false when the record already
    // held every value given, so that nothing was written.
    virtual void recordStored(Recordset& recordset, BookmarkId key, bool written) = 0;
    // After the record `key` was deleted through this record set.
    virtual void recordDeleted(Recordset& recordset, BookmarkId key) = 0;
};

// What Requery found: every row may have changed, or only the rows `touched` (written or added through the
// record set since its rows were read), of which those still in it stand at `placed` (position and key, by
// increasing position).
struct RequeryChanges {
    bool everyRow = true;
    std::vector<BookmarkId> touched;
    std::vector<std::pair<long, BookmarkId>> placed;
};

// A field of the current record (or of the record being edited or added).
class Field {
public:
    Field(Recordset& recordset, int index) : recordset_(&recordset), index_(index) {}
    const FieldInfo& info() const;
    int index() const { return index_; }
    const std::string& Name() const { return info().name; }
    Value value() const;
    // The same bytes, to be read a piece at a time: a stored picture is never loaded whole.
    std::unique_ptr<BinaryReader> reader() const;
    // Taken by value, so that a large picture handed over is moved, not copied.
    void setValue(Value value);
    // Drops a pending change of this field: the record keeps the value it holds.
    void revert();
    // The bytes a binary field holds (a text field: its UTF-8 bytes), read without loading them.
    std::int64_t FieldSize() const;

private:
    Recordset* recordset_;
    int index_;
};

// The ordered rows of one record source with a current position. The keys of the rows stay in memory;
// field values are read when a record becomes current, a picture's bytes only when asked for.
class Recordset {
public:
    Recordset(std::shared_ptr<Connection> connection, const RecordSource& source, RecordsetType type);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void setObserver(RecordsetObserver* observer) { observer_ = observer; }

    void MoveFirst();
    void MoveLast();
    void MovePrevious();
    void MoveNext();
    bool BOF();
    bool EOF_(); // EOF is a macro of the C library
    long RecordCount();
    BookmarkId Bookmark();
    void SetBookmark(BookmarkId bookmark);
    std::optional<BookmarkId> LastModified() const { return lastModified_; }

    int EditMode() const { return editMode_; }
    void Edit();
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();

    // Runs the source again, as opening it anew would, with the first record current and nothing pending.
    // When only this record set has written since its rows were read, the rows it did not touch keep their
    // order and only the touched ones are read again.
    RequeryChanges Requery();

    void FindFirst(const Criterion& criterion);
    bool NoMatch() const { return noMatch_; }

    Field Fields(std::string_view name);
    Field Fields(int index);
    int FieldCount() const;
    bool updatable() const;

    // Every record from the first, in order, handed to `take` as its fields' values without becoming
    // current; the record set is then past its last record, as MoveNext leaves it. Fails as MoveFirst does
    // when there is no record.
    void EachRecord(const std::function<void(std::span<const Value>)>& take);

    // One field of the record `bookmark`, read without making that record current.
    Value ValueOf(BookmarkId bookmark, std::string_view field);
    // The values of one field for every record, in the record set's order, each with its bookmark.
    std::vector<std::pair<BookmarkId, Value>> ColumnValues(std::string_view field);

    void Close();

private:
    friend class Field;

    RowSource& rows();
    const RowSource& rows() const;
    void ensureKeys();
    void adoptKeys(std::vector<BookmarkId> keys);
    bool hasCurrent();
    void requireCurrent();
    void requireUpdatable() const;
    void moveTo(long position);
    void arriveAt(long position);
    void dropPending();
    long firstPositionOf(const std::vector<BookmarkId>& found) const;
    long firstMatchInOrder(int field, const Criterion& criterion);
    long insertionPoint(const std::vector<BookmarkId>& keys, BookmarkId key);
    long keptPlace(BookmarkId key);
    void showRecord();
    const Value* heldValue(int index);
    Value fieldValue(int index);
    std::unique_ptr<BinaryReader> fieldReader(int index);
    void setFieldValue(int index, Value value);
    void revertField(int index);
    std::int64_t fieldSize(int index);
    bool updateEdit();
    void updateAddition();

    std::unique_ptr<RowSource> rows_;
    RecordsetObserver* observer_ = nullptr;
    std::vector<BookmarkId> keys_;
    bool keysLoaded_ = false;
    std::vector<BookmarkId> addedKeys_;
    std::vector<BookmarkId> writtenKeys_; // changed through this record set since its rows were read
    long position_ = -1;
    bool currentDeleted_ = false;
    long positionBeforeAdd_ = -1;
    int editMode_ = dbEditNone;
    std::vector<std::optional<Value>> pending_;
    std::vector<Value> current_;
    std::vector<std::int64_t> currentSizes_;
    std::optional<BookmarkId> lastModified_;
    bool noMatch_ = false;
};

} // namespace pellimo
