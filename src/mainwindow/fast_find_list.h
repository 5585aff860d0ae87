#pragma once

#include "record_source.h"

#include <QAbstractListModel>
#include <QString>
#include <optional>
#include <vector>

namespace pellimo {

// The drop-down list of a Fast Find box: one entry per record of its data source, in the data source's
// order, showing the record's description and carrying its bookmark. A plain vector, so that a set of
// thousands of cards fills at once.
class FastFindList : public QAbstractListModel {
    Q_OBJECT

public:
    struct Entry {
        BookmarkId bookmark;
        QString desc;
    };

    using QAbstractListModel::QAbstractListModel;

    void setEntries(std::vector<Entry> entries);
    // The entry of `bookmark` takes `desc`; an entry the list does not hold yet joins its end.
    void setEntry(Entry entry);
    // The entry of `bookmark` leaves the list, which hands it back; none when the list does not hold it.
    std::optional<Entry> removeEntry(BookmarkId bookmark);
    // The entry joins the list at `row`, or at its end when the list is shorter.
    void insertEntry(int row, Entry entry);
    BookmarkId bookmark(int row) const { return entries_.at(static_cast<std::size_t>(row)).bookmark; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<Entry>::iterator find(BookmarkId bookmark);

    std::vector<Entry> entries_;
};

} // namespace pellimo
