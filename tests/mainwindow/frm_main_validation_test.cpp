#include "frm_main_fixture.h"
#include "keystroke_code.h"
#include "tab_strip.h"
#include "window_control.h"

#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <QToolButton>

namespace pellimo {
namespace {

const char* const noValueBox = "You must enter a value for this field|0|Value Error";
const char* const noNumberBox = "You must either enter a number into this field|64|Pellimo";
const char* const noCardsBox = "You must enter a value greater than 0 |0|Value Error";

// Set S1 with one basic and one special card, shown in an active window: the user types and moves the
// focus with real keys and clicks.
class FrmMainValidationTest : public FrmMainTest {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0);"
                       "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('S1', 1, 'Alpha', 10000);"
                       "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value)"
                       " VALUES ('S1', 'Foil', 1, 'Shiny', 50000)");
    }

    FrmMain& startOnPage(int page) {
        FrmMain& w = start();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        control<TabStrip>(w, "TabStrip1").setCurrentIndex(page - 1);
        dialogs.calls.clear();
        return w;
    }

    // The messages shown, as "text|flags|title".
    QStringList shown() const {
        QStringList boxes;
        for (const DialogCall& call : dialogs.messages())
            boxes << QString("%1|%2|%3").arg(call.text).arg(call.flags).arg(call.title);
        return boxes;
    }

    // Tab out of the box holding `text`; the events the move queued run before this returns.
    void tabOutOf(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Tab);
        settle();
    }

    // A click through the window, as the platform delivers it.
    void clickOn(QWidget* widget) const {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(window, widget->rect().center()));
        settle();
    }

    // A click on the tab of `page`, at its place on the tab strip.
    void clickTab(Page page) const {
        const QRect rect = control<TabStrip>(*window, "TabStrip1").tabRect(page - SetsPage);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          control<TabStrip>(*window, "TabStrip1").mapTo(window, rect.center()));
        settle();
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
};

TEST_F(FrmMainValidationTest, EmptyCodeNameOrCardNumberKeepsTheFocusAndBlanksPass) {
    FrmMain& w = startOnPage(1);
    const auto expectHeld = [&](QLineEdit* field, QWidget* other) {
        dialogs.calls.clear();
        tabOutOf(field, "");
        EXPECT_EQ(focus(), field) << field->objectName().toStdString();
        clickOn(other);
        EXPECT_EQ(focus(), field) << field->objectName().toStdString();
        EXPECT_EQ(shown(), (QStringList{noValueBox, noValueBox}));

        dialogs.calls.clear();
        tabOutOf(field, "  ");
        EXPECT_NE(focus(), field);
        EXPECT_TRUE(shown().isEmpty());
    };
    expectHeld(&textBox("txtCode"), w.txtDesc);
    expectHeld(w.txtDesc, &textBox("txtTot"));
    textBox("txtTot").setText("5");   // the focus is there, and leaving it with no cards is refused
    textBox("txtCode").setText("S1"); // the Basics page shows the cards of the code shown
    control<TabStrip>(w, "TabStrip1").setCurrentIndex(1);
    expectHeld(&textBox("txtBasCardNum"), &textBox("txtBasDesc"));
}

// A click on a tab leaves the box like any click on another control: a refused box keeps the page.
TEST_F(FrmMainValidationTest, TabClickIsRefusedWhileTheBoxLeftFailsItsCheck) {
    FrmMain& w = startOnPage(2);
    ASSERT_EQ(focus(), &textBox("txtBasCardNum"));
    QTest::keyClick(&textBox("txtBasCardNum"), Qt::Key_End);
    QTest::keyClick(&textBox("txtBasCardNum"), Qt::Key_Backspace);
    ASSERT_EQ(textBox("txtBasCardNum").text(), "");
    clickTab(SetsPage);
    EXPECT_EQ(shown(), QStringList{noValueBox});
    EXPECT_EQ(w.pageState().TabMode, BasicsPage);
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").currentIndex(), 1);
    EXPECT_TRUE(control<QGroupBox>(w, "Frame2").isVisible());
    EXPECT_EQ(focus(), &textBox("txtBasCardNum"));
    EXPECT_EQ(catalogue.scalar("SELECT COUNT(*) FROM Basics WHERE Card_Num IS NULL").toInt(), 0);

    QTest::keyClicks(&textBox("txtBasCardNum"), "7");
    clickTab(SpecialsPage);
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(w.pageState().TabMode, SpecialsPage);
    EXPECT_EQ(focus(), &textBox("txtSpecCardNum"));
    EXPECT_EQ(catalogue.scalar("SELECT Card_Num FROM Basics WHERE Desc = 'Alpha'").toInt(), 7);
}

