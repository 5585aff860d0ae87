#pragma once

#include "pages.h"

#include <cstdint>
#include <span>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace pellimo {

class DataSource;

// One card page of the main window, described once: where its cards come from, the boxes that show them,
// its pictures and its Fast Find box, and what sets it apart from the other card page. The controls are
// reached through the window's own pointers, so a page may be described before its controls are built.
struct CardPage {
    Page page; // its tab, and what TabMode holds while it is shown
    DataSource& source;
    // The cards of one set, its code bound to the `?`.
    const char* query;
    QGroupBox*& frame;
    QComboBox*& fastFind;
    QLineEdit*& setCode;
    QLineEdit*& setName;
    QLineEdit*& cardNumber;
    QLineEdit*& description;
    QLineEdit*& value;
    QLabel*& front;
    QLabel*& back;
    // The pending-picture slot of the front; the back's is the next one.
    int frontSlot;
    // New proposes the number after the cards counted on entering the page.
    bool countsCards;
    // A page entered without cards begins a new one at once, and a new card left without a description
    // is dropped instead of stored.
    bool beginsCardWhenEmpty;
};

// The page of `pages` that `page` numbers, or none.
inline const CardPage* cardPageNumbered(std::span<const CardPage* const> pages, std::int16_t page) {
    for (const CardPage* card : pages)
        if (card->page == page)
            return card;
    return nullptr;
}

} // namespace pellimo
