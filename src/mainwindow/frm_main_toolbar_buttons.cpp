#include "frm_main.h"
#include "toolbar_buttons.h"

#include <QToolButton>

namespace pellimo {

QToolButton& FrmMain::Buttons(ToolbarButton index) const {
    return *buttons_.at(static_cast<std::size_t>(index - NewButton));
}

void FrmMain::setButtonsEnabled(std::initializer_list<ToolbarButton> buttons, bool enabled) const {
    for (ToolbarButton index : buttons)
        Buttons(index).setEnabled(enabled);
}

void FrmMain::loadToolbarImages() {
    ImageList1.clear();
    for (int k = 1; k <= 10; ++k)
        ImageList1.push_back(QIcon(QString(":/icons/%1.png").arg(200 + k)));
    for (std::size_t i = 0; i < toolbarButtonTable.size(); ++i)
        buttons_[i]->setIcon(ImageList1.at(static_cast<std::size_t>(toolbarButtonTable[i].image - 1)));
}

void FrmMain::setToolbarTooltips(TooltipWording wording) {
    for (std::size_t i = 0; i < toolbarButtonTable.size(); ++i) {
        const ToolbarButtonEntry& entry = toolbarButtonTable[i];
        buttons_[i]->setToolTip(wording == TooltipWording::Sets ? entry.setsTooltip : entry.cardTooltip);
    }
}

} // namespace pellimo
