#include "frm_main_fixture.h"
#include "tab_strip.h"
#include "twips.h"
#include "window_control.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <utility>

namespace pellimo {
namespace {

using FrmMainLayoutTest = FrmMainTest;

int twips(int value) {
    return twipsToPixels(value);
}

double luminance(QColor colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, from 1 (none) to 21 (black on white).
double contrast(QColor one, QColor other) {
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The share of an icon's outline that a viewer makes out on a background: outline pixels (opaque ones
// beside a transparent one) with a pixel that stands out from the background (3:1) within two pixels.
double visibleOutline(const QImage& icon, QColor background) {
    const auto over = [&](int x, int y) {
        const QColor pixel = icon.pixelColor(x, y);
        const double a = pixel.alphaF();
        return QColor::fromRgbF(pixel.redF() * a + background.redF() * (1 - a),
                                pixel.greenF() * a + background.greenF() * (1 - a),
                                pixel.blueF() * a + background.blueF() * (1 - a));
    };
    const QRect all = icon.rect();
    const auto opaque = [&](int x, int y) {
        return all.contains(x, y) && icon.pixelColor(x, y).alpha() >= 128;
    };
    int outline = 0;
    int seen = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            if (!opaque(x, y) ||
                (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)))
                continue;
            ++outline;
            bool standsOut = false;
            for (int dy = -2; dy <= 2 && !standsOut; ++dy)
                for (int dx = -2; dx <= 2 && !standsOut; ++dx)
                    standsOut =
                        all.contains(x + dx, y + dy) && contrast(over(x + dx, y + dy), background) >= 3;
            seen += standsOut;
        }
    return outline ? double(seen) / outline : 0;
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

TEST_F(FrmMainLayoutTest, ToolbarIconsStandOutOnLightAndDarkToolbars) {
    FrmMain& w = load();
    // The toolbar takes the palette's window colour: the light one of the style, and a dark grey.
    const QColor light = QApplication::style()->standardPalette().color(QPalette::Window);
    const QColor dark(0x35, 0x35, 0x35);
    for (ToolbarButton i : allToolbarButtons) {
        const QImage icon =
            w.Buttons(i).icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        for (const QColor& background : {light, dark})
            EXPECT_GE(visibleOutline(icon, background), 0.85)
                << w.Buttons(i).text().toStdString() << " on " << background.name().toStdString();
    }
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
    load();
    const std::pair<QLineEdit*, int> limits[] = {
        {&textBox("txtCode"), 8},      {&textBox("txtDesc"), 50},      {&textBox("txtTot"), 4},
        {&textBox("txtvalue"), 10},    {&textBox("txtBasCardNum"), 4}, {&textBox("txtBasSect"), 20},
        {&textBox("txtBasDesc"), 50},  {&textBox("txtBasValue"), 10},  {&textBox("txtSpecCardNum"), 4},
        {&textBox("txtSpecType"), 20}, {&textBox("txtSpecDesc"), 50},  {&textBox("txtSpecValue"), 10}};
    // Digits, which every box takes, the money and count boxes included.
    const QString longText(60, '1');
    for (auto [box, limit] : limits) {
        box->setReadOnly(false);
        QTest::keyClicks(box, longText);
        EXPECT_EQ(box->text().size(), limit) << box->objectName().toStdString();
    }
}

TEST_F(FrmMainLayoutTest, LockedBoxesRefuseTypingAndTheCardPagesSetBoxesAreNoTabStops) {
    load();
    for (QLineEdit* box : {&textBox("txtCode"), &textBox("txtBasSet"), &textBox("txtBasName"),
                           &textBox("txtSpecCode"), &textBox("txtSpecName")}) {
        QTest::keyClicks(box, "abc");
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
    EXPECT_EQ(textBox("txtCode").focusPolicy(), Qt::StrongFocus);
    for (QLineEdit* box :
         {&textBox("txtBasSet"), &textBox("txtBasName"), &textBox("txtSpecCode"), &textBox("txtSpecName")})
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
    EXPECT_FALSE(textBox("txtDesc").isReadOnly());
}

TEST_F(FrmMainLayoutTest, ScreenReadersNameEachBoxByItsLabelAndTheFastFindBoxesAlike) {
    FrmMain& w = load();
    const auto heard = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString();
    };
    for (const QGroupBox* frame : {&control<QGroupBox>(w, "Frame1"), &control<QGroupBox>(w, "Frame2"),
                                   &control<QGroupBox>(w, "Frame3")})
        for (QLineEdit* box : frame->findChildren<QLineEdit*>()) {
            // The label of a box is the nearest one on its left, on its line.
            const QLabel* label = nullptr;
            for (const QLabel* candidate : frame->findChildren<QLabel*>())
                if (candidate->y() == box->y() && candidate->x() < box->x() &&
                    (!label || candidate->x() > label->x()))
                    label = candidate;
            ASSERT_NE(label, nullptr) << box->objectName().toStdString();
            EXPECT_EQ(heard(box), label->text().toStdString()) << box->objectName().toStdString();
        }
    for (const auto& [box, caption] :
         {std::pair{"picBasFront", "Card Front"}, std::pair{"picBasBack", "Card Back"},
          std::pair{"picSpecFront", "Card Front"}, std::pair{"picSpecBack", "Card Back"}})
        EXPECT_EQ(heard(&control<QLabel>(w, box)), caption) << box;
    for (QComboBox* combo : {&control<QComboBox>(w, "DBCombo1"), &control<QComboBox>(w, "DBCombo2"),
                             &control<QComboBox>(w, "DBCombo3")}) {
        EXPECT_EQ(heard(combo), "Fast Find");
        EXPECT_EQ(heard(combo->lineEdit()), "Fast Find");
    }
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

TEST_F(FrmMainLayoutTest, TabVisitsTheToolbarAndThePageShownInItsOrderAndPassesOverTheFastFindBoxes) {
    FrmMain& w = load();
    // Values the field checks accept, so that every box lets the focus go.
    for (QLineEdit* box : {&textBox("txtCode"), &textBox("txtDesc"), &textBox("txtTot"), &textBox("txtvalue"),
                           &textBox("txtBasCardNum"), &textBox("txtBasValue"), &textBox("txtSpecCardNum"),
                           &textBox("txtSpecType"), &textBox("txtSpecValue")})
        box->setText("5");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // The toolbar is one stop, before the tab strip, on its first enabled button.
    QWidget* toolbar = &w.Buttons(NewButton);
    expectTabCycle({toolbar, &control<TabStrip>(w, "TabStrip1"), &textBox("txtCode"), w.txtDesc,
                    &textBox("txtTot"), w.txtvalue});

    control<QGroupBox>(w, "Frame1").hide();
    control<QGroupBox>(w, "Frame2").show();
    expectTabCycle({toolbar, &control<TabStrip>(w, "TabStrip1"), &textBox("txtBasCardNum"),
                    &textBox("txtBasSect"), &textBox("txtBasDesc"), &textBox("txtBasValue")});

    control<QGroupBox>(w, "Frame2").hide();
    control<QGroupBox>(w, "Frame3").show();
    expectTabCycle({&textBox("txtSpecCardNum"), &textBox("txtSpecType"), &textBox("txtSpecDesc"),
                    &textBox("txtSpecValue"), toolbar, &control<TabStrip>(w, "TabStrip1")});
}

} // namespace
} // namespace pellimo
