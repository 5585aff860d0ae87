#include "recordset.h"

#include "engine_error.h"
#include "field_rules.h"
#include "pattern.h"
#include "row_source.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace pellimo {

namespace {

[[noreturn]] void noCurrentRecord() {
    throw EngineError(err::NoCurrentRecord, "No current record.");
}

[[noreturn]] void nothingPending() {
    throw EngineError(err::UpdateWithoutEdit, "There is no edit or new record to store or cancel.");
}

} // namespace

const FieldInfo& Field::info() const {
    return recordset_->rows().fields()[index_];
}
Value Field::value() const {
    return recordset_->fieldValue(index_);
}
std::unique_ptr<BinaryReader> Field::reader() const {
    return recordset_->fieldReader(index_);
}
void Field::setValue(Value value) {
    recordset_->setFieldValue(index_, std::move(value));
}
void Field::revert() {
    recordset_->revertField(index_);
}
std::int64_t Field::FieldSize() const {
    return recordset_->fieldSize(index_);
}

Recordset::Recordset(std::shared_ptr<Connection> connection, const RecordSource& source, RecordsetType type)
    : rows_(openRowSource(std::move(connection), source, type)) {}

Recordset::~Recordset() = default;

RowSource& Recordset::rows() {
    if (!rows_)
        throw EngineError(err::Reserved, "The record set is closed.");
    return *rows_;
}

const RowSource& Recordset::rows() const {
    if (!rows_)
        throw EngineError(err::Reserved, "The record set is closed.");
    return *rows_;
}

// The keys are read at the first need, so a record set opened only to add rows never reads any.
void Recordset::ensureKeys() {
    if (keysLoaded_)
        return;
    rows().beginRead();
    adoptKeys(rows_->loadKeys());
}

void Recordset::adoptKeys(std::vector<BookmarkId> keys) {
    keys_ = std::move(keys);
    keysLoaded_ = true;
    // Rows added before the first read stay reachable, after the others, whether the source selects them or
    // not.
    if (!addedKeys_.empty()) {
        std::unordered_set<BookmarkId> loaded(keys_.begin(), keys_.end());
        for (BookmarkId key : addedKeys_)
            if (loaded.count(key) == 0)
                keys_.push_back(key);
    }
    position_ = keys_.empty() ? -1 : 0;
    if (!keys_.empty())
        rows_->readRow(keys_[0], current_, currentSizes_);
}

bool Recordset::hasCurrent() {
    ensureKeys();
    return !currentDeleted_ && position_ >= 0 && position_ < static_cast<long>(keys_.size());
}

void Recordset::requireCurrent() {
    if (!hasCurrent())
        noCurrentRecord();
}

void Recordset::requireUpdatable() const {
    if (!rows().updatable())
        throw EngineError(err::ReadOnly,
                          "This record source cannot be changed: it is a query that is read as it "
                          "stands.");
}

void Recordset::dropPending() {
    editMode_ = dbEditNone;
    pending_.clear();
}

void Recordset::showRecord() {
    if (observer_)
        observer_->recordShown(*this);
}

// Leaves the current record for `position` (which may lie before or after the rows).
void Recordset::moveTo(long position) {
    if (observer_)
        observer_->leavingRecord(*this);
    dropPending(); // a pending addition is dropped by a move
    arriveAt(position);
}

void Recordset::arriveAt(long position) {
    long count = static_cast<long>(keys_.size());
    position_ = std::clamp(position, -1L, count);
    currentDeleted_ = false;
    if (position_ >= 0 && position_ < count)
        rows().readRow(keys_[position_], current_, currentSizes_);
    showRecord();
}

void Recordset::MoveFirst() {
    ensureKeys();
    if (keys_.empty())
        noCurrentRecord();
    moveTo(0);
}

void Recordset::MoveLast() {
    ensureKeys();
    if (keys_.empty())
        noCurrentRecord();
    moveTo(static_cast<long>(keys_.size()) - 1);
}

void Recordset::MovePrevious() {
    ensureKeys();
    if (BOF())
        noCurrentRecord();
    moveTo(position_ - 1);
}

void Recordset::MoveNext() {
    ensureKeys();
    if (EOF_())
        noCurrentRecord();
    // After a delete the position already names the record that followed the deleted one.
    moveTo(currentDeleted_ ? position_ : position_ + 1);
}

bool Recordset::BOF() {
    ensureKeys();
    return keys_.empty() || position_ < 0;
}

bool Recordset::EOF_() {
    ensureKeys();
    return keys_.empty() || position_ >= static_cast<long>(keys_.size());
}

