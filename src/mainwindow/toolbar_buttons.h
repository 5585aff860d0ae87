#pragma once

#include <array>

namespace pellimo {

// The ten toolbar buttons in their order: the key the dispatcher compares, the caption, the image of the
// toolbar's image list, and the tooltip while the Sets page is shown and while a card page is.
struct ToolbarButtonEntry {
    const char* key;
    const char* caption;
    int image;
    const char* setsTooltip;
    const char* cardTooltip;
};

inline constexpr std::array<ToolbarButtonEntry, 10> toolbarButtonTable{{
    {"New", "New", 5, "Create a New Set of Cards", "Create a New Card"},
    {"First", "First", 1, "Show the First set in collection", "Show the first Card in collection"},
    {"Prev", "Previous", 2, "Show the Previous Set", "Show the Previous Card"},
    {"Next", "Next", 3, "Show the Next Set", "Show the Next Card"},
    {"Last", "Last", 4, "Show the Last set in collection", "Show the Last Card in collection"},
    {"Delete", "Delete", 6, "Delete this Set", "Delete this Card"},
    {"Find", "Find", 7, "Find a set of cards by typing part of the set name",
     "Find a card by typing part of the card name"},
    {"Cancel", "Cancel", 8, "Cancel any changes you made to current Set Record",
     "Cancel any changes you made to current Card Record"},
    {"Save", "Save", 9, "Save New Set", "Save New Card"},
    {"Report", "Report", 10, "Create Sets Report", "Create Sets Report"},
}};

} // namespace pellimo
