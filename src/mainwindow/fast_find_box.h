#pragma once

#include "record_source.h"

#include <functional>

class QComboBox;

namespace pellimo {

class DataSource;

// Makes a combo box a Fast Find box. Its list is a FastFindList; typing completes from it, but only a
// choice from the open list picks an entry (the box's activated signal): Enter, the arrow keys and the
// wheel, with which a closed combo box picks entries itself, do nothing. gotFocus runs when the box
// receives the focus from within the window.
void makeFastFindBox(QComboBox& box, std::function<void()> gotFocus);

// The box's list follows `source`: filled from every record's description when the data source reads every
// row again, one entry changed, added, moved or removed when a record is written or deleted through it.
void followDataSource(QComboBox& box, DataSource& source);

// The bookmark of the entry the box has selected.
BookmarkId selectedBookmark(QComboBox& box);

} // namespace pellimo
