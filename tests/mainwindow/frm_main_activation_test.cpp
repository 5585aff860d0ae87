#include "about_box.h"
#include "frm_main_fixture.h"
#include "qt_dialogs.h"
#include "window_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

namespace pellimo {
namespace {

class FrmMainActivationTest : public FrmMainTest {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0), ('S2', 'Second Set', 0, 0);"
                       "INSERT INTO Basics (Code, Card_Num, Value) VALUES ('S1', 1, 30000);");
    }

    // Makes `other` the active window, then the main window again.
    void activateThroughAndBack(QWidget& other) {
        activate(other);
        activate(*window);
    }

    static void activate(QWidget& target) {
        target.show();
        target.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
        settle();
    }

    void browseToSecondSet() {
        press("Next");
        ASSERT_EQ(textBox("txtCode").text(), "S2");
    }
};

TEST_F(FrmMainActivationTest, ReturnFromTheAboutBoxGoesBackToTheFirstSetWhateverThePage) {
    FrmMain& w = start();
    browseToSecondSet();
    selectTab(BasicsPage);
    textBox("txtvalue").clear();

    activateThroughAndBack(*showAboutBox());

    EXPECT_EQ(textBox("txtCode").text(), "S1");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(w.pageState().OldDesc, "First Set");
    EXPECT_EQ(textBox("txtvalue").text(), "$3.00");
    EXPECT_EQ(w.pageState().TabMode, BasicsPage);
    EXPECT_EQ(w.pageState().CurData, &w.datBasics);
}

TEST_F(FrmMainActivationTest, ClosingTheAboutBoxHandsBackAnActivation) {
    FrmMain& w = start();
    FrmAbout* about = showAboutBox();
    activate(*about);
    browseToSecondSet();
    about->close();
    activate(w);
    EXPECT_EQ(textBox("txtCode").text(), "S1");
}

TEST_F(FrmMainActivationTest, ClosingARealMessageBoxIsNoActivation) {
    QtDialogs realDialogs;
    int boxesShown = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxesShown;
            box->accept();
        }
    });
    answerer.start(5);
    window = Main(catalogue.folder(), realDialogs);
    ASSERT_NE(window, nullptr);
    settle();
    browseToSecondSet();

    window->showHelp(); // no help file: a message box
    activate(*window);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(textBox("txtCode").text(), "S2");
}

TEST_F(FrmMainActivationTest, ComingBackFromAnotherApplicationIsNoActivation) {
    FrmMain& w = start();
    browseToSecondSet();
    emit qApp->focusWindowChanged(nullptr);
    emit qApp->focusWindowChanged(w.windowHandle());
    settle();
    EXPECT_EQ(textBox("txtCode").text(), "S2");
}

TEST_F(FrmMainActivationTest, NewSetBeingAddedStaysPendingWithWhatWasTyped) {
    FrmMain& w = start();
    press("New");
    QTest::keyClicks(&textBox("txtCode"), "NEW1");

    activateThroughAndBack(*showAboutBox());

    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtCode").text(), "NEW1");
    EXPECT_EQ(control<QLabel>(w, "lblSetVal").text(), "Basic Card Value");
}

TEST_F(FrmMainActivationTest, EditTypedBeforeTheActivationIsStored) {
    FrmMain& w = start();
    textBox("txtDesc").setText("Renamed Set");
    activateThroughAndBack(*showAboutBox());
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S1'").toString(), "Renamed Set");
    EXPECT_EQ(w.pageState().OldDesc, "Renamed Set");
    EXPECT_TRUE(dialogs.messages().empty());
}

} // namespace
} // namespace pellimo
