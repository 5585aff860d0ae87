#include "toolbar_pages_fixture.h"
#include "twips.h"
#include "window_control.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>

namespace pellimo {
namespace {

const char* const selectErrorBox =
    "You must save the set record first\r\nbefore selecting Basics or Specials|16|"
    "Select Error";
const char* const noSpecialsBox = "Currently there are no specials cards for this set|16|New Set of Specials";

class FrmMainPagesTest : public ToolbarPagesTest {
protected:
    // Frame, TabMode and CurData all name the page.
    void expectPage(Page page) const {
        const FrmMain& w = *window;
        EXPECT_EQ(w.pageState().TabMode, page);
        EXPECT_EQ(control<QGroupBox>(w, "Frame1").isVisible(), page == SetsPage);
        EXPECT_EQ(control<QGroupBox>(w, "Frame2").isVisible(), page == BasicsPage);
        EXPECT_EQ(control<QGroupBox>(w, "Frame3").isVisible(), page == SpecialsPage);
        const QGroupBox* frames[] = {&control<QGroupBox>(w, "Frame1"), &control<QGroupBox>(w, "Frame2"),
                                     &control<QGroupBox>(w, "Frame3")};
        EXPECT_EQ(frames[page - SetsPage]->geometry(), control<TabStrip>(w, "TabStrip1").clientArea());
        const DataSource* sources[] = {&w.datSets, &w.datBasics, &w.DatSpecials};
        EXPECT_EQ(w.pageState().CurData, sources[page - SetsPage]);
        EXPECT_EQ(control<QComboBox>(w, "DBCombo1").isVisible(), page == SetsPage);
        EXPECT_EQ(control<QComboBox>(w, "DBCombo2").isVisible(), page == BasicsPage);
        EXPECT_EQ(control<QComboBox>(w, "DBCombo3").isVisible(), page == SpecialsPage);
        EXPECT_EQ(control<QMenu>(w, "mnuPic").isEnabled(), page != SetsPage);
    }

