#include "database.h"
#include "engine_error.h"
#include "formats.h"
#include "frm_main.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace pellimo {

namespace {

// The number of cards read as a number, counted on from the first card number and rounded to a 16-bit
// whole number, a half to the even one.
int lastCardNumber(int first, const QString& cards) {
    const std::optional<double> count = parseNumberText(cards);
    if (!count)
        throw EngineError(err::TypeMismatch, "Type mismatch");
    const std::optional<std::int16_t> last = roundToWholeNumber(first + *count - 1);
    if (!last)
        throw EngineError(err::Overflow, "Overflow");
    return *last;
}

// A money box's text as Update stores it: empty text is Null.
Value moneyValueOf(const QString& text) {
    if (text.isEmpty())
        return Value();
    const std::optional<Money> amount = parseMoneyText(text);
    if (!amount)
        throw EngineError(err::ConversionError, "The field 'Value' holds an amount of money; '" +
                                                    text.toStdString() + "' is not one.");
    return Value(*amount);
}

// Stores basic card `number`; false when the set already has it, once the user has been told.
bool addBasicCard(Recordset& basics, Dialogs& dialogs, const Value& code, int number, const Value& value) {
    basics.AddNew();
    basics.Fields("Code").setValue(code);
    basics.Fields("Card_Num").setValue(Value(number));
    basics.Fields("Desc").setValue(Value("Card " + std::to_string(number)));
    basics.Fields("value").setValue(value);
    try {
        basics.Update();
        return true;
    } catch (const EngineError& failure) {
        if (failure.number() != err::DuplicateKey)
            throw;
        dialogs.MsgBox(QString::fromStdString(failure.what()));
        dialogs.MsgBox("You have already added cards in this range. Please change your starting point",
                       vbCritical, "Duplicate Record");
        return false;
    }
}

} // namespace

void FrmMain::CardUpdate() {
    if (const CardPage* page = cardPageShown()) {
        pictures.storePending(TabMode);
        NewDesc = page->description->text();
        page->fastFind->setEditText("");
    }
    CurData->Recordset().Update();
    if (NewDesc != OldDesc) {
        FindCrit = "Desc Like \"" + NewDesc + "\"";
        CurData->Refresh();
        // Literal: a quote or a pattern character in a description is an ordinary character.
        CurData->Recordset().FindFirst(Criterion::equals("Desc", NewDesc.toStdString()));
    }
}

std::optional<int> FrmMain::BasCreate() {
    int created = 0;
    try {
        // On the Sets data source's connection, so that a new set and its cards share one transaction.
        std::unique_ptr<Recordset> basics = datSets.database().OpenRecordset("Basics");
        const int first = 1;
        const int last = lastCardNumber(first, txtTot->text());
        const Value code(txtCode->text().toStdString());
        // Converted once; a set of no cards never reads it.
        const Value value = last >= first ? moneyValueOf(txtvalue->text()) : Value();
        for (int number = first; number <= last && addBasicCard(*basics, dialogs_, code, number, value);
             ++number)
            ++created;
        basics->Close();
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromStdString(failure.what()));
        return std::nullopt;
    }
    return created;
}

void FrmMain::cmdDel() {
    if (TabMode == SetsPage)
        MsgText = "This will delete the following related to " + txtCode->text() +
                  "\r\n\r\n1. This Set Record\r\n2: All Basic Cards for this set\r\n"
                  "3: All Special Cards for this set (If Created)\r\n\r\n\r\n"
                  "Please confirm you wish to delete the record";
    else
        MsgText = "Do you wish to delete the current Record?";
    if (dialogs_.MsgBox(MsgText, vbOKCancel | vbQuestion, "Delete Record") == vbOK) {
        const bool deleted = deleteRecordShown();
        CurData->Refresh();
        if (deleted)
            dialogs_.MsgBox("Record(s) Deleted", vbOKOnly, "Delete");
    }
    if (const CardPage* page = cardPageShown()) {
        page->front->clear();
        page->back->clear();
    }
    showStoredPictures();
    CurData->Recordset().Edit();
}

// False when another program had deleted the record already: the user is told, and what was typed into
// it is dropped with it, so that the page can show the records that are left.
bool FrmMain::deleteRecordShown() {
    try {
        CurData->Recordset().Delete();
        return true;
    } catch (const EngineError& failure) {
        if (failure.number() != err::RecordDeleted)
            throw;
        dialogs_.MsgBox(QString::fromUtf8(failure.what()), vbOKOnly, "Delete");
    }
    if (CurData->Recordset().EditMode() != dbEditNone)
        CurData->Recordset().CancelUpdate();
    return false;
}

// The stored pictures of the current card, on the card page shown.
void FrmMain::showStoredPictures() {
    pictures.GetPicture(TabMode);
}

} // namespace pellimo
