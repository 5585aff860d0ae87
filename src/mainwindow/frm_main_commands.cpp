#include "box_text.h"
#include "edit_mode.h"
#include "engine_error.h"
#include "formats.h"
#include "frm_main.h"
#include "resume_next.h"
#include "transaction.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace pellimo {

namespace {

// What a Find asks, where it searches and what it answers, on the Sets page or on a card page.
struct FindWording {
    const char* prompt;
    const char* title;
    const char* field;
    const char* found;
    const char* notFound;
};

constexpr FindWording SetFind{"Enter the set ID you wish to find", "Find Set", "Code", "Set Found",
                              "Set Not Found"};
constexpr FindWording CardFind{"Enter the card description you wish to find", "Find Card", "Desc",
                               "Card Found", "Card Not Found"};

} // namespace

void FrmMain::cmdFind() {
    const FindWording& wording = TabMode == SetsPage ? SetFind : CardFind;
    ResumeNext step;
    QString answer;
    step([&] { answer = dialogs_.InputBox(wording.prompt, wording.title); });
    if (answer.isEmpty())
        return;
    // The answer's pattern characters stay patterns; a quote is an ordinary character, as the answer is
    // never pasted into a query.
    const Criterion criterion = Criterion::like(wording.field, ("*" + answer + "*").toStdString());
    // A find that fails has found nothing; one that would leave an edit the catalogue refuses to store is
    // reported as that refusal, and the card stays with its edit.
    bool searched = false;
    const bool left = storeRecordShown([&] {
        try {
            CurData->Recordset().FindFirst(criterion);
            searched = true;
        } catch (const EngineError& failure) {
            if (failure.number() != err::InvalidCriterion)
                throw;
            logSkippedFailure(failure);
        }
    });
    if (!left)
        return;
    const bool found = searched && !step.test([&] { return CurData->Recordset().NoMatch(); });
    if (found)
        step([&] { dialogs_.MsgBox(wording.found, vbInformation, wording.title); });
    else
        step([&] { dialogs_.MsgBox(wording.notFound, vbCritical, "Find Error"); });
    const CardPage* page = cardPageShown();
    if (!page)
        return;
    step([&] { showStoredPictures(); });
    step([&] { OldDesc = page->description->text(); });
}

void FrmMain::cmdCancel() {
    ResumeNext step;
    // Takes back the card number that New proposed.
    const CardPage* page = cardPageShown();
    if (page && page->countsCards && editModeOf(page->source) == dbEditAdd)
        --BasRecCount;
    step([&] { CurData->Recordset().CancelUpdate(); });
    step([&] { CurData->Recordset().Edit(); });
    step([&] { showStoredPictures(); });
    if (TabMode == SetsPage) {
        step([&] { lblSetVal->setText("Total Value"); });
        step([&] { txtCode->setReadOnly(true); });
        step([&] { txtDesc->setFocus(); });
    }
    step([&] { endAddModeToolbar(); });
}

void FrmMain::cmdSave() {
    // Only a record being added is saved: on a set shown, Save would make its cards again.
    if (editModeOf(*CurData) != dbEditAdd)
        return;
    if (TabMode == SetsPage)
        saveNewSet();
    else
        saveNewCard();
}

void FrmMain::saveNewCard() {
    ResumeNext step;
    if (!storeRecordShown([&] { CardUpdate(); }))
        return;
    step([&] { endAddModeToolbar(); });
    step([&] { MsgText = "Record Added"; });
    step([&] { dialogs_.MsgBox(MsgText, vbOKOnly, "Card Add"); });
    step([&] { CurData->Recordset().Edit(); });
}

void FrmMain::saveNewSet() {
    // Text that is no number stops the save before anything is stored.
    if (!CheckNumeric(*txtvalue) || !CheckNumeric(*txtTot))
        return;
    ResumeNext step;
    const QString code = txtCode->text();
    const std::vector<std::pair<QLineEdit*, QString>> typed{
        {txtCode, code}, {txtDesc, txtDesc->text()}, {txtTot, txtTot->text()}, {txtvalue, txtvalue->text()}};
    step([&] { NewDesc = txtDesc->text(); });
    step([&] {
        NewSetValue = parseNumberText(txtvalue->text()).value() * parseNumberText(txtTot->text()).value();
    });
    // The set, its cards and its value are kept together or not at all, whatever stops the program.
    std::optional<Transaction> whole;
    if (!storeRecordShown([&] {
            whole.emplace(datSets.database());
            CurData->Recordset().Update();
        }))
        return;
    step([&] { FindCrit = "Desc like '" + NewDesc + "'"; });
    // By its code, which no other set has: the steps below act on the new set alone.
    const bool shown = showSet(code);
    step([&] { DBCombo1->setEditText(""); });
    step([&] { endAddModeToolbar(); });
    step([&] { lblSetVal->setText("Total Value"); });
    const std::optional<int> created = shown ? BasCreate() : 0;
    if (!created || !storeSetValueAndCommit(*whole, shown)) {
        whole.reset();
        retypeNewSet(typed);
        return;
    }
    step([&] {
        MsgText = "Set record has been added\r\n" + QString::number(*created) +
                  " Basic Cards records has been created.";
    });
    step([&] { dialogs_.MsgBox(MsgText, vbOKOnly, "Set Added"); });
    step([&] { txtCode->setReadOnly(true); });
    // The rows are as the refresh above read them, and the store changed only the set's value.
    if (shown)
        step([&] { findSet(code); });
    step([&] { CurData->Recordset().Edit(); });
}

// The set's value becomes that of its cards, then everything is kept; false once a failure is reported.
bool FrmMain::storeSetValueAndCommit(Transaction& whole, bool shown) {
    try {
        if (shown) {
            datSets.Recordset().Edit();
            ResumeNext()(
                [&] { showText(*txtvalue, moneyToPlainText(Money::fromDouble(NewSetValue).value())); });
            datSets.Recordset().Update();
        }
        whole.commit();
        return true;
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromUtf8(failure.what()), vbOKOnly, "Pellimo");
        return false;
    }
}

// After a save that kept nothing, the set typed is being added again, so that nothing typed is lost.
void FrmMain::retypeNewSet(const std::vector<std::pair<QLineEdit*, QString>>& typed) {
    ResumeNext step;
    step([&] { datSets.Recordset().CancelUpdate(); });
    step([&] { datSets.Refresh(); });
    step([&] { beginNewRecord(); });
    for (const auto& [box, text] : typed)
        step([&] { showText(*box, text); });
}

// Refreshes the Sets data source and makes the set with `code` current; false when it is not there.
bool FrmMain::showSet(const QString& code) {
    ResumeNext step;
    step([&] { datSets.Refresh(); });
    return step([&] { findSet(code); }) == 0 && !datSets.Recordset().NoMatch();
}

// By its key, which the catalogue finds in its index.
void FrmMain::findSet(const QString& code) {
    datSets.Recordset().FindFirst(Criterion::equals("Code", code.toStdString()));
}

// Save and Cancel end add mode; Cancel's own button keeps its state.
void FrmMain::endAddModeToolbar() {
    setButtonsEnabled({SaveButton}, false);
    setButtonsEnabled(
        {NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton, FindButton, ReportButton},
        true);
}

} // namespace pellimo
