#pragma once

#include "record_source.h"
#include "value.h"

#include <functional>
#include <utility>
#include <vector>

class QComboBox;

namespace pellimo {

// Makes a combo box a Fast Find box. Its list is a FastFindList; typing completes from it, but only a
// choice from the open list picks an entry (the box's activated signal): Enter, the arrow keys and the
// wheel, with which a closed combo box picks entries itself, do nothing. gotFocus runs when the box
// receives the focus from within the window.
void makeFastFindBox(QComboBox& box, std::function<void()> gotFocus);

// Refills the box's list with each record's description; the text typed into the box stays.
void fillFastFind(QComboBox& box, const std::vector<std::pair<BookmarkId, Value>>& descriptions);

// The bookmark of the entry the box has selected.
BookmarkId selectedBookmark(QComboBox& box);

} // namespace pellimo
