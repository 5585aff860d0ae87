#include "edit_mode.h"
#include "field_events.h"
#include "formats.h"
#include "frm_main.h"
#include "plain_text_input.h"

#include <QLineEdit>
#include <QTimer>

namespace pellimo {

void FrmMain::connectFieldChecks() {
    using Validate = void (FrmMain::*)(bool&);
    using KeyPress = void (FrmMain::*)(std::int16_t&);
    using LostFocus = void (FrmMain::*)();
    const struct {
        QLineEdit* box;
        DataSource* boundTo;
        Validate validate;
        KeyPress keyPress;
        LostFocus lostFocus;
    } checks[] = {
        {txtCode, &datSets, &FrmMain::txtCode_Validate, nullptr, nullptr},
        {txtDesc, &datSets, &FrmMain::txtDesc_Validate, nullptr, nullptr},
        {txtBasCardNum, &datBasics, &FrmMain::txtBasCardNum_Validate, nullptr, nullptr},
        {txtSpecCardNum, &DatSpecials, &FrmMain::txtSpecCardNum_Validate, nullptr, nullptr},
        {txtSpecType, &DatSpecials, &FrmMain::txtSpecType_Validate, nullptr, nullptr},
        {txtvalue, &datSets, &FrmMain::txtvalue_Validate, &FrmMain::txtvalue_KeyPress, nullptr},
        {txtBasValue, &datBasics, &FrmMain::txtBasValue_Validate, &FrmMain::txtBasValue_KeyPress, nullptr},
        {txtSpecValue, &DatSpecials, &FrmMain::txtSpecValue_Validate, &FrmMain::txtSpecValue_KeyPress,
         nullptr},
        {txtTot, &datSets, &FrmMain::txtTot_Validate, &FrmMain::txtTot_KeyPress, &FrmMain::txtTot_LostFocus},
    };
    fieldEvents_ = new FieldEvents(*this, *new PlainTextInput(*this));
    for (const auto& check : checks) {
        // A box whose data source shows no record (a page without cards, a catalogue without sets) holds
        // nothing to check: the user can always leave it.
        FieldEvents::Handlers handlers;
        handlers.validate = [this, source = check.boundTo, validate = check.validate](bool& Cancel) {
            guardHandler([&] {
                if (showsRecord(*source))
                    (this->*validate)(Cancel);
            });
        };
        if (check.keyPress != nullptr)
            handlers.keyPress = [this, keyPress = check.keyPress](std::int16_t& KeyAscii) {
                guardHandler([&] { (this->*keyPress)(KeyAscii); });
            };
        if (check.lostFocus != nullptr)
            handlers.lostFocus = [this, source = check.boundTo, lostFocus = check.lostFocus] {
                guardHandler([&] {
                    if (showsRecord(*source))
                        (this->*lostFocus)();
                });
            };
        fieldEvents_->watch(*check.box, std::move(handlers));
    }
}

bool FrmMain::valueMissing(QLineEdit& box, const QString& title) {
    if (box.text() != "")
        return false;
    dialogs_.MsgBox("You must enter a value for this field", vbOKOnly, title);
    return true;
}

// The move that raised the validation goes ahead; the focus comes back once it is done.
void FrmMain::setFocusBack(QLineEdit& box) {
    QTimer::singleShot(0, &box, [&box] { box.setFocus(); });
}

void FrmMain::txtCode_Validate(bool& Cancel) {
    Cancel = valueMissing(*txtCode, "Value Error");
}

void FrmMain::txtDesc_Validate(bool& Cancel) {
    Cancel = valueMissing(*txtDesc, "Value Error");
}

void FrmMain::txtBasCardNum_Validate(bool& Cancel) {
    Cancel = valueMissing(*txtBasCardNum, "Value Error");
}

void FrmMain::txtSpecCardNum_Validate(bool&) {
    if (valueMissing(*txtSpecCardNum, "Value Spec Error"))
        setFocusBack(*txtSpecCardNum);
}

void FrmMain::txtSpecType_Validate(bool&) {
    if (valueMissing(*txtSpecType, "Value Error"))
        setFocusBack(*txtSpecType);
}

void FrmMain::txtvalue_Validate(bool& Cancel) {
    Cancel = !CheckNumeric(*txtvalue);
}

void FrmMain::txtBasValue_Validate(bool& Cancel) {
    Cancel = !CheckNumeric(*txtBasValue);
}

void FrmMain::txtSpecValue_Validate(bool& Cancel) {
    Cancel = !CheckNumeric(*txtSpecValue);
}

void FrmMain::txtTot_Validate(bool& Cancel) {
    Cancel = !CheckNumeric(*txtTot);
}

void FrmMain::txtTot_LostFocus() {
    // Text that is no whole number was refused by the number check, or the focus left for another window
    // without one: there is no count to test.
    const std::optional<std::int16_t> cards = parseWholeNumberText(txtTot->text());
    if (!cards || *cards != 0)
        return;
    dialogs_.MsgBox("You must enter a value greater than 0 ", vbOKOnly, "Value Error");
    txtTot->setFocus();
}

// Counts and card values are never below zero. The keystroke filters keep the minus sign out; this keeps
// out one that came in by a paste.
bool FrmMain::holdsNegativeNumber(const QString& text) {
    const std::optional<double> number = parseNumberText(text);
    return number && *number < 0;
}

void FrmMain::txtvalue_KeyPress(std::int16_t& KeyAscii) {
    ValidateInputCharset(*txtvalue, KeyAscii, "MoneyOnly");
}

void FrmMain::txtBasValue_KeyPress(std::int16_t& KeyAscii) {
    ValidateInputCharset(*txtBasValue, KeyAscii, "MoneyOnly");
}

void FrmMain::txtSpecValue_KeyPress(std::int16_t& KeyAscii) {
    ValidateInputCharset(*txtSpecValue, KeyAscii, "MoneyOnly");
}

void FrmMain::txtTot_KeyPress(std::int16_t& KeyAscii) {
    ValidateInputCharset(*txtTot, KeyAscii, "NumbersOnly");
}

bool FrmMain::CheckNumeric(QLineEdit& box) {
    if (parseNumberText(box.text()) && !holdsNegativeNumber(box.text()))
        return true;
    dialogs_.MsgBox("You must either enter a number into this field", vbInformation);
    return false;
}

namespace {

bool isDigit(std::int16_t code) {
    return code >= 48 && code <= 57;
}

bool isLetter(std::int16_t code) {
    return (code >= 65 && code <= 90) || (code >= 97 && code <= 122);
}

bool letThrough(std::int16_t code, const QString& kind) {
    if (kind == "NumbersOnly")
        return code == 8 || isDigit(code);
    if (kind == "MoneyOnly")
        return code == 8 || code == 46 || isDigit(code);
    if (kind.isEmpty())
        return code == 8 || code == 13 || code == 32 || code == 47 || isDigit(code) || isLetter(code);
    return true;
}

} // namespace

void FrmMain::ValidateInputCharset([[maybe_unused]] QLineEdit& objControl, std::int16_t& intASCII,
                                   const QString& strValType) {
    if (!letThrough(intASCII, strValType))
        intASCII = 0;
}

} // namespace pellimo
