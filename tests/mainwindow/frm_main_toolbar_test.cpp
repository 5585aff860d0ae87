#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <algorithm>

namespace pellimo {
namespace {

class FrmMainToolbarTest : public ToolbarPagesTest {
protected:
    // The Basics page of S1 (or of the set reached with `nexts` Next clicks), entered through its tab.
    FrmMain& basicsPage(int nexts = 0) {
        FrmMain& w = start();
        for (int i = 0; i < nexts; ++i)
            press("Next");
        selectTab(BasicsPage);
        return w;
    }

    void expectPrevNext(bool prev, bool next) const {
        EXPECT_EQ(window->Buttons(PrevButton).isEnabled(), prev);
        EXPECT_EQ(window->Buttons(NextButton).isEnabled(), next);
    }
};

TEST_F(FrmMainToolbarTest, KeyOfNoCommandRunsOnlyTheCommonTail) {
    FrmMain& w = start();
    for (const char* key : {"next", "Next ", ""}) {
        QToolButton odd;
        odd.setProperty("key", key);
        textBox("txtvalue").setText("99");
        textBox("txtTot").setText("7");
        w.Toolbar1_ButtonClick(odd);
        EXPECT_EQ(textBox("txtCode").text(), "S1") << key;
        EXPECT_EQ(textBox("txtvalue").text(), "$11.00") << key;
        EXPECT_EQ(textBox("txtTot").text(), "4") << key;
        EXPECT_EQ(w.focusWidget(), &textBox("txtDesc"));
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FrmMainToolbarTest, MovesPastEitherEndComeBackAndDisableThatWay) {
    FrmMain& w = start();
    press("Last");
    EXPECT_EQ(textBox("txtCode").text(), "S3");
    expectPrevNext(true, false);
    // Past the end: the handler of Next, reached although its button is off.
    w.Toolbar1_ButtonClick(w.Buttons(NextButton));
    EXPECT_EQ(textBox("txtCode").text(), "S3");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    expectPrevNext(true, false);

    press("Prev");
    press("Prev");
    // Landing on the first record keeps Prev; only running before it takes Prev away.
    EXPECT_EQ(textBox("txtCode").text(), "S1");
    expectPrevNext(true, true);
    press("Prev");
    EXPECT_EQ(textBox("txtCode").text(), "S1");
    expectPrevNext(false, true);
    EXPECT_EQ(w.pageState().OldDesc, "First Set");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
}

TEST_F(FrmMainToolbarTest, SingleCardSetsTheButtonsByTheMoveAlone) {
    FrmMain& w = basicsPage(1);
    ASSERT_EQ(textBox("txtBasDesc").text(), "Delta");
    press("Next");
    expectPrevNext(true, false);
    press("First");
    expectPrevNext(false, true);
    press("Last");
    expectPrevNext(true, false);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Delta");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
}

TEST_F(FrmMainToolbarTest, CardMoveStoresTheCardAndArrivesInEditMode) {
    FrmMain& w = basicsPage();
    textBox("txtBasSect").setText("Rookies");
    press("Next");
    EXPECT_EQ(catalogue.scalar("SELECT Section FROM Basics WHERE Desc = 'Alpha'").toString(), "Rookies");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_EQ(w.pageState().OldDesc, "Beta");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
    EXPECT_EQ(textBox("txtBasValue").text(), "$2.00");
}

TEST_F(FrmMainToolbarTest, RenamedSetIsStoredFoundAgainAndLeftForTheNext) {
    FrmMain& w = start();
    control<QComboBox>(w, "DBCombo1").setEditText("Sec");
    // Letter case alone is a change of name.
    textBox("txtDesc").setText("FIRST SET");
    press("Next");
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S1'").toString(), "FIRST SET");
    EXPECT_EQ(w.pageState().FindCrit, "Desc like 'FIRST SET'");
    EXPECT_EQ(textBox("txtCode").text(), "S2");
    EXPECT_EQ(control<QComboBox>(w, "DBCombo1").currentText(), "");
    EXPECT_EQ(w.pageState().OldDesc, "Second Set");
}

TEST_F(FrmMainToolbarTest, ReFindTakesTheNameAsItStandsAndTheFirstSetOfThatName) {
    FrmMain& w = start();
    press("Last");
    // S3 takes the name of S1: the move starts from S1, the first set of that name.
    textBox("txtDesc").setText("First Set");
    press("Prev");
    EXPECT_EQ(textBox("txtCode").text(), "S1");
    EXPECT_FALSE(w.Buttons(PrevButton).isEnabled());
    press("Next");

    // A quote or a pattern character is part of the name, not of a pattern.
    for (const char* name : {"O'Brien", "Sec*"}) {
        textBox("txtDesc").setText(name);
        press("Next");
        EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S2'").toString(), name);
        EXPECT_EQ(textBox("txtCode").text(), "S3") << name;
        press("Prev");
        ASSERT_EQ(textBox("txtCode").text(), "S2");
    }
}

TEST_F(FrmMainToolbarTest, MoveAfterAFindFindsTheSetShownByItsName) {
    start();
    dialogs.inputAnswers.push_back("S2");
    press("Find");
    ASSERT_EQ(textBox("txtCode").text(), "S2");
    press("Next");
    EXPECT_EQ(textBox("txtCode").text(), "S3");
    // Only the Find's own message: the store of a set not in edit mode is passed over.
    EXPECT_EQ(shown(), QStringList{"Set Found|64|Find Set"});
}

TEST_F(FrmMainToolbarTest, RefusedStoreIsReportedAndTheMoveIsOff) {
    FrmMain& w = start();
    textBox("txtDesc").setText("Renamed");
    textBox("txtTot").setText("many");
    press("Last");
    expectRefusalReported();
    EXPECT_EQ(textBox("txtCode").text(), "S1");
    EXPECT_EQ(textBox("txtDesc").text(), "Renamed");
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S1'").toString(), "First Set");
    press("Cancel");

    selectTab(BasicsPage);
    dialogs.calls.clear();
    textBox("txtBasCardNum").setText("2");
    textBox("txtBasDesc").setText("Alpha two");
    press("Next");
    expectRefusalReported();
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha two");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "2");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Desc = 'Alpha'"), 1);

