#include "box_text.h"
#include "edit_mode.h"
#include "fast_find_box.h"
#include "frm_main.h"

#include <QComboBox>
#include <QLineEdit>

namespace pellimo {

void FrmMain::connectFastFind() {
    const struct {
        QComboBox* box;
        DataSource* source;
        void (FrmMain::*click)(std::int16_t&);
        void (FrmMain::*gotFocus)();
    } boxes[] = {{DBCombo1, &datSets, &FrmMain::DBCombo1_Click, &FrmMain::DBCombo1_GotFocus},
                 {DBCombo2, &datBasics, &FrmMain::DBCombo2_Click, &FrmMain::DBCombo2_GotFocus},
                 {DBCombo3, &DatSpecials, &FrmMain::DBCombo3_Click, &FrmMain::DBCombo3_GotFocus}};
    for (const auto& [box, source, click, gotFocus] : boxes) {
        makeFastFindBox(*box, [this, gotFocus = gotFocus] { guardHandler([&] { (this->*gotFocus)(); }); });
        followDataSource(*box, *source);
        connect(box, &QComboBox::activated, this, [this, click = click] {
            guardHandler([&] {
                std::int16_t Area = 2;
                (this->*click)(Area);
            });
        });
    }
}

void FrmMain::DBCombo1_Click(std::int16_t& Area) {
    if (Area != 2)
        return;
    jumpToChosenEntry(*DBCombo1);
    txtDesc->setFocus();
    DBCombo1->setEditText("");
    showAsCurrency(*txtvalue);
}

void FrmMain::DBCombo2_Click(std::int16_t& Area) {
    if (Area == 2)
        showChosenCard(basicsPage_);
}

void FrmMain::DBCombo3_Click(std::int16_t& Area) {
    if (Area == 2)
        showChosenCard(specialsPage_);
}

void FrmMain::showChosenCard(const CardPage& page) {
    jumpToChosenEntry(*page.fastFind);
    pictures.GetPicture(page.page);
    page.cardNumber->setFocus();
    showAsCurrency(*page.value);
    page.fastFind->setEditText("");
}

void FrmMain::jumpToChosenEntry(QComboBox& box) {
    CurData->Recordset().SetBookmark(selectedBookmark(box));
}

void FrmMain::DBCombo1_GotFocus() {
    refuseFastFindWhileAdding(*txtCode);
}

void FrmMain::DBCombo2_GotFocus() {
    refuseFastFindWhileAdding(*basicsPage_.cardNumber);
}

void FrmMain::DBCombo3_GotFocus() {
    refuseFastFindWhileAdding(*specialsPage_.cardNumber);
}

void FrmMain::refuseFastFindWhileAdding(QLineEdit& firstField) {
    if (editModeOf(*CurData) != dbEditAdd)
        return;
    dialogs_.MsgBox("You cannot use Fast Find when adding a new record", vbCritical, "Select Error");
    firstField.setFocus();
}

} // namespace pellimo