// An empty page holds no card whose number could be missing: its tabs leave it without a word.
TEST_F(FrmMainValidationTest, PageWithoutACardIsLeftWithoutACheck) {
    catalogue.exec("INSERT INTO Sets VALUES ('S2', 'Second Set', 0, 0)");
    FrmMain& w = startOnPage(2);
    clickOn(&w.Buttons(DeleteButton)); // the set's only basic card, the question answered OK
    ASSERT_EQ(catalogue.scalar("SELECT COUNT(*) FROM Basics").toInt(), 0);
    ASSERT_EQ(focus(), &textBox("txtBasCardNum"));
    ASSERT_EQ(textBox("txtBasCardNum").text(), "");
    dialogs.calls.clear();
    clickTab(SpecialsPage);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(w.pageState().TabMode, SpecialsPage);

    clickTab(SetsPage);
    clickOn(&w.Buttons(NextButton));
    ASSERT_EQ(textBox("txtCode").text(), "S2");
    clickTab(BasicsPage); // a set that never had basic cards
    ASSERT_EQ(focus(), &textBox("txtBasCardNum"));
    clickTab(SetsPage);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(w.pageState().TabMode, SetsPage);
    EXPECT_EQ(catalogue.scalar("SELECT COUNT(*) FROM Basics").toInt(), 0);
}

TEST_F(FrmMainValidationTest, EmptySpecialNumberOrTypeLetsTheMoveHappenThenTakesTheFocusBack) {
    startOnPage(3);
    tabOutOf(&textBox("txtSpecCardNum"), "");
    EXPECT_EQ(focus(), &textBox("txtSpecCardNum"));
    clickOn(&textBox("txtSpecDesc"));
    EXPECT_EQ(focus(), &textBox("txtSpecCardNum"));
    EXPECT_EQ(shown(), (QStringList{"You must enter a value for this field|0|Value Spec Error",
                                    "You must enter a value for this field|0|Value Spec Error"}));

    dialogs.calls.clear();
    textBox("txtSpecCardNum").setText("7");
    tabOutOf(&textBox("txtSpecType"), "");
    EXPECT_EQ(focus(), &textBox("txtSpecType"));
    EXPECT_EQ(shown(), QStringList{noValueBox});
    tabOutOf(&textBox("txtSpecType"), " ");
    EXPECT_EQ(focus(), &textBox("txtSpecDesc"));
    EXPECT_EQ(shown().size(), 1);
}

TEST_F(FrmMainValidationTest, MoneyAndCountBoxesRefuseToBeLeftWithoutANumber) {
    startOnPage(1);
    tabOutOf(&textBox("txtvalue"), "");
    EXPECT_EQ(focus(), &textBox("txtvalue"));
    tabOutOf(&textBox("txtTot"), "");
    EXPECT_EQ(focus(), &textBox("txtTot"));
    EXPECT_EQ(shown(), (QStringList{noNumberBox, noNumberBox}));
}

TEST_F(FrmMainValidationTest, AnyNumberOfPointsCanBeTypedButNotLeft) {
    FrmMain& cards = startOnPage(2);
    control<QLineEdit>(cards, "txtBasValue").setFocus();
    control<QLineEdit>(cards, "txtBasValue").clear();
    QTest::keyClicks(&control<QLineEdit>(cards, "txtBasValue"), "1.2.3");
    EXPECT_EQ(control<QLineEdit>(cards, "txtBasValue").text(), "1.2.3");
    clickOn(&control<QLineEdit>(cards, "txtBasDesc"));
    EXPECT_EQ(focus(), &control<QLineEdit>(cards, "txtBasValue"));
    EXPECT_EQ(shown(), QStringList{noNumberBox});
}

