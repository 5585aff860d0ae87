#include "fast_find_list.h"

#include <algorithm>

namespace pellimo {

void FastFindList::setEntries(std::vector<Entry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

std::vector<FastFindList::Entry>::iterator FastFindList::find(BookmarkId bookmark) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [bookmark](const Entry& entry) { return entry.bookmark == bookmark; });
}

void FastFindList::setEntry(Entry entry) {
    auto found = find(entry.bookmark);
    const int row = static_cast<int>(found - entries_.begin());
    if (found != entries_.end()) {
        // The views learn of it only when it showed something else.
        if (found->desc != entry.desc) {
            found->desc = std::move(entry.desc);
            emit dataChanged(index(row), index(row));
        }
        return;
    }
    beginInsertRows({}, row, row);
    entries_.push_back(std::move(entry));
    endInsertRows();
}

std::optional<FastFindList::Entry> FastFindList::removeEntry(BookmarkId bookmark) {
    auto found = find(bookmark);
    if (found == entries_.end())
        return std::nullopt;
    const int row = static_cast<int>(found - entries_.begin());
    beginRemoveRows({}, row, row);
    Entry removed = std::move(*found);
    entries_.erase(found);
    endRemoveRows();
    return removed;
}

void FastFindList::insertEntry(int row, Entry entry) {
    row = std::min(row, static_cast<int>(entries_.size()));
    beginInsertRows({}, row, row);
    entries_.insert(entries_.begin() + row, std::move(entry));
    endInsertRows();
}

int FastFindList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant FastFindList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return entries_[static_cast<std::size_t>(index.row())].desc;
}

} // namespace pellimo
