#include "fast_find_box.h"

#include "data_source.h"
#include "fast_find_list.h"
#include "skipped_failures.h"

#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace pellimo {

namespace {

// Keys with which a closed combo box picks an entry of its own accord.
bool picksEntry(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Alt+Down opens the list; Ctrl with the arrows steps through the completions of the text.
        return !(key.modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    default:
        return false;
    }
}

// The completer follows the list only while the box holds the focus, the one time the user types into it:
// each change of a list it follows makes it search the list again, and a rename changes the list.
class FastFindEvents : public QObject {
public:
    FastFindEvents(QComboBox& box, QCompleter& completer, std::function<void()> gotFocus)
        : QObject(&box), box_(box), completer_(completer), gotFocus_(std::move(gotFocus)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            return picksEntry(*static_cast<QKeyEvent*>(event));
        case QEvent::Wheel:
            return true;
        case QEvent::FocusIn: {
            if (completer_.model() != box_.model())
                completer_.setModel(box_.model());
            // Coming back from another window or from the box's own list is no entry into the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                gotFocus_();
            break;
        }
        case QEvent::FocusOut:
            // The box's own list takes the focus while the user still works in the box.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                completer_.setModel(nullptr);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox& box_;
    QCompleter& completer_;
    std::function<void()> gotFocus_;
};

FastFindList& listOf(QComboBox& box) {
    return *static_cast<FastFindList*>(box.model());
}

// A combo box whose list changes may show an entry of its own accord; the box shows only what the user
// typed.
void keepingTypedText(QComboBox& box, const std::function<void(FastFindList&)>& change) {
    const QString typed = box.currentText();
    change(listOf(box));
    box.setEditText(typed);
}

QString entryText(const Value& desc) {
    return QString::fromStdString(desc.toString());
}

// Refills the box's list with each record's description; the text typed into the box stays.
void fillFastFind(QComboBox& box, const std::vector<std::pair<BookmarkId, Value>>& descriptions) {
    std::vector<FastFindList::Entry> entries;
    entries.reserve(descriptions.size());
    for (const auto& [bookmark, desc] : descriptions)
        entries.push_back({bookmark, entryText(desc)});
    keepingTypedText(box, [&](FastFindList& list) { list.setEntries(std::move(entries)); });
}

// Whether every row a refresh read again stands where its entry stands, as after a store that kept the
// record's place: then no entry moves, since the others keep their order.
bool keptTheirPlaces(const FastFindList& list, const RequeryChanges& changes) {
    return changes.placed.size() == changes.touched.size() &&
           std::all_of(changes.placed.begin(), changes.placed.end(), [&list](const auto& place) {
               return place.first < list.rowCount() &&
                      list.bookmark(static_cast<int>(place.first)) == place.second;
           });
}

// Only the entries of the rows a refresh read again move, each to where the rows now put it. Their text is
// already the stored one: each store of this data source set it.
void placeTouchedEntries(FastFindList& list, const RequeryChanges& changes) {
    if (keptTheirPlaces(list, changes))
        return;
    std::vector<FastFindList::Entry> moving;
    for (BookmarkId bookmark : changes.touched)
        if (std::optional<FastFindList::Entry> entry = list.removeEntry(bookmark))
            moving.push_back(std::move(*entry));
    for (const auto& [position, bookmark] : changes.placed) {
        const auto entry =
            std::find_if(moving.begin(), moving.end(),
                         [bookmark = bookmark](const auto& each) { return each.bookmark == bookmark; });
        // An entry whose store could not be read back stays out of the list, as it was.
        if (entry != moving.end())
            list.insertEntry(static_cast<int>(position), std::move(*entry));
    }
}

} // namespace

void makeFastFindBox(QComboBox& box, std::function<void()> gotFocus) {
    auto* list = new FastFindList(&box);
    box.setModel(list);
    box.setInsertPolicy(QComboBox::NoInsert);
    // The box has a fixed size: measuring thousands of descriptions would cost more than reading them.
    box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* view = qobject_cast<QListView*>(box.view()))
        view->setUniformItemSizes(true);
    auto* completer = new QCompleter(&box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    box.setCompleter(completer);
    // Leaving a box whose typed text matches an entry would otherwise pick that entry: only a choice from the
    // list moves the record.
    QObject::disconnect(box.lineEdit(), SIGNAL(editingFinished()), &box, static_cast<const char*>(nullptr));
    box.installEventFilter(new FastFindEvents(box, *completer, std::move(gotFocus)));
}

// The list is read whole only when the data source reads every row again; a store or a delete changes its
// one entry, a refresh after them places the entries of the rows written, and a store that wrote nothing
// changes nothing. Nothing may escape into the data source's signals.
void followDataSource(QComboBox& box, DataSource& source) {
    QObject::connect(&source, &DataSource::refreshed, &box, [&box, &source](const RequeryChanges& changes) {
        if (!changes.everyRow) {
            keepingTypedText(box, [&](FastFindList& list) { placeTouchedEntries(list, changes); });
            return;
        }
        std::vector<std::pair<BookmarkId, Value>> descriptions;
        try {
            descriptions = source.Recordset().ColumnValues("Desc");
        } catch (const std::exception& failure) {
            // A list that cannot be read stays empty.
            logSkippedFailure(failure);
        }
        fillFastFind(box, descriptions);
    });
    QObject::connect(&source, &DataSource::recordWritten, &box, [&box, &source](BookmarkId bookmark) {
        try {
            const QString desc = entryText(source.Recordset().ValueOf(bookmark, "Desc"));
            keepingTypedText(box, [&](FastFindList& list) { list.setEntry({bookmark, desc}); });
        } catch (const std::exception& failure) {
            // The entry keeps the description it showed.
            logSkippedFailure(failure);
        }
    });
    QObject::connect(&source, &DataSource::recordRemoved, &box, [&box](BookmarkId bookmark) {
        keepingTypedText(box, [&](FastFindList& list) { list.removeEntry(bookmark); });
    });
}

BookmarkId selectedBookmark(QComboBox& box) {
    return listOf(box).bookmark(box.currentIndex());
}

} // namespace pellimo
