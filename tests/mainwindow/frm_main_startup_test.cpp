#include "frm_main_fixture.h"
#include "tab_strip.h"
#include "twips.h"
#include "window_control.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace pellimo {
namespace {

using FrmMainStartupTest = FrmMainTest;

const char* const noDataText = "The database is currently empty. You must add a set record to contine";

TEST_F(FrmMainStartupTest, EmptyCatalogueSaysSoOnceAndStartsANewSet) {
    FrmMain& w = start();

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, noDataText);
    EXPECT_EQ(dialogs.messages()[0].flags, vbCritical);
    EXPECT_EQ(dialogs.messages()[0].title, "No Data");

    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_FALSE(textBox("txtCode").isReadOnly());
    EXPECT_EQ(w.focusWidget(), &textBox("txtCode"));
    EXPECT_EQ(control<QLabel>(w, "lblSetVal").text(), "Basic Card Value");
    EXPECT_EQ(textBox("txtvalue").text(), "$0.00");
    EXPECT_EQ(w.pageState().OldDesc, "");
    for (ToolbarButton i :
         {NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton, FindButton, ReportButton})
        EXPECT_FALSE(w.Buttons(i).isEnabled()) << i;
    EXPECT_TRUE(w.Buttons(CancelButton).isEnabled());
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());
}

TEST_F(FrmMainStartupTest, CatalogueWithSetsStartsOnTheFirstSetWithItsValueFromItsCards) {
    catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 9, 990000), ('S2', 'Second Set', 0, 0);"
                   "INSERT INTO Basics (Code, Card_Num, Value) VALUES ('S1', 1, 12500), ('S1', 2, 2500);"
                   "INSERT INTO Specials (Code, Card_Num, Value) VALUES ('S1', 1, 100000), ('S2', 1, 7);");
    FrmMain& w = start();

    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(textBox("txtCode").text(), "S1");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(w.focusWidget(), &textBox("txtDesc"));
    // 1.25 + 0.25 + 10.00 from the cards, not the 99.00 stored with the set.
    EXPECT_EQ(textBox("txtvalue").text(), "$11.50");
    EXPECT_EQ(w.pageState().OldDesc, "First Set");
    EXPECT_TRUE(textBox("txtCode").isReadOnly());
    EXPECT_EQ(control<QLabel>(w, "lblSetVal").text(), "Total Value");
    EXPECT_FALSE(w.Buttons(SaveButton).isEnabled());
}

// The title bar stays within the user's reach: the load step places the frame, not the client area, at the
// corner, before the window manager has framed the window.
TEST_F(FrmMainStartupTest, LoadPlacesTheWindowFrameAtTheTopLeftOfTheScreensFreeArea) {
    FrmMain& w = load();
    const QRect free = w.screen()->availableGeometry();
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_EQ(w.windowHandle()->framePosition(), free.topLeft());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.frameGeometry().topLeft(), free.topLeft());
    EXPECT_GT(w.geometry().top(), w.frameGeometry().top());
}

TEST_F(FrmMainStartupTest, LoadSetsThePageStateFilesAndPlaces) {
    FrmMain& w = load();
    EXPECT_EQ(w.pageState().TabMode, SetsPage);
    EXPECT_EQ(w.pageState().CurData, &w.datSets);
    EXPECT_TRUE(w.pageState().PrevOn);
    EXPECT_TRUE(w.pageState().NextOn);
    EXPECT_EQ(w.pageState().OldDesc, "");
    EXPECT_EQ(w.pageState().RepSQL, "SELECT * FROM Sets ORDER BY Code ");
    EXPECT_EQ(w.datrep.RecordSource().text, "SELECT * FROM Sets ORDER BY Code ");
    EXPECT_EQ(w.datSets.RecordSource().text, "Sets");
    EXPECT_EQ(w.datBasics.RecordSource().text, "Basics");
    EXPECT_EQ(w.DatSpecials.RecordSource().text, "SpecialCards");
    EXPECT_EQ(w.pageState().LogoPath, catalogue.folder() + "/Logo.jpg");
    EXPECT_EQ(w.cd1.initDir, catalogue.folder());
    for (const DataSource* source : {&w.datSets, &w.datBasics, &w.DatSpecials, &w.datrep})
        EXPECT_EQ(QString::fromStdString(source->DatabaseName()), catalogue.folder() + "/Pellimo.mdb");
}

TEST_F(FrmMainStartupTest, LogoIsShownAtItsOwnSizeWhenItsFileHoldsAPicture) {
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(QDir(catalogue.folder()).filePath("Logo.jpg"), "JPG"));
    FrmMain& w = load();
    ASSERT_FALSE(control<QLabel>(w, "Logo1").pixmap().isNull());
    EXPECT_EQ(control<QLabel>(w, "Logo1").size(), QSize(40, 30));
    EXPECT_EQ(control<QLabel>(w, "Logo1").pos(), twipsToRect(8040, 360, 1770, 2280).topLeft());
}

TEST_F(FrmMainStartupTest, MissingOrUnreadableLogoLeavesTheBoxEmptySilently) {
    FrmMain& without = load();
    EXPECT_TRUE(control<QLabel>(without, "Logo1").pixmap().isNull());
    delete window.data();

    QFile garbage(QDir(catalogue.folder()).filePath("Logo.jpg"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    FrmMain& unreadable = load();
    EXPECT_TRUE(control<QLabel>(unreadable, "Logo1").pixmap().isNull());
    EXPECT_EQ(control<QLabel>(unreadable, "Logo1").size(), twipsToRect(8040, 360, 1770, 2280).size());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrmMainStartupTest, MissingCatalogueIsReportedByNameAndNoWindowStays) {
    ASSERT_TRUE(QFile::remove(catalogue.dbPath()));
    EXPECT_EQ(Main(catalogue.folder(), dialogs), nullptr);
    settle();

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(catalogue.dbPath())));
    EXPECT_TRUE(dialogs.messages()[0].text.contains("Could not find file"));
    EXPECT_EQ(dialogs.messages()[0].title, "Pellimo");
    for (const QWidget* topLevel : QApplication::topLevelWidgets())
        EXPECT_NE(topLevel->objectName(), "FrmMain");
}

TEST_F(FrmMainStartupTest, F1WithoutAHelpFileSaysItWasNotFound) {
    FrmMain& w = start();
    dialogs.calls.clear();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&textBox("txtDesc"), Qt::Key_F1);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "The help file PellimoHelp.chm was not found.");
    EXPECT_EQ(dialogs.messages()[0].flags, vbExclamation);
    EXPECT_EQ(dialogs.messages()[0].title, "Pellimo");
}

} // namespace
} // namespace pellimo
