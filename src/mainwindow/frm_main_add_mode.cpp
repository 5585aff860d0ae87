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

    switch (TabMode) {
    case SetsPage:
        txtCode->setReadOnly(false);
        txtCode->setFocus();
        // While a set is added, the value box takes the value of one basic card.
        lblSetVal->setText("Basic Card Value");
        break;
    case BasicsPage:
        if (BasRecCount == std::numeric_limits<std::int16_t>::max())
            throw EngineError(err::Overflow, "Overflow");
        ++BasRecCount;
        showText(*txtBasCardNum, QString::number(BasRecCount));
        showText(*txtBasSet, txtCode->text());
        // The boxes keep the size the last picture gave them.
        picBasFront->clear();
        picBasBack->clear();
        txtBasCardNum->setFocus();
        break;
    case SpecialsPage:
        showText(*txtSpecCode, txtCode->text());
        picSpecFront->clear();
        picSpecBack->clear();
        txtSpecCardNum->setFocus();
        break;
    default:
        break;
    }
}

} // namespace pellimo