    static bool blankAtEmptySize(const QLabel* box) {
        return box->pixmap().isNull() && box->size() == QSize(twipsToPixels(2172), twipsToPixels(2532));
    }
};

TEST_F(FrmMainPagesTest, ClickingTheTabShownChangesNothing) {
    FrmMain& w = start();
    w.Buttons(DeleteButton).setEnabled(false);
    QTest::mouseClick(&control<TabStrip>(w, "TabStrip1"), Qt::LeftButton, {},
                      control<TabStrip>(w, "TabStrip1").tabRect(0).center());
    EXPECT_FALSE(w.Buttons(DeleteButton).isEnabled());
    expectPage(SetsPage);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FrmMainPagesTest, NewSetMustBeSavedBeforeACardPage) {
    FrmMain& w = start();
    press("New");
    selectTab(BasicsPage);
    EXPECT_EQ(shown(), QStringList{selectErrorBox});
    expectPage(SetsPage);
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").currentIndex(), 1);
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    selectTab(SetsPage);
    EXPECT_EQ(shown().size(), 1);
    expectPage(SetsPage);

    // Once the add is over, a click on the tab still selected makes the switch.
    selectTab(BasicsPage);
    press("Cancel");
    QTest::mouseClick(&control<TabStrip>(w, "TabStrip1"), Qt::LeftButton, {},
                      control<TabStrip>(w, "TabStrip1").tabRect(1).center());
    expectPage(BasicsPage);
    EXPECT_EQ(shown().size(), 2);
}

TEST_F(FrmMainPagesTest, EnteringBasicsShowsTheSetsFirstCardInEditMode) {
    QImage front(40, 30, QImage::Format_RGB32);
    front.fill(Qt::green);
    const QString path = catalogue.folder() + "/front.png";
    ASSERT_TRUE(front.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    catalogue.exec(
        QString("UPDATE Basics SET Front = x'%1' WHERE Desc = 'Alpha'").arg(file.readAll().toHex()));

    FrmMain& w = start();
    w.Buttons(CancelButton).setEnabled(false);
    selectTab(BasicsPage);
    expectPage(BasicsPage);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(w.pageState().OldDesc, "Alpha");
    EXPECT_EQ(textBox("txtBasName").text(), "First Set");
    EXPECT_EQ(w.pageState().BasRecCount, 3);
    EXPECT_FALSE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    EXPECT_EQ(w.focusWidget(), &textBox("txtBasCardNum"));
    EXPECT_EQ(textBox("txtBasValue").text(), "$1.00");
    EXPECT_EQ(w.Buttons(NewButton).toolTip(), "Create a New Card");
    // Leaving the Sets page enables every button but Save, which keeps its state.
    EXPECT_EQ(enabledButtons(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 10}));
}

TEST_F(FrmMainPagesTest, SetsPageGetsBackItsPrevAndNext) {
    FrmMain& w = start();
    press("First");
    selectTab(BasicsPage);
    EXPECT_FALSE(w.pageState().PrevOn);
    EXPECT_TRUE(w.pageState().NextOn);
    EXPECT_TRUE(w.Buttons(PrevButton).isEnabled());
    // Between the card pages the kept states stay as they are, though Prev is on now.
    selectTab(SpecialsPage);
    selectTab(BasicsPage);
    EXPECT_FALSE(w.pageState().PrevOn);
    selectTab(SetsPage);
    expectPage(SetsPage);
    EXPECT_FALSE(w.Buttons(PrevButton).isEnabled());
    EXPECT_TRUE(w.Buttons(NextButton).isEnabled());
}

TEST_F(FrmMainPagesTest, EnteringSetsWorksOutTheSetsTotalsAgain) {
    FrmMain& w = start();
    selectTab(BasicsPage);
    catalogue.exec("INSERT INTO Specials (Code, Desc, Value) VALUES ('S1', 'Extra', 25000)");
    selectTab(SetsPage);
    EXPECT_EQ(textBox("txtvalue").text(), "$13.50");
    EXPECT_EQ(textBox("txtTot").text(), "5");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(w.pageState().OldDesc, "First Set");
    EXPECT_EQ(w.focusWidget(), &textBox("txtDesc"));
    EXPECT_EQ(w.Buttons(NewButton).toolTip(), "Create a New Set of Cards");
}

TEST_F(FrmMainPagesTest, SpecialsOfASetWithoutThemStartANewCardEachTime) {
    FrmMain& w = start();
    press("Last");
    selectTab(SpecialsPage);
    EXPECT_EQ(shown(), QStringList{noSpecialsBox});
    expectPage(SpecialsPage);
    EXPECT_EQ(w.DatSpecials.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtSpecCode").text(), "S3");
    EXPECT_TRUE(blankAtEmptySize(&control<QLabel>(w, "picSpecFront")));
    EXPECT_TRUE(blankAtEmptySize(&control<QLabel>(w, "picSpecBack")));
    EXPECT_EQ(enabledButtons(), (QList<int>{8, 9}));

    // Left without a description: nothing is written, and the toolbar is out of add mode.
    choosePicture(PictureSide::Front, pictureFile("front.png", Qt::red));
    selectTab(SetsPage);
    EXPECT_EQ(count("SELECT count(*) FROM Specials WHERE Code = 'S3'"), 0);
    EXPECT_EQ(pending()[3], "");
    EXPECT_EQ(enabledButtons(), (QList<int>{1, 2, 3, 5, 6, 7, 8, 10}));

    selectTab(SpecialsPage);
    EXPECT_EQ(shown(), (QStringList{noSpecialsBox, noSpecialsBox}));
    textBox("txtSpecDesc").setText("Hologram");
    selectTab(BasicsPage);
    EXPECT_EQ(count("SELECT count(*) FROM Specials WHERE Code = 'S3' AND Desc = 'Hologram'"), 1);
    EXPECT_FALSE(w.Buttons(SaveButton).isEnabled());
    expectPage(BasicsPage);
}

TEST_F(FrmMainPagesTest, LeavingBasicsWhileAddingSavesTheCardWhateverItsDescription) {
    start();
    selectTab(BasicsPage);
    press("New");
    selectTab(SpecialsPage);
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Code = 'S1' AND Card_Num = 4 AND Desc IS NULL"), 1);
    expectPage(SpecialsPage);
    EXPECT_EQ(textBox("txtSpecDesc").text(), "Shiny");
    EXPECT_EQ(enabledButtons(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 10}));
}

TEST_F(FrmMainPagesTest, RefusedCardStaysOnItsPageWithTheEditPending) {
    FrmMain& w = start();
    selectTab(BasicsPage);
    textBox("txtBasCardNum").setText("3");
    QTest::mouseClick(&control<TabStrip>(w, "TabStrip1"), Qt::LeftButton, {},
                      control<TabStrip>(w, "TabStrip1").tabRect(0).center());
    expectRefusalReported();
    expectPage(BasicsPage);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "3");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    // The tab strip shows the page shown, and Cancel leaves it so.
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").currentIndex(), 1);
    press("Cancel");
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").currentIndex(), 1);
    expectPage(BasicsPage);
}

TEST_F(FrmMainPagesTest, SetWithoutBasicCardsShowsAnEmptyPageThatTakesANewCard) {
    FrmMain& w = start();
    selectTab(BasicsPage);
    control<QLabel>(w, "picBasFront").setPixmap(QPixmap(5, 5));
    selectTab(SetsPage);
    press("Last");
    selectTab(BasicsPage);
    expectPage(BasicsPage);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(textBox("txtBasDesc").text(), "");
    EXPECT_EQ(w.pageState().BasRecCount, 0);
    EXPECT_TRUE(blankAtEmptySize(&control<QLabel>(w, "picBasFront")));
    press("New");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
    EXPECT_EQ(textBox("txtBasSet").text(), "S3");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditAdd);
}

TEST_F(FrmMainPagesTest, NoSetLeftStillShowsTheSetsPage) {
    FrmMain& w = start();
    catalogue.exec("DELETE FROM Sets WHERE Code <> 'S1'");
    w.datSets.Refresh();
    w.datSets.Recordset().Edit();
    press("Delete");
    selectTab(BasicsPage);
    selectTab(SetsPage);
    expectPage(SetsPage);
    EXPECT_EQ(textBox("txtCode").text(), "");
    EXPECT_EQ(textBox("txtvalue").text(), "$0.00");
    EXPECT_EQ(shown().size(), 2); // the delete's question and its confirmation
}

TEST_F(FrmMainPagesTest, FailingCardQueryIsReportedAndShowsNoOtherSetsCards) {
    FrmMain& w = start();
    selectTab(SpecialsPage);
    selectTab(SetsPage);
    catalogue.exec("DROP VIEW SpecialCards; DROP TABLE Specials");
    selectTab(SpecialsPage);
    expectRefusalReported();
    expectPage(SpecialsPage);
    EXPECT_EQ(textBox("txtSpecDesc").text(), "");
    EXPECT_EQ(textBox("txtSpecName").text(), "First Set");
    EXPECT_FALSE(w.DatSpecials.hasRecordset());
}

} // namespace
} // namespace pellimo
