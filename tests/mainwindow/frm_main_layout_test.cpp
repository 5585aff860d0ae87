#include "frm_main_fixture.h"
#include "tab_strip.h"
#include "twips.h"
#include "window_control.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace pellimo {
namespace {

using FrmMainLayoutTest = FrmMainTest;

int twips(int value) {
    return twipsToPixels(value);
}

TEST_F(FrmMainLayoutTest, WindowHasAFixedClientAreaAndNoMaximizeButton) {
    FrmMain& w = load();
    EXPECT_EQ(w.objectName(), "FrmMain");
    EXPECT_EQ(w.windowTitle(), "Pellimo");
    EXPECT_EQ(w.centralWidget()->size(), QSize(twips(11265), twips(6045)));
    w.show();
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowIcon().isNull());
}

TEST_F(FrmMainLayoutTest, ToolbarHasTenButtonsWithKeysCaptionsImagesAndSetsTooltips) {
    FrmMain& w = load();
    const char* keys[] = {"New",    "First", "Prev",   "Next", "Last",
                          "Delete", "Find",  "Cancel", "Save", "Report"};
    const char* captions[] = {"New",    "First", "Previous", "Next", "Last",
                              "Delete", "Find",  "Cancel",   "Save", "Report"};
    for (ToolbarButton i : allToolbarButtons) {
        QToolButton& button = w.Buttons(i);
        EXPECT_EQ(button.property("key").toString(), keys[i - 1]);
        EXPECT_EQ(button.text(), captions[i - 1]);
        EXPECT_EQ(button.size(), twipsToRect(0, 0, 720, 540).size());
        EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_FALSE(button.icon().isNull());
        EXPECT_LE(button.fontMetrics().horizontalAdvance(button.text()), button.width());
        EXPECT_EQ(button.isEnabled(), i != SaveButton) << keys[i - 1];
    }
    EXPECT_EQ(w.Buttons(NewButton).toolTip(), "Create a New Set of Cards");
    EXPECT_EQ(w.Buttons(FindButton).toolTip(), "Find a set of cards by typing part of the set name");
    EXPECT_EQ(w.Buttons(ReportButton).toolTip(), "Create Sets Report");
    EXPECT_EQ(w.ImageList1.size(), 10u);
    // Button 1 shows image 5, the index card; button 2 image 1.
    EXPECT_EQ(w.Buttons(NewButton).icon().cacheKey(), w.ImageList1[4].cacheKey());
    EXPECT_EQ(w.Buttons(FirstButton).icon().cacheKey(), w.ImageList1[0].cacheKey());
    EXPECT_THROW(w.Buttons(static_cast<ToolbarButton>(ReportButton + 1)), std::out_of_range);
}

TEST_F(FrmMainLayoutTest, TabStripHasThreeTabsAndTheFramesLieOnItsBody) {
    FrmMain& w = load();
    ASSERT_EQ(control<TabStrip>(w, "TabStrip1").count(), 3);
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").tabText(1), "Basics");
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").tabToolTip(0), "Set Information");
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").tabToolTip(1), "Basic Card Information");
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").tabToolTip(2), "Special Cards");
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").currentIndex(), 0);
    EXPECT_EQ(control<TabStrip>(w, "TabStrip1").geometry(), twipsToRect(240, 960, 10572, 4332));

    const QRect client = control<TabStrip>(w, "TabStrip1").clientArea();
    EXPECT_TRUE(control<TabStrip>(w, "TabStrip1").geometry().contains(client));
    EXPECT_GT(client.top(), control<TabStrip>(w, "TabStrip1").geometry().top() +
                                control<TabStrip>(w, "TabStrip1").tabRect(0).height() - 1);
    for (const QGroupBox* frame : {&control<QGroupBox>(w, "Frame1"), &control<QGroupBox>(w, "Frame2"),
                                   &control<QGroupBox>(w, "Frame3")}) {
        EXPECT_EQ(frame->geometry(), client);
        // Every control of a page lies inside its frame.
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(frame->rect().contains(control->geometry())) << control->objectName().toStdString();
    }
    EXPECT_EQ(control<QGroupBox>(w, "Frame1").title(), "Sets");
    EXPECT_EQ(control<QGroupBox>(w, "Frame3").title(), "Specials");
}

