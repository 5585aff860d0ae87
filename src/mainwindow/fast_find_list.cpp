#include "fast_find_list.h"

namespace pellimo {

void FastFindList::setEntries(std::vector<Entry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
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