    // Put right, the same click stores the card, finds it again as the set's last card and moves on.
    textBox("txtBasCardNum").setText("4");
    press("Next");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha two");
    EXPECT_FALSE(w.Buttons(NextButton).isEnabled());
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Desc = 'Alpha two'"), 1);
}

// A toolbar click takes no focus, so it checks the box being typed in before its command.
TEST_F(FrmMainToolbarTest, EmptiedCardNumberStopsNextUntilCancelled) {
    FrmMain& w = basicsPage();
    retype(&textBox("txtBasCardNum"), "");
    QTest::mouseClick(&w.Buttons(NextButton), Qt::LeftButton);
    EXPECT_EQ(shown(), QStringList{"You must enter a value for this field|0|Value Error"});
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "");
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Card_Num IS NULL"), 0);

    QTest::mouseClick(&w.Buttons(CancelButton), Qt::LeftButton);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
    QTest::mouseClick(&w.Buttons(NextButton), Qt::LeftButton);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_EQ(shown().size(), 1);
}

// Tab reaches the toolbar as one stop; the arrows move among its enabled buttons, and Space or Enter
// presses the focused one as a click does.
TEST_F(FrmMainToolbarTest, KeyboardReachesTheToolbarAndPressesItsButtons) {
    FrmMain& w = basicsPage();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto type = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    const auto focused = [] { return QApplication::focusWidget(); };
    textBox("txtBasValue").setFocus();
    type(Qt::Key_Tab);
    EXPECT_EQ(focused(), &w.Buttons(NewButton));
    const QImage unfocused = w.Buttons(NextButton).grab().toImage();
    for (int i = 0; i < 3; ++i)
        type(Qt::Key_Right);
    ASSERT_EQ(focused(), &w.Buttons(NextButton));
    EXPECT_NE(w.Buttons(NextButton).grab().toImage(), unfocused);
    type(Qt::Key_Space);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_EQ(focused(), &textBox("txtBasCardNum"));

    // Back through the tab strip to the button last used.
    type(Qt::Key_Tab, Qt::ShiftModifier);
    type(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), &w.Buttons(NextButton));
    type(Qt::Key_Return);
    type(Qt::Key_Tab, Qt::ShiftModifier);
    type(Qt::Key_Tab, Qt::ShiftModifier);
    type(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Gamma");
    EXPECT_FALSE(w.Buttons(NextButton).isEnabled());

    // Next is off now: the toolbar is entered on its first button, and the arrows go round it past Save.
    type(Qt::Key_Tab, Qt::ShiftModifier);
    type(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), &w.Buttons(NewButton));
    type(Qt::Key_Left);
    EXPECT_EQ(focused(), &w.Buttons(ReportButton));
    type(Qt::Key_Left);
    EXPECT_EQ(focused(), &w.Buttons(CancelButton));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FrmMainToolbarTest, NewOnTheSetsPageShowsTheTotalsOfNoCode) {
    FrmMain& w = start();
    press("New");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(w.focusWidget(), &textBox("txtCode"));
    EXPECT_EQ(textBox("txtvalue").text(), "$0.00");
    EXPECT_EQ(textBox("txtTot").text(), "0");
    EXPECT_EQ(enabledButtons(), (QList<int>{8, 9}));
}

TEST_F(FrmMainToolbarTest, NewAndDeleteOnACardPageEndInItsCardNumberBox) {
    FrmMain& w = basicsPage();
    choosePicture(PictureSide::Front, pictureFile("front.png", Qt::red));
    press("New");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "4");
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
    // The picture chosen for the card shown never reaches the new one.
    EXPECT_EQ(pending()[1], "");
    press("Cancel");

    press("Delete");
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Code = 'S1'"), 2);
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_EQ(textBox("txtBasValue").text(), "$2.00");
}

TEST_F(FrmMainToolbarTest, ReportWritesThePageReport) {
    FrmMain& w = basicsPage();
    dialogs.queueCancel();
    press("Report");
    EXPECT_TRUE(w.pageState().RepSQL.startsWith("SELECT Card_Num,Section,Desc,Value FROM Basics"));
    EXPECT_TRUE(std::any_of(dialogs.calls.begin(), dialogs.calls.end(),
                            [](const DialogCall& call) { return call.kind == DialogCall::Kind::ShowSave; }));
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
}

} // namespace
} // namespace pellimo