TEST_F(FrmMainLayoutTest, OnlyTheSetsPageAndItsFastFindBoxShowAtLoad) {
    FrmMain& w = load();
    w.show();
    EXPECT_TRUE(control<QGroupBox>(w, "Frame1").isVisible());
    EXPECT_FALSE(control<QGroupBox>(w, "Frame2").isVisible());
    EXPECT_FALSE(control<QGroupBox>(w, "Frame3").isVisible());
    EXPECT_TRUE(control<QComboBox>(w, "DBCombo1").isVisible());
    EXPECT_FALSE(control<QComboBox>(w, "DBCombo2").isVisible());
    EXPECT_FALSE(control<QComboBox>(w, "DBCombo3").isVisible());
    for (const QComboBox* box : {&control<QComboBox>(w, "DBCombo1"), &control<QComboBox>(w, "DBCombo2"),
                                 &control<QComboBox>(w, "DBCombo3")}) {
        EXPECT_EQ(box->geometry(), twipsToRect(2280, 5400, 5415, 315));
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
    }
    EXPECT_EQ(control<QLabel>(w, "Label8").text(), "Fast Find:");
    EXPECT_EQ(control<QLabel>(w, "Label13").text(), "Press F1 for Help");
    for (const QLabel* label : {&control<QLabel>(w, "Label8"), &control<QLabel>(w, "Label13")}) {
        EXPECT_TRUE(label->font().bold());
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    }
    EXPECT_TRUE(control<QLabel>(w, "Label8").alignment() & Qt::AlignRight);
}

TEST_F(FrmMainLayoutTest, CaptionsFitOnOneLineAndTheSetsLabelsEndTogether) {
    FrmMain& w = load();
    for (const QGroupBox* frame : {&control<QGroupBox>(w, "Frame1"), &control<QGroupBox>(w, "Frame2"),
                                   &control<QGroupBox>(w, "Frame3")})
        for (const QLabel* label : frame->findChildren<QLabel*>())
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
    EXPECT_LE(control<QLabel>(w, "lblSetVal").fontMetrics().horizontalAdvance("Basic Card Value"),
              control<QLabel>(w, "lblSetVal").width());
    EXPECT_LE(
        control<QLabel>(w, "Label13").fontMetrics().horizontalAdvance(control<QLabel>(w, "Label13").text()),
        w.centralWidget()->width() - control<QLabel>(w, "Label13").x());
    for (const QLabel* label :
         {&control<QLabel>(w, "lblSet"), &control<QLabel>(w, "lblDesc"), &control<QLabel>(w, "lblCards")})
        EXPECT_EQ(label->geometry().right(), control<QLabel>(w, "lblSetVal").geometry().right());
    EXPECT_TRUE(control<QLabel>(w, "lblSetVal").alignment() & Qt::AlignRight);
    EXPECT_TRUE(control<QLabel>(w, "Label4").alignment() & Qt::AlignRight);
    EXPECT_EQ(control<QLabel>(w, "Label4").geometry().right(),
              control<QLabel>(w, "Label3").geometry().right());
}

TEST_F(FrmMainLayoutTest, TypingStopsAtEachFieldsMaximumLength) {
    FrmMain& w = load();
    const std::pair<QLineEdit*, int> limits[] = {
        {&control<QLineEdit>(w, "txtCode"), 8},        {&control<QLineEdit>(w, "txtDesc"), 50},
        {&control<QLineEdit>(w, "txtTot"), 4},         {&control<QLineEdit>(w, "txtvalue"), 10},
        {&control<QLineEdit>(w, "txtBasCardNum"), 4},  {&control<QLineEdit>(w, "txtBasSect"), 20},
        {&control<QLineEdit>(w, "txtBasDesc"), 50},    {&control<QLineEdit>(w, "txtBasValue"), 10},
        {&control<QLineEdit>(w, "txtSpecCardNum"), 4}, {&control<QLineEdit>(w, "txtSpecType"), 20},
        {&control<QLineEdit>(w, "txtSpecDesc"), 50},   {&control<QLineEdit>(w, "txtSpecValue"), 10}};
    // Digits, which every box takes, the money and count boxes included.
    const QString longText(60, '1');
    for (auto [box, limit] : limits) {
        box->setReadOnly(false);
        QTest::keyClicks(box, longText);
        EXPECT_EQ(box->text().size(), limit) << box->objectName().toStdString();
    }
}

