#include "box_text.h"
#include "edit_mode.h"
#include "engine_error.h"
#include "frm_main.h"
#include "picture_box.h"
#include "resume_next.h"
#include "tab_strip.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <exception>
#include <initializer_list>
#include <limits>

namespace pellimo {

void FrmMain::connectTabStrip() {
    connect(TabStrip1, &QTabBar::currentChanged, this,
            [this] { guardHandler([this] { TabStrip1_Click(); }); });
    // A refused switch leaves the clicked tab selected: clicking it again asks for the switch again.
    connect(TabStrip1, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == TabStrip1->currentIndex())
            guardHandler([this] { TabStrip1_Click(); });
    });
}

void FrmMain::TabStrip1_Click() {
    const auto selected = static_cast<std::int16_t>(SetsPage + TabStrip1->currentIndex());
    if (selected == TabMode)
        return;
    const int editMode = editModeOf(*CurData);
    if (TabMode == SetsPage && editMode == dbEditAdd) {
        dialogs_.MsgBox("You must save the set record first\r\nbefore selecting Basics or Specials",
                        vbCritical, "Select Error");
        return;
    }
    if (TabMode == SetsPage)
        SaveNav();
    const CardPage* left = cardPageShown();
    if (left && editMode != dbEditNone) {
        if (!endCardEdit(*left, editMode)) {
            showTabOfPageShown();
            return;
        }
    } else {
        setButtonsEnabled({NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton,
                           FindButton, CancelButton, ReportButton},
                          true);
    }

    switch (selected) {
    case SetsPage:
        cmdSets();
        break;
    case BasicsPage:
        cmdBasics();
        break;
    case SpecialsPage:
        cmdSpecials();
        break;
    default:
        break;
    }
    TabMode = selected;
}

// The card being left is saved, or dropped when it is a new special card without a description. False
// when the catalogue refused it: the page stays with the card pending.
bool FrmMain::endCardEdit(const CardPage& page, int editMode) {
    if (page.beginsCardWhenEmpty && editMode == dbEditAdd && page.description->text().isEmpty()) {
        CurData->Recordset().CancelUpdate();
    } else if (!storeRecordShown([this] { CardUpdate(); })) {
        return false;
    }
    // The add is over: the next page must not offer Save, which would take its record for a new one.
    if (editMode == dbEditAdd)
        endAddModeToolbar();
    return true;
}

// The tab strip goes back to the tab of the page still shown, without asking for a switch.
void FrmMain::showTabOfPageShown() {
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->setCurrentIndex(TabMode - SetsPage);
}

void FrmMain::SaveNav() {
    PrevOn = Buttons(PrevButton).isEnabled();
    NextOn = Buttons(NextButton).isEnabled();
}

// Each set-up passes over a failing step, so that a page without records, or whose query fails, is still
// shown whole: its frame, TabMode and CurData always name the same page.
void FrmMain::cmdSets() {
    ResumeNext step;
    step([&] { setToolbarTooltips(TooltipWording::Sets); });
    step([&] { mnuPic->setEnabled(false); });
    step([&] { showPageFrame(Frame1); });
    step([&] { Buttons(PrevButton).setEnabled(PrevOn); });
    step([&] { Buttons(NextButton).setEnabled(NextOn); });
    step([&] { CurData = &datSets; });
    step([&] { showFastFindBox(DBCombo1); });
    step([&] { CurData->Recordset().Edit(); });
    step([&] { OldDesc = txtDesc->text(); });
    step([&] { showSetValue(); });
    step([&] { showSetCardCount(); });
    step([&] { txtDesc->setFocus(); });
    step([&] { showAsCurrency(*txtvalue); });
}

void FrmMain::cmdBasics() {
    showCardPage(basicsPage_);
}

void FrmMain::cmdSpecials() {
    showCardPage(specialsPage_);
}

void FrmMain::showCardPage(const CardPage& page) {
    ResumeNext step;
    step([&] { setToolbarTooltips(TooltipWording::Card); });
    step([&] { mnuPic->setEnabled(true); });
    step([&] { CurData = &page.source; });
    step([&] { showText(*page.setName, txtDesc->text()); });
    step([&] { CardSQL = page.query; });
    step([&] { openCardQuery(page); });
    const bool noCards = step([&] { page.source.Recordset().MoveLast(); }) == err::NoCurrentRecord;
    if (noCards && page.beginsCardWhenEmpty) {
        // Without a record begun, EmptySpec would offer Save with nothing to save.
        if (step([&] { CurData->Recordset().AddNew(); }) == 0)
            step([&] { EmptySpec(page); });
    } else {
        if (page.countsCards) {
            step([&] {
                const long count = page.source.Recordset().RecordCount();
                BasRecCount = static_cast<std::int16_t>(
                    std::min<long>(count, std::numeric_limits<std::int16_t>::max()));
            });
        }
        step([&] { page.source.Recordset().MoveFirst(); });
        step([&] { CurData->Recordset().Edit(); });
        step([&] { OldDesc = page.description->text(); });
        step([&] { pictures.GetPicture(page.page); });
        step([&] { Buttons(PrevButton).setEnabled(true); });
        step([&] { Buttons(NextButton).setEnabled(true); });
    }
    step([&] { showFastFindBox(page.fastFind); });
    step([&] { showPageFrame(page.frame); });
    step([&] { page.cardNumber->setFocus(); });
    step([&] { showAsCurrency(*page.value); });
}

void FrmMain::EmptySpec(const CardPage& page) {
    dialogs_.MsgBox("Currently there are no specials cards for this set", vbCritical, "New Set of Specials");
    setButtonsEnabled({NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton, FindButton},
                      false);
    setButtonsEnabled({CancelButton, SaveButton}, true);
    Buttons(ReportButton).setEnabled(false);
    showText(*page.setCode, txtCode->text());
    blankBox(*page.front);
    blankBox(*page.back);
}

// The Fast Find boxes lie in one place: only the page's own is shown, and it starts empty.
void FrmMain::showFastFindBox(QComboBox* shown) {
    for (QComboBox* box : {DBCombo1, DBCombo2, DBCombo3})
        if (box != shown)
            box->hide();
    shown->show();
    shown->setEditText(QString());
}

void FrmMain::showPageFrame(QGroupBox* frame) {
    for (QGroupBox* other : {Frame1, Frame2, Frame3})
        if (other != frame)
            other->hide();
    moveToClientArea(frame);
    frame->show();
}

const CardPage* FrmMain::cardPageOf(std::int16_t page) const {
    const CardPage* const pages[] = {&basicsPage_, &specialsPage_};
    return cardPageNumbered(pages, page);
}

// None on the Sets page.
const CardPage* FrmMain::cardPageShown() const {
    return cardPageOf(TabMode);
}

// The card page's query, with the set's code bound to it. A query that fails is reported and leaves the
// page empty, never on the cards of the set shown before.
void FrmMain::openCardQuery(const CardPage& page) {
    DataSource& source = page.source;
    try {
        source.setRecordSource(RecordSource(CardSQL.toStdString(), {Value(txtCode->text().toStdString())}));
        source.Refresh();
        // The rows are read at the first need: read them here, where a failing query is dealt with.
        source.Recordset().RecordCount();
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromUtf8(failure.what()), vbOKOnly, "Pellimo");
        ResumeNext step;
        step([&] { source.Close(); });
        for (QLineEdit* box : page.frame->findChildren<QLineEdit*>())
            if (box != page.setName)
                box->clear();
        blankBox(*page.front);
        blankBox(*page.back);
    }
}

} // namespace pellimo
