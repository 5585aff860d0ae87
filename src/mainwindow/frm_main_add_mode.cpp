#include "engine_error.h"
#include "frm_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <limits>

namespace pellimo {

namespace {

// The number of the platform's own overflow failure.
constexpr int OverflowError = 6;

} // namespace

void FrmMain::cmdNew() {
    for (int index : {1, 2, 3, 4, 5, 6, 7, 10})
        Buttons(index).setEnabled(false);
    Buttons(9).setEnabled(true);

    switch (TabMode) {
    case 1:
        txtCode->setReadOnly(false);
        txtCode->setFocus();
        // While a set is added, the value box takes the value of one basic card.
        lblSetVal->setText("Basic Card Value");
        break;
    case 2:
        if (BasRecCount == std::numeric_limits<std::int16_t>::max())
            throw EngineError(OverflowError, "Overflow");
        ++BasRecCount;
        txtBasCardNum->setText(QString::number(BasRecCount));
        txtBasSet->setText(txtCode->text());
        // The boxes keep the size the last picture gave them.
        picBasFront->clear();
        picBasBack->clear();
        txtBasCardNum->setFocus();
        break;
    case 3:
        txtSpecCode->setText(txtCode->text());
        picSpecFront->clear();
        picSpecBack->clear();
        txtSpecCardNum->setFocus();
        break;
    default:
        break;
    }
}

} // namespace pellimo