TEST_F(FrmMainValidationTest, ShownCurrencyValuePassesTheNumberCheck) {
    startOnPage(1);
    textBox("txtvalue").setText("$1,234.50");
    textBox("txtvalue").setFocus();
    QTest::keyClick(&textBox("txtvalue"), Qt::Key_Tab);
    EXPECT_NE(focus(), &textBox("txtvalue"));
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(FrmMainValidationTest, ZeroCardsAreRefusedOnceTheFocusHasLeft) {
    startOnPage(1);
    for (const char* zeros : {"0", "00", "0000", "0.4"}) {
        dialogs.calls.clear();
        tabOutOf(&textBox("txtTot"), zeros);
        EXPECT_EQ(shown(), QStringList{noCardsBox}) << zeros;
        EXPECT_EQ(focus(), &textBox("txtTot")) << zeros;
    }
    dialogs.calls.clear();
    tabOutOf(&textBox("txtTot"), "12");
    EXPECT_EQ(focus(), &textBox("txtvalue"));
    EXPECT_TRUE(shown().isEmpty());
}

// A toolbar click takes no focus; every command but Cancel and Delete checks the box first, as a click
// that takes the focus does, and a refused box stops the command.
TEST_F(FrmMainValidationTest, ToolbarClickChecksTheBoxButCancelDeleteAndAnotherWindowDoNot) {
    FrmMain& w = startOnPage(1);
    w.txtvalue->setFocus();
    w.txtvalue->setText("");
    clickOn(&w.Buttons(FindButton));
    EXPECT_EQ(shown(), QStringList{noNumberBox});
    EXPECT_EQ(dialogs.calls.size(), 1u); // Find asked for no name
    EXPECT_EQ(focus(), w.txtvalue);
    clickOn(&w.Buttons(CancelButton));
    EXPECT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(w.txtvalue->text(), "$6.00");

    w.txtDesc->setText("");
    dialogs.msgBoxAnswers.push_back(vbCancel);
    clickOn(&w.Buttons(DeleteButton)); // its question alone
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].title, "Delete Record");
    dialogs.calls.clear();

    textBox("txtTot").setFocus();
    textBox("txtTot").setText("0");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    settle();
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(FrmMainValidationTest, MoneyBoxesDropAllButDigitsThePointAndBackspace) {
    startOnPage(3);
    textBox("txtSpecValue").clear();
    QTest::keyClicks(&textBox("txtSpecValue"), "a1-2,3.4 5$");
    EXPECT_EQ(textBox("txtSpecValue").text(), "123.45");
    QTest::keyClick(&textBox("txtSpecValue"), Qt::Key_Backspace);
    EXPECT_EQ(textBox("txtSpecValue").text(), "123.4");

    // Enter and the copy and paste keys are dropped; pasting by other means is not filtered.
    QSignalSpy enter(&textBox("txtSpecValue"), &QLineEdit::returnPressed);
    QApplication::clipboard()->setText("xy");
    textBox("txtSpecValue").selectAll();
    QTest::keyClick(&textBox("txtSpecValue"), Qt::Key_Return);
    QTest::keyClick(&textBox("txtSpecValue"), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&textBox("txtSpecValue"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(enter.count(), 0);
    EXPECT_EQ(QApplication::clipboard()->text(), "xy");
    EXPECT_EQ(textBox("txtSpecValue").text(), "123.4");
    textBox("txtSpecValue").paste();
    EXPECT_EQ(textBox("txtSpecValue").text(), "xy");
}

TEST_F(FrmMainValidationTest, CountBoxDropsAllButDigits) {
    startOnPage(1);
    textBox("txtTot").clear();
    // No sign either: a count is never negative.
    QTest::keyClicks(&textBox("txtTot"), "-1.2a +3,/-");
    EXPECT_EQ(textBox("txtTot").text(), "123");
    QTest::keyClick(&textBox("txtTot"), Qt::Key_Backspace);
    EXPECT_EQ(textBox("txtTot").text(), "12");
}

TEST_F(FrmMainValidationTest, MoneyFilterTakesThePointWhateverTheLocale) {
    startOnPage(2);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    textBox("txtBasValue").clear();
    QTest::keyClicks(&textBox("txtBasValue"), "1,5.5");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(textBox("txtBasValue").text(), "15.5");
}

TEST_F(FrmMainValidationTest, CtrlXInAMoneyBoxStillEndsTheProgram) {
    startOnPage(2);
    textBox("txtBasValue").setFocus();
    textBox("txtBasValue").selectAll();
    QTest::keyClick(&textBox("txtBasValue"), Qt::Key_X, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(FrmMainValidationTest, InputFilterKinds) {
    FrmMain& w = load();
    const auto kept = [&](int code, const QString& kind) {
        auto key = static_cast<std::int16_t>(code);
        w.ValidateInputCharset(textBox("txtDesc"), key, kind);
        EXPECT_TRUE(key == 0 || key == code);
        return key != 0;
    };
    for (int code : {3, 13, 22, 24, 44, 45, 47})
        EXPECT_FALSE(kept(code, "MoneyOnly")) << code;
    for (int code : {8, 46, 48, 57})
        EXPECT_TRUE(kept(code, "MoneyOnly")) << code;
    EXPECT_FALSE(kept(46, "NumbersOnly"));
    EXPECT_TRUE(kept(8, "NumbersOnly"));
    for (int code : {8, 13, 32, 47, 48, 65, 90, 97, 122})
        EXPECT_TRUE(kept(code, "")) << code;
    for (int code : {3, 46, 64, 91, 123, 233})
        EXPECT_FALSE(kept(code, "")) << code;
    // Any other kind, the wrong case of a known one included, drops nothing.
    for (int code : {3, 46, 233, -3})
        EXPECT_TRUE(kept(code, "moneyonly")) << code;
}

TEST_F(FrmMainValidationTest, KeysGiveTheCodesOfTheCharactersTheyType) {
    const auto code = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
        return keystrokeCode(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    EXPECT_EQ(code(Qt::Key_C, Qt::ControlModifier), 3);
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
    EXPECT_EQ(code(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier), 24);
    EXPECT_EQ(code(Qt::Key_Return), 13);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(code(Qt::Key_Backspace), 8);
    EXPECT_EQ(code(Qt::Key_A, Qt::ShiftModifier, "A"), 65);
    EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier, "5"), 53);
    EXPECT_EQ(code(Qt::Key_Delete, {}, "\x7f"), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Left), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Insert, Qt::ShiftModifier), std::nullopt);
    EXPECT_EQ(code(Qt::Key_F, Qt::AltModifier, "f"), std::nullopt);
}

} // namespace
} // namespace pellimo
