#include "frm_main_fixture.h"
#include "tab_strip.h"
#include "twips.h"

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
    ASSERT_EQ(w.TabStrip1->count(), 3);
    EXPECT_EQ(w.TabStrip1->tabText(1), "Basics");
    EXPECT_EQ(w.TabStrip1->tabToolTip(0), "Set Information");
    EXPECT_EQ(w.TabStrip1->tabToolTip(1), "Basic Card Information");
    EXPECT_EQ(w.TabStrip1->tabToolTip(2), "Special Cards");
    EXPECT_EQ(w.TabStrip1->currentIndex(), 0);
    EXPECT_EQ(w.TabStrip1->geometry(), twipsToRect(240, 960, 10572, 4332));

    const QRect client = w.TabStrip1->clientArea();
    EXPECT_TRUE(w.TabStrip1->geometry().contains(client));
    EXPECT_GT(client.top(), w.TabStrip1->geometry().top() + w.TabStrip1->tabRect(0).height() - 1);
    for (const QGroupBox* frame : {w.Frame1, w.Frame2, w.Frame3}) {
        EXPECT_EQ(frame->geometry(), client);
        // Every control of a page lies inside its frame.
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(frame->rect().contains(control->geometry())) << control->objectName().toStdString();
    }
    EXPECT_EQ(w.Frame1->title(), "Sets");
    EXPECT_EQ(w.Frame3->title(), "Specials");
}

TEST_F(FrmMainLayoutTest, OnlyTheSetsPageAndItsFastFindBoxShowAtLoad) {
    FrmMain& w = load();
    w.show();
    EXPECT_TRUE(w.Frame1->isVisible());
    EXPECT_FALSE(w.Frame2->isVisible());
    EXPECT_FALSE(w.Frame3->isVisible());
    EXPECT_TRUE(w.DBCombo1->isVisible());
    EXPECT_FALSE(w.DBCombo2->isVisible());
    EXPECT_FALSE(w.DBCombo3->isVisible());
    for (const QComboBox* box : {w.DBCombo1, w.DBCombo2, w.DBCombo3}) {
        EXPECT_EQ(box->geometry(), twipsToRect(2280, 5400, 5415, 315));
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
    }
    EXPECT_EQ(w.Label8->text(), "Fast Find:");
    EXPECT_EQ(w.Label13->text(), "Press F1 for Help");
    for (const QLabel* label : {w.Label8, w.Label13}) {
        EXPECT_TRUE(label->font().bold());
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    }
    EXPECT_TRUE(w.Label8->alignment() & Qt::AlignRight);
}

TEST_F(FrmMainLayoutTest, CaptionsFitOnOneLineAndTheSetsLabelsEndTogether) {
    FrmMain& w = load();
    for (const QGroupBox* frame : {w.Frame1, w.Frame2, w.Frame3})
        for (const QLabel* label : frame->findChildren<QLabel*>())
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
    EXPECT_LE(w.lblSetVal->fontMetrics().horizontalAdvance("Basic Card Value"), w.lblSetVal->width());
    EXPECT_LE(w.Label13->fontMetrics().horizontalAdvance(w.Label13->text()),
              w.centralWidget()->width() - w.Label13->x());
    for (const QLabel* label : {w.lblSet, w.lblDesc, w.lblCards})
        EXPECT_EQ(label->geometry().right(), w.lblSetVal->geometry().right());
    EXPECT_TRUE(w.lblSetVal->alignment() & Qt::AlignRight);
    EXPECT_TRUE(w.Label4->alignment() & Qt::AlignRight);
    EXPECT_EQ(w.Label4->geometry().right(), w.Label3->geometry().right());
}

TEST_F(FrmMainLayoutTest, TypingStopsAtEachFieldsMaximumLength) {
    FrmMain& w = load();
    const std::pair<QLineEdit*, int> limits[] = {
        {w.txtCode, 8},        {w.txtDesc, 50},     {w.txtTot, 4},       {w.txtvalue, 10},
        {w.txtBasCardNum, 4},  {w.txtBasSect, 20},  {w.txtBasDesc, 50},  {w.txtBasValue, 10},
        {w.txtSpecCardNum, 4}, {w.txtSpecType, 20}, {w.txtSpecDesc, 50}, {w.txtSpecValue, 10}};
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
    for (QLineEdit* box : {w.txtCode, w.txtBasSet, w.txtBasName, w.txtSpecCode, w.txtSpecName}) {
        QTest::keyClicks(box, "abc");
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
    EXPECT_EQ(w.txtCode->focusPolicy(), Qt::StrongFocus);
    for (QLineEdit* box : {w.txtBasSet, w.txtBasName, w.txtSpecCode, w.txtSpecName})
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
    EXPECT_FALSE(w.txtDesc->isReadOnly());
}

TEST_F(FrmMainLayoutTest, PictureBoxesStretchInsideASingleLineBorder) {
    FrmMain& w = load();
    for (const QLabel* box : {w.picBasFront, w.picBasBack, w.picSpecFront, w.picSpecBack}) {
        EXPECT_TRUE(box->hasScaledContents());
        EXPECT_EQ(box->frameShape(), QFrame::Box);
        EXPECT_EQ(box->frameShadow(), QFrame::Plain);
        EXPECT_EQ(box->lineWidth(), 1);
    }
    EXPECT_EQ(w.picSpecFront->width(), twips(1692));
    EXPECT_FALSE(w.Logo1->hasScaledContents());
}

TEST_F(FrmMainLayoutTest, MenusCarryTheirCaptionsAndThePictureMenuStartsDisabled) {
    FrmMain& w = load();
    EXPECT_EQ(w.mnuFile->title(), "&File");
    EXPECT_EQ(w.mnuFileExit->text(), "E&xit");
    EXPECT_EQ(w.mnuFileExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(w.mnuPic->title(), "&Picture");
    EXPECT_FALSE(w.mnuPic->menuAction()->isEnabled());
    for (const QAction* item : {w.mnuPicFront, w.mnuPicBack, w.mnuPicClrFront, w.mnuPicClrBack})
        EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(w.mnuPicFront->text(), "Load &Front...");
    EXPECT_EQ(w.mnuPicClrBack->text(), "C&lear Back");
    EXPECT_EQ(w.mnuHelp->title(), "&Help");
    EXPECT_EQ(w.mnuHelpAbout->text(), "&About...");
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

TEST_F(FrmMainLayoutTest, TabVisitsTheToolbarAndThePageShownInItsOrderAndPassesOverTheFastFindBoxes) {
    FrmMain& w = load();
    // Values the field checks accept, so that every box lets the focus go.
    for (QLineEdit* box : {w.txtCode, w.txtDesc, w.txtTot, w.txtvalue, w.txtBasCardNum, w.txtBasValue,
                           w.txtSpecCardNum, w.txtSpecType, w.txtSpecValue})
        box->setText("5");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // The toolbar is one stop, before the tab strip, on its first enabled button.
    QWidget* toolbar = &w.Buttons(NewButton);
    expectTabCycle({toolbar, w.TabStrip1, w.txtCode, w.txtDesc, w.txtTot, w.txtvalue});

    w.Frame1->hide();
    w.Frame2->show();
    expectTabCycle({toolbar, w.TabStrip1, w.txtBasCardNum, w.txtBasSect, w.txtBasDesc, w.txtBasValue});

    w.Frame2->hide();
    w.Frame3->show();
    expectTabCycle({w.txtSpecCardNum, w.txtSpecType, w.txtSpecDesc, w.txtSpecValue, toolbar, w.TabStrip1});
}

} // namespace
} // namespace pellimo