long Recordset::RecordCount() {
    ensureKeys();
    return static_cast<long>(keys_.size());
}

BookmarkId Recordset::Bookmark() {
    requireCurrent();
    return keys_[position_];
}

void Recordset::SetBookmark(BookmarkId bookmark) {
    ensureKeys();
    auto found = std::find(keys_.begin(), keys_.end(), bookmark);
    if (found == keys_.end())
        throw EngineError(err::RecordDeleted, "The bookmark names no record of this record set.");
    moveTo(static_cast<long>(found - keys_.begin()));
}

void Recordset::Edit() {
    requireUpdatable();
    if (editMode_ == dbEditAdd) {
        dropPending();
        arriveAt(positionBeforeAdd_);
    }
    requireCurrent();
    editMode_ = dbEditInProgress;
    pending_.assign(rows_->fields().size(), std::nullopt);
}

void Recordset::AddNew() {
    requireUpdatable();
    if (observer_)
        observer_->leavingRecord(*this);
    long before = editMode_ == dbEditAdd ? positionBeforeAdd_ : position_;
    dropPending();
    positionBeforeAdd_ = before;
    editMode_ = dbEditAdd;
    pending_.assign(rows_->fields().size(), std::nullopt);
    showRecord();
}

void Recordset::Update() {
    if (editMode_ == dbEditNone)
        nothingPending();
    if (observer_)
        observer_->preparingUpdate(*this);
    bool written = true;
    if (editMode_ == dbEditAdd)
        updateAddition();
    else
        written = updateEdit();
    if (observer_)
        observer_->recordStored(*this, *lastModified_, written);
}

// Only the fields whose value changes are written; an edit that changes none writes nothing, so that
// browsing costs no disk flush. A refused write keeps the edit pending, so nothing typed is lost.
bool Recordset::updateEdit() {
    requireCurrent();
    BookmarkId key = keys_[position_];
    const std::vector<FieldInfo>& fields = rows().fields();
    for (std::size_t i = 0; i < pending_.size(); ++i)
        if (pending_[i] && fields[i].kind != FieldKind::Binary && *pending_[i] == current_[i])
            pending_[i].reset();
    const bool changed =
        std::any_of(pending_.begin(), pending_.end(), [](const auto& v) { return v.has_value(); });
    if (changed) {
        rows_->update(key, current_, pending_);
        writtenKeys_.push_back(key);
    }
    dropPending();
    lastModified_ = key;
    if (changed)
        rows_->readRow(key, current_, currentSizes_);
    return changed;
}

void Recordset::updateAddition() {
    BookmarkId key = rows().insert(pending_);
    lastModified_ = key;
    dropPending();
    // The new row stays reachable until the next refresh; the record current before AddNew is current again.
    addedKeys_.push_back(key);
    if (!keysLoaded_)
        return; // nothing was current; the new row joins the others at the first read
    keys_.push_back(key);
    // The record current before AddNew is still the one held in memory: no need to read it again.
    position_ = positionBeforeAdd_;
    showRecord();
}

void Recordset::CancelUpdate() {
    if (editMode_ == dbEditNone)
        nothingPending();
    bool adding = editMode_ == dbEditAdd;
    dropPending();
    if (adding)
        arriveAt(positionBeforeAdd_);
    else
        showRecord();
}

void Recordset::Delete() {
    requireUpdatable();
    if (editMode_ == dbEditAdd) // the current record is the new one, which is not stored yet
        noCurrentRecord();
    requireCurrent();
    BookmarkId key = keys_[position_];
    rows_->remove(key, current_);
    dropPending();
    keys_.erase(keys_.begin() + position_);
    std::erase(addedKeys_, key);
    std::erase(writtenKeys_, key);
    // No record is usable until the next move; the position now names the record that followed.
    currentDeleted_ = true;
    showRecord();
    if (observer_)
        observer_->recordDeleted(*this, key);
}