TEST_F(FrmMainLayoutTest, LockedBoxesRefuseTypingAndTheCardPagesSetBoxesAreNoTabStops) {
    FrmMain& w = load();
    for (QLineEdit* box : {&control<QLineEdit>(w, "txtCode"), &control<QLineEdit>(w, "txtBasSet"),
                           &control<QLineEdit>(w, "txtBasName"), &control<QLineEdit>(w, "txtSpecCode"),
                           &control<QLineEdit>(w, "txtSpecName")}) {
        QTest::keyClicks(box, "abc");
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
    EXPECT_EQ(control<QLineEdit>(w, "txtCode").focusPolicy(), Qt::StrongFocus);
    for (QLineEdit* box : {&control<QLineEdit>(w, "txtBasSet"), &control<QLineEdit>(w, "txtBasName"),
                           &control<QLineEdit>(w, "txtSpecCode"), &control<QLineEdit>(w, "txtSpecName")})
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
    EXPECT_FALSE(control<QLineEdit>(w, "txtDesc").isReadOnly());
}

TEST_F(FrmMainLayoutTest, PictureBoxesStretchInsideASingleLineBorder) {
    FrmMain& w = load();
    for (const QLabel* box : {&control<QLabel>(w, "picBasFront"), &control<QLabel>(w, "picBasBack"),
                              &control<QLabel>(w, "picSpecFront"), &control<QLabel>(w, "picSpecBack")}) {
        EXPECT_TRUE(box->hasScaledContents());
        EXPECT_EQ(box->frameShape(), QFrame::Box);
        EXPECT_EQ(box->frameShadow(), QFrame::Plain);
        EXPECT_EQ(box->lineWidth(), 1);
    }
    EXPECT_EQ(control<QLabel>(w, "picSpecFront").width(), twips(1692));
    EXPECT_FALSE(control<QLabel>(w, "Logo1").hasScaledContents());
}

TEST_F(FrmMainLayoutTest, MenusCarryTheirCaptionsAndThePictureMenuStartsDisabled) {
    FrmMain& w = load();
    EXPECT_EQ(control<QMenu>(w, "mnuFile").title(), "&File");
    EXPECT_EQ(control<QAction>(w, "mnuFileExit").text(), "E&xit");
    EXPECT_EQ(control<QAction>(w, "mnuFileExit").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(control<QMenu>(w, "mnuPic").title(), "&Picture");
    EXPECT_FALSE(control<QMenu>(w, "mnuPic").menuAction()->isEnabled());
    for (const QAction* item :
         {&control<QAction>(w, "mnuPicFront"), &control<QAction>(w, "mnuPicBack"),
          &control<QAction>(w, "mnuPicClrFront"), &control<QAction>(w, "mnuPicClrBack")})
        EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(control<QAction>(w, "mnuPicFront").text(), "Load &Front...");
    EXPECT_EQ(control<QAction>(w, "mnuPicClrBack").text(), "C&lear Back");
    EXPECT_EQ(control<QMenu>(w, "mnuHelp").title(), "&Help");
    EXPECT_EQ(control<QAction>(w, "mnuHelpAbout").text(), "&About...");
}

// Tab from the first control visits the others in order and comes back to the first.
void expectTabCycle(const std::vector<QWidget*>& order) {
    order.front()->setFocus();
    for (std::size_t i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i % order.size()])
            << "after " << order[i - 1]->objectName().toStdString() << " came "
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                            : "nothing");
    }
}

TEST_F(FrmMainLayoutTest, TabVisitsThePageShownInItsOrderAndPassesOverTheFastFindBoxes) {
    FrmMain& w = load();
    // Values the field checks accept, so that every box lets the focus go.
    for (QLineEdit* box : {&control<QLineEdit>(w, "txtCode"), &control<QLineEdit>(w, "txtDesc"),
                           &control<QLineEdit>(w, "txtTot"), &control<QLineEdit>(w, "txtvalue"),
                           &control<QLineEdit>(w, "txtBasCardNum"), &control<QLineEdit>(w, "txtBasValue"),
                           &control<QLineEdit>(w, "txtSpecCardNum"), &control<QLineEdit>(w, "txtSpecType"),
                           &control<QLineEdit>(w, "txtSpecValue")})
        box->setText("5");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    expectTabCycle({&control<TabStrip>(w, "TabStrip1"), &control<QLineEdit>(w, "txtCode"),
                    &control<QLineEdit>(w, "txtDesc"), &control<QLineEdit>(w, "txtTot"),
                    &control<QLineEdit>(w, "txtvalue")});

    control<QGroupBox>(w, "Frame1").hide();
    control<QGroupBox>(w, "Frame2").show();
    expectTabCycle({&control<TabStrip>(w, "TabStrip1"), &control<QLineEdit>(w, "txtBasCardNum"),
                    &control<QLineEdit>(w, "txtBasSect"), &control<QLineEdit>(w, "txtBasDesc"),
                    &control<QLineEdit>(w, "txtBasValue")});

    control<QGroupBox>(w, "Frame2").hide();
    control<QGroupBox>(w, "Frame3").show();
    expectTabCycle({&control<QLineEdit>(w, "txtSpecCardNum"), &control<QLineEdit>(w, "txtSpecType"),
                    &control<QLineEdit>(w, "txtSpecDesc"), &control<QLineEdit>(w, "txtSpecValue"),
                    &control<TabStrip>(w, "TabStrip1")});
}

} // namespace
} // namespace pellimo
