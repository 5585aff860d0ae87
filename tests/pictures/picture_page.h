#pragma once

#include "card_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace pellimo {

// A card page as the pictures see it: its data source and its two picture boxes, numbered as the window
// numbers them. The window's other controls of the page, which the pictures never reach, stay null.
struct PicturePage {
    PicturePage(Page shown, DataSource& source, QLabel*& front, QLabel*& back)
        : page{shown,
               source,
               "",
               noFrame,
               noFastFind,
               noBox,
               noBox,
               noBox,
               noBox,
               noBox,
               front,
               back,
               shown == BasicsPage ? 1 : 3,
               shown == BasicsPage,
               shown == SpecialsPage} {}

    QGroupBox* noFrame = nullptr;
    QComboBox* noFastFind = nullptr;
    QLineEdit* noBox = nullptr;
    const CardPage page;
};

} // namespace pellimo
