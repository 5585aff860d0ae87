#include "box_text.h"
#include "engine_error.h"
#include "frm_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <limits>

namespace pellimo {

void FrmMain::cmdNew() {
    setButtonsEnabled(
        {NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton, FindButton, ReportButton},
        false);
    setButtonsEnabled({SaveButton}, true);

    if (TabMode == SetsPage) {
        txtCode->setReadOnly(false);
        txtCode->setFocus();
        // While a set is added, the value box takes the value of one basic card.
        lblSetVal->setText("Basic Card Value");
    } else if (const CardPage* page = cardPageShown()) {
        if (page->countsCards) {
            if (BasRecCount == std::numeric_limits<std::int16_t>::max())
                throw EngineError(err::Overflow, "Overflow");
            ++BasRecCount;
            showText(*page->cardNumber, QString::number(BasRecCount));
        }
        showText(*page->setCode, txtCode->text());
        // The boxes keep the size the last picture gave them.
        page->front->clear();
        page->back->clear();
        page->cardNumber->setFocus();
    }
}

} // namespace pellimo