RequeryChanges Recordset::Requery() {
    dropPending();
    lastModified_.reset();
    noMatch_ = false;
    currentDeleted_ = false;
    RequeryChanges changes;
    if (!keysLoaded_ || rows().changedByOthers()) {
        // Read again at the first need, as a record set just opened reads them.
        keys_.clear();
        keysLoaded_ = false;
        addedKeys_.clear();
        writtenKeys_.clear();
        position_ = -1;
        return changes;
    }
    changes.everyRow = false;
    changes.touched = writtenKeys_;
    changes.touched.insert(changes.touched.end(), addedKeys_.begin(), addedKeys_.end());
    std::sort(changes.touched.begin(), changes.touched.end());
    changes.touched.erase(std::unique(changes.touched.begin(), changes.touched.end()), changes.touched.end());
    const long kept = changes.touched.size() == 1 ? keptPlace(changes.touched.front()) : -1;
    if (kept >= 0) {
        changes.placed.emplace_back(kept, changes.touched.front());
    } else if (!changes.touched.empty()) {
        // Worked on a copy, so that a failing read leaves the record set as it was.
        std::vector<BookmarkId> keys = keys_;
        std::erase_if(keys, [&](BookmarkId key) {
            return std::binary_search(changes.touched.begin(), changes.touched.end(), key);
        });
        for (BookmarkId key : changes.touched)
            if (rows_->selects(key))
                keys.insert(keys.begin() + insertionPoint(keys, key), key);
        for (BookmarkId key : changes.touched)
            if (auto found = std::find(keys.begin(), keys.end(), key); found != keys.end())
                changes.placed.emplace_back(static_cast<long>(found - keys.begin()), key);
        std::sort(changes.placed.begin(), changes.placed.end());
        keys_ = std::move(keys);
    }
    rows_->beginRead();
    addedKeys_.clear();
    writtenKeys_.clear();
    position_ = keys_.empty() ? -1 : 0;
    if (!keys_.empty())
        rows_->readRow(keys_[0], current_, currentSizes_);
    return changes;
}

// The position of `key`, the one row written since the rows were read, when the source still selects it
// between the rows beside it, as a write that leaves the sort's fields alone leaves it; -1 otherwise. The
// other rows stand in the source's order, so it stands where a search among them would put it: two
// comparisons instead of a search, and no key moves.
long Recordset::keptPlace(BookmarkId key) {
    const auto size = static_cast<long>(keys_.size());
    long at = position_;
    if (at < 0 || at >= size || keys_[at] != key)
        at = static_cast<long>(std::find(keys_.begin(), keys_.end(), key) - keys_.begin());
    if (at == size || !rows_->selects(key))
        return -1;
    const bool afterPrevious = at == 0 || rows_->precedes(keys_[at - 1], key);
    return afterPrevious && (at + 1 == size || rows_->precedes(key, keys_[at + 1])) ? at : -1;
}

// Where `key` goes among `keys`, which stand in the source's order, by halving.
long Recordset::insertionPoint(const std::vector<BookmarkId>& keys, BookmarkId key) {
    long low = 0;
    long high = static_cast<long>(keys.size());
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (rows_->precedes(keys[middle], key))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void Recordset::FindFirst(const Criterion& criterion) {
    int field = Fields(criterion.field).index();
    if (!criterion.literal)
        checkPattern(criterion.pattern);
    ensureKeys();
    // While the rows held stand in the source's order, the first match in that order is the one; otherwise
    // every match is set against the rows held.
    const bool inSourceOrder = writtenKeys_.empty() && !rows().changedByOthers();
    const long position = inSourceOrder ? firstMatchInOrder(field, criterion)
                                        : firstPositionOf(rows().matching(field, criterion, addedKeys_));
    noMatch_ = position < 0;
    if (noMatch_)
        return;
    if (position != position_ || currentDeleted_ || editMode_ == dbEditAdd)
        moveTo(position);
}

// One pass over the source in its order, stopped at the first match. Rows added through the record set
// may stand elsewhere among the rows held (after the others once they were read), so a match among them
// does not stop the pass.
long Recordset::firstMatchInOrder(int field, const Criterion& criterion) {
    long first = -1;
    bool stopped = false;
    rows_->eachMatching(field, criterion, [&](BookmarkId key) {
        const long position = firstPositionOf({key});
        if (position >= 0 && (first < 0 || position < first))
            first = position;
        stopped = std::find(addedKeys_.begin(), addedKeys_.end(), key) == addedKeys_.end();
        return stopped;
    });
    // Added rows the source does not select are still held: only the whole test finds them.
    if (!stopped && !addedKeys_.empty())
        return firstPositionOf(rows_->matching(field, criterion, addedKeys_));
    return first;
}

// The first position, in the record set's order, that holds one of `found`; -1 when none does.
long Recordset::firstPositionOf(const std::vector<BookmarkId>& found) const {
    // A few matches, as a key gives, are looked up one by one rather than set against every row.
    constexpr std::size_t FewMatches = 8;
    auto first = keys_.end();
    if (found.size() <= FewMatches) {
        for (BookmarkId key : found)
            first = std::min(first, std::find(keys_.begin(), first, key));
    } else {
        std::unordered_set<BookmarkId> matches(found.begin(), found.end());
        first =
            std::find_if(keys_.begin(), keys_.end(), [&](BookmarkId key) { return matches.count(key) != 0; });
    }
    return first == keys_.end() ? -1 : static_cast<long>(first - keys_.begin());
}

Field Recordset::Fields(std::string_view name) {
    const std::vector<FieldInfo>& fields = rows().fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (equalsIgnoringCase(fields[i].name, name))
            return Field(*this, static_cast<int>(i));
    throw EngineError(err::ItemNotFound, "The record set has no field named '" + std::string(name) + "'.");
}

Field Recordset::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        throw EngineError(err::ItemNotFound,
                          "The record set has no field number " + std::to_string(index) + ".");
    return Field(*this, index);
}

