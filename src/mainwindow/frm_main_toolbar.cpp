#include "box_text.h"
#include "criterion.h"
#include "edit_mode.h"
#include "field_events.h"
#include "formats.h"
#include "frm_main.h"
#include "resume_next.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <exception>
#include <utility>

namespace pellimo {

void FrmMain::connectToolbar() {
    for (ToolbarButton index : allToolbarButtons) {
        QToolButton* button = &Buttons(index);
        // A click on a button takes no focus, so the box typed in is checked here, as a click on a control
        // that takes the focus checks it; Cancel drops the edit and Delete the record, so neither does.
        const bool checksBoxFirst = index != CancelButton && index != DeleteButton;
        connect(button, &QToolButton::clicked, this, [this, button, checksBoxFirst] {
            guardHandler([this, button, checksBoxFirst] {
                if (checksBoxFirst && fieldEvents_->focusedBoxRefusesToBeLeft())
                    return;
                Toolbar1_ButtonClick(*button);
            });
        });
    }
}

// Every step of a click is skipped when it fails; the click always ends with the common tail.
void FrmMain::Toolbar1_ButtonClick(QToolButton& Button) {
    ResumeNext step;
    QString key;
    step([&] { key = Button.property("key").toString(); });
    // The set shown keeps the totals in its boxes when it could not be stored or saved: worked out again
    // while the catalogue is locked, they would read 0 and be stored with the set's next store.
    bool keepSetTotals = false;

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { keepSetTotals = !beginNewRecord(); }},
        {"First", [&] { keepSetTotals = !moveRecord(RecordMove::First); }},
        {"Prev", [&] { keepSetTotals = !moveRecord(RecordMove::Previous); }},
        {"Next", [&] { keepSetTotals = !moveRecord(RecordMove::Next); }},
        {"Last", [&] { keepSetTotals = !moveRecord(RecordMove::Last); }},
        {"Delete", [&] { step([&] { cmdDel(); }); }},
        {"Find", [&] { step([&] { cmdFind(); }); }},
        {"Cancel", [&] { step([&] { cmdCancel(); }); }},
        {"Save",
         [&] {
             step([&] { cmdSave(); });
             keepSetTotals = TabMode == SetsPage && editModeOf(*CurData) == dbEditAdd;
         }},
        {"Report", [&] { step([&] { reports.Report(TabMode, txtCode->text(), txtDesc->text(), RepSQL); }); }},
    };
    for (const auto& [commandKey, command] : commands) {
        if (key == QLatin1String(commandKey)) {
            command();
            break;
        }
    }
    runCommonTail(keepSetTotals);
}

// Beginning the new record stores what was typed into the record shown, which the catalogue may refuse.
// Add mode follows only a record actually begun, so Save is never offered while nothing is being added.
// False when the record shown could not be stored.
bool FrmMain::beginNewRecord() {
    try {
        CurData->Recordset().AddNew();
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromUtf8(failure.what()), vbOKOnly, "Pellimo");
        return false;
    }
    ResumeNext step;
    step([&] { cmdNew(); });
    return true;
}

// False when the record shown could not be stored, and the move is off.
bool FrmMain::moveRecord(RecordMove move) {
    if (!leaveRecord())
        return false;
    ResumeNext step;
    const auto records = [this]() -> Recordset& { return CurData->Recordset(); };
    // Prev and Next: the way back becomes available; running past the end comes back to the end record
    // and makes the way on unavailable.
    const auto stepOne = [&](void (Recordset::*oneOn)(), bool (Recordset::*pastEnd)(),
                             void (Recordset::*backToEnd)(), ToolbarButton wayBack, ToolbarButton wayOn) {
        step([&] { (records().*oneOn)(); });
        step([&] { Buttons(wayBack).setEnabled(true); });
        if (step.test([&] { return (records().*pastEnd)(); })) {
            step([&] { (records().*backToEnd)(); });
            step([&] { Buttons(wayOn).setEnabled(false); });
        }
    };
    switch (move) {
    case RecordMove::First:
        if (TabMode == SetsPage)
            step([&] { showSetValue(); });
        step([&] { records().MoveFirst(); });
        step([&] { Buttons(PrevButton).setEnabled(false); });
        step([&] { Buttons(NextButton).setEnabled(true); });
        break;
    case RecordMove::Previous:
        stepOne(&Recordset::MovePrevious, &Recordset::BOF, &Recordset::MoveFirst, NextButton, PrevButton);
        break;
    case RecordMove::Next:
        stepOne(&Recordset::MoveNext, &Recordset::EOF_, &Recordset::MoveLast, PrevButton, NextButton);
        break;
    case RecordMove::Last:
        step([&] { records().MoveLast(); });
        step([&] { Buttons(NextButton).setEnabled(false); });
        step([&] { Buttons(PrevButton).setEnabled(true); });
        break;
    }
    arriveAtRecord();
    return true;
}

