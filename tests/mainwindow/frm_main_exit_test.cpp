#include "about_box.h"
#include "frm_main_fixture.h"
#include "window_control.h"

#include <QLineEdit>

namespace pellimo {
namespace {

class FrmMainExitTest : public FrmMainTest {
protected:
    void SetUp() override { catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 5, 0)"); }

    QString storedName() const {
        return catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S1'").toString();
    }

    bool mainWindowGone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }
};

TEST_F(FrmMainExitTest, ExitWhileEditingEndsAtOnceAndKeepsTheEdit) {
    FrmMain& w = start();
    QPointer<FrmAbout> about = showAboutBox();
    textBox("txtDesc").setText("Edited Name");

    control<QAction>(w, "mnuFileExit").trigger();

    EXPECT_TRUE(mainWindowGone());
    EXPECT_TRUE(about.isNull() || !about->isVisible());
    EXPECT_EQ(storedName(), "Edited Name");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrmMainExitTest, ExitDropsAnEditTheCatalogueRefusesWithoutAWord) {
    FrmMain& w = start();
    textBox("txtDesc").setText("Edited Name");
    textBox("txtTot").setText("many");
    control<QAction>(w, "mnuFileExit").trigger();
    EXPECT_TRUE(mainWindowGone());
    EXPECT_EQ(storedName(), "First Set");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrmMainExitTest, ExitWhileAddingStoresNothing) {
    FrmMain& w = start();
    press("New");
    QTest::keyClicks(&textBox("txtCode"), "NEW1");
    control<QAction>(w, "mnuFileExit").trigger();
    EXPECT_TRUE(mainWindowGone());
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Sets").toInt(), 1);
}

TEST_F(FrmMainExitTest, CtrlXInATextBoxIsExitNotCut) {
    FrmMain& w = start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    textBox("txtDesc").setFocus();
    textBox("txtDesc").selectAll();
    QTest::keyClick(&textBox("txtDesc"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(mainWindowGone());
    EXPECT_EQ(storedName(), "First Set");
}

TEST_F(FrmMainExitTest, ClosingTheWindowLeavesTheAboutBoxOpen) {
    FrmMain& w = start();
    QPointer<FrmAbout> about = showAboutBox();
    textBox("txtDesc").setText("Edited Name");
    w.close();
    EXPECT_TRUE(mainWindowGone());
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(storedName(), "Edited Name");
}

} // namespace
} // namespace pellimo