int Recordset::FieldCount() const {
    return static_cast<int>(rows().fields().size());
}

bool Recordset::updatable() const {
    return rows().updatable();
}

// The field's value where the record set holds it; nullptr for stored bytes, which are read only when asked
// for.
const Value* Recordset::heldValue(int index) {
    static const Value none;
    if (editMode_ != dbEditNone && pending_[index])
        return &*pending_[index];
    if (editMode_ == dbEditAdd)
        return &none;
    requireCurrent();
    if (rows().fields()[index].kind == FieldKind::Binary && currentSizes_[index] > 0)
        return nullptr;
    return &current_[index];
}

Value Recordset::fieldValue(int index) {
    if (const Value* held = heldValue(index))
        return *held;
    return rows_->readBinary(keys_[position_], index);
}

std::unique_ptr<BinaryReader> Recordset::fieldReader(int index) {
    if (const Value* held = heldValue(index))
        return readerOfValue(*held);
    return rows_->openBinary(keys_[position_], index);
}

void Recordset::setFieldValue(int index, Value value) {
    if (editMode_ == dbEditNone)
        nothingPending();
    pending_[index] = valueForField(rows().fields()[index], std::move(value));
}

void Recordset::revertField(int index) {
    if (editMode_ != dbEditNone)
        pending_[index].reset();
}

std::int64_t Recordset::fieldSize(int index) {
    if (editMode_ != dbEditNone && pending_[index])
        return pending_[index]->storedSize();
    if (editMode_ == dbEditAdd)
        return 0;
    requireCurrent();
    return currentSizes_[index];
}

// Placed past the end first, so that the walk reads rows alone: a source that holds its rows hands them
// over without a copy.
void Recordset::EachRecord(const std::function<void(std::span<const Value>)>& take) {
    ensureKeys();
    if (keys_.empty())
        noCurrentRecord();
    moveTo(static_cast<long>(keys_.size()));
    std::vector<Value> scratch;
    for (BookmarkId key : keys_)
        take(rows_->rowValues(key, scratch));
}

Value Recordset::ValueOf(BookmarkId bookmark, std::string_view field) {
    const int index = Fields(field).index();
    std::vector<Value> row;
    std::vector<std::int64_t> sizes;
    rows_->readRow(bookmark, row, sizes);
    return row[index];
}

std::vector<std::pair<BookmarkId, Value>> Recordset::ColumnValues(std::string_view name) {
    int field = Fields(name).index();
    if (!keysLoaded_)
        rows().beginRead();
    std::vector<std::pair<BookmarkId, Value>> values = rows().column(field);
    // Read before the keys, the column brings them in the same pass.
    if (!keysLoaded_) {
        std::vector<BookmarkId> keys;
        keys.reserve(values.size());
        for (const auto& entry : values)
            keys.push_back(entry.first);
        adoptKeys(std::move(keys));
    }
    bool sameOrder = values.size() == keys_.size() &&
                     std::equal(keys_.begin(), keys_.end(), values.begin(),
                                [](BookmarkId key, const auto& entry) { return key == entry.first; });
    if (sameOrder)
        return values;
    // Rows added since the keys were read follow the others, as the record set holds them.
    std::unordered_map<BookmarkId, Value> byKey;
    for (auto& entry : values)
        byKey.emplace(entry.first, std::move(entry.second));
    std::vector<std::pair<BookmarkId, Value>> ordered;
    ordered.reserve(keys_.size());
    std::vector<Value> row;
    std::vector<std::int64_t> sizes;
    for (BookmarkId key : keys_) {
        if (auto found = byKey.find(key); found != byKey.end()) {
            ordered.emplace_back(key, std::move(found->second));
        } else {
            rows_->readRow(key, row, sizes);
            ordered.emplace_back(key, row[field]);
        }
    }
    return ordered;
}

void Recordset::Close() {
    dropPending();
    rows_.reset();
    keys_.clear();
    keysLoaded_ = false;
}

} // namespace pellimo