// Stores the record shown before a move; false when the catalogue refused it, and the move is off.
bool FrmMain::leaveRecord() {
    if (cardPageShown())
        return storeRecordShown([this] { CardUpdate(); });
    if (TabMode != SetsPage)
        return true;

    if (!storeRecordShown([this] { CurData->Recordset().Update(); }))
        return false;
    ResumeNext step;
    step([&] { NewDesc = txtDesc->text(); });
    // A renamed set is found again by its new name, compared as it stands, before the move starts from it.
    if (NewDesc != OldDesc) {
        step([&] { FindCrit = "Desc like '" + NewDesc + "'"; });
        step([&] { CurData->Refresh(); });
        step([&] { CurData->Recordset().FindFirst(Criterion::equals("Desc", NewDesc.toStdString())); });
    }
    step([&] { DBCombo1->setEditText(QString()); });
    return true;
}

// A store the catalogue refuses is reported, and the record stays pending with what the user typed. A
// failure that leaves nothing pending (there was nothing to store, or only the re-find after the store
// failed) is passed over.
bool FrmMain::storeRecordShown(const std::function<void()>& store) {
    return storeRecordShown(*CurData, store);
}

bool FrmMain::storeRecordShown(DataSource& source, const std::function<void()>& store) {
    try {
        store();
    } catch (const std::exception& failure) {
        if (editModeOf(source) == dbEditNone) {
            logSkippedFailure(failure);
            return true;
        }
        dialogs_.MsgBox(QString::fromUtf8(failure.what()), vbOKOnly, "Pellimo");
        return false;
    }
    return true;
}

void FrmMain::arriveAtRecord() {
    ResumeNext step;
    step([&] { CurData->Recordset().Edit(); });
    step([&] { showStoredPictures(); });
    step([&] {
        if (const QLineEdit* box = descriptionShown())
            OldDesc = box->text();
    });
}

// The box whose text is the description of the record shown on the page.
const QLineEdit* FrmMain::descriptionShown() const {
    if (TabMode == SetsPage)
        return txtDesc;
    const CardPage* page = cardPageShown();
    return page ? page->description : nullptr;
}

void FrmMain::runCommonTail(bool keepSetTotals) {
    ResumeNext step;
    switch (TabMode) {
    case SetsPage:
        if (step.test([&] { return CurData->Recordset().EditMode() == dbEditAdd; }))
            step([&] { txtCode->setFocus(); });
        else
            step([&] { txtDesc->setFocus(); });
        // A new set that could not be saved keeps the count and value typed, for the user to save again.
        if (keepSetTotals)
            break;
        step([&] { showSetValue(); });
        step([&] { showAsCurrency(*txtvalue); });
        step([&] { showSetCardCount(); });
        break;
    default:
        if (const CardPage* page = cardPageShown()) {
            step([&] { page->cardNumber->setFocus(); });
            step([&] { showAsCurrency(*page->value); });
        }
        break;
    }
}

// The value and number of cards of the set shown, worked out from its cards. Both boxes are bound, so the
// set's record takes them at its next store.
void FrmMain::showSetValue() {
    const std::string code = txtCode->text().toStdString();
    showText(*txtvalue, moneyToPlainText(totals_.Basvalue(code) + totals_.Specvalue(code)));
}

void FrmMain::showSetCardCount() {
    const std::string code = txtCode->text().toStdString();
    showText(*txtTot, QString::number(totals_.Bascount(code) + totals_.Speccount(code)));
}

} // namespace pellimo
