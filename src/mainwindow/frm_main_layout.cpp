#include "frm_main.h"
#include "layout_controls.h"
#include "resources.h"
#include "tab_strip.h"
#include "toolbar_buttons.h"
#include "toolbar_keys.h"
#include "twips.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <utility>
#include <vector>

namespace pellimo {

namespace {

constexpr TwipsPlace fastFindPlace{2280, 5400, 5415, 315};

} // namespace

void FrmMain::buildWindow() {
    initResources();
    setObjectName("FrmMain");
    setWindowTitle("Pellimo");
    setWindowIcon(QIcon(":/icons/window.png"));
    // A fixed border: the window can be minimized but neither resized nor maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The client area below the menu bar: every control but the menus is placed in it.
    auto* client = new QWidget(this);
    client->setObjectName("clientArea");
    client->setFixedSize(twipsToPixels(11265), twipsToPixels(6045));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildTabStrip();
    buildSetsPage();
    buildBasicsPage();
    buildSpecialsPage();
    fitWindowFont();
    buildToolbar();
    buildFastFindRow();
    buildDataSources();
    buildMenus();
    setFocusOrder();
}

void FrmMain::buildToolbar() {
    Toolbar1 = new QToolBar(centralWidget());
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->layout()->setSpacing(0);
    place(Toolbar1, {0, 0, 11265, 630});

    const QSize buttonSize = twipsToRect(0, 0, 720, 540).size();
    for (std::size_t i = 0; i < toolbarButtonTable.size(); ++i) {
        auto* button = new QToolButton(Toolbar1);
        button->setProperty("key", toolbarButtonTable[i].key);
        button->setText(toolbarButtonTable[i].caption);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        Toolbar1->addWidget(button);
        buttons_[i] = button;
    }
    // The 32-pixel images shrink to leave the caption its line under them, inside the button's frame and
    // the gap the style keeps below an image. Buttons on a toolbar take the toolbar's icon size.
    const int frame = Toolbar1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, buttons_[0]);
    const int side = std::min(32, buttonSize.height() - 2 * frame - 4 - Toolbar1->fontMetrics().height());
    Toolbar1->setIconSize(QSize(side, side));
    for (QToolButton* button : buttons_)
        button->setFixedSize(buttonSize);
    // Save serves only a record being added.
    Buttons(SaveButton).setEnabled(false);
}

void FrmMain::buildTabStrip() {
    TabStrip1 = new TabStrip(centralWidget());
    TabStrip1->setObjectName("TabStrip1");
    place(TabStrip1, {240, 960, 10572, 4332});
    const struct {
        const char* caption;
        const char* tooltip;
    } tabs[] = {
        {"Sets", "Set Information"}, {"Basics", "Basic Card Information"}, {"Specials", "Special Cards"}};
    for (const auto& tab : tabs) {
        const int index = TabStrip1->addTab(tab.caption);
        TabStrip1->setTabToolTip(index, tab.tooltip);
    }
}

// Sans serif faces differ in width from one system to the next: the window takes the largest size, up to
// 8.25 points, at which every caption of the pages fits its place on one line.
void FrmMain::fitWindowFont() {
    std::vector<std::pair<QString, int>> captions;
    for (const QGroupBox* frame : {Frame1, Frame2, Frame3})
        for (const QLabel* label : frame->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                captions.emplace_back(label->text(), label->width());
    captions.emplace_back("Basic Card Value", lblSetVal->width());
    for (const ToolbarButtonEntry& entry : toolbarButtonTable)
        captions.emplace_back(entry.caption, twipsToPixels(720) - 4);

    QFont font;
    for (qreal points = 8.25; points >= 6; points -= 0.25) {
        font = sansSerifFont(points);
        const QFontMetrics metrics(font);
        if (std::all_of(captions.begin(), captions.end(), [&](const auto& caption) {
                return metrics.horizontalAdvance(caption.first) <= caption.second;
            }))
            break;
    }
    setFont(font);
}

void FrmMain::buildFastFindRow() {
    QWidget* client = centralWidget();
    Label8 = addLabel(client, "Label8", "Fast Find:", {720, 5400, 1452, 252}, Qt::AlignRight);
    Label8->setFont(sansSerifFont(9.75, true));

    // Stacked in one place: the load step and the page switches show the one of the page shown.
    for (auto [combo, name] :
         {std::pair{&DBCombo1, "DBCombo1"}, {&DBCombo2, "DBCombo2"}, {&DBCombo3, "DBCombo3"}}) {
        *combo = new QComboBox(client);
        (*combo)->setObjectName(name);
        (*combo)->setEditable(true);
        // Taken by a click, passed over by Tab.
        (*combo)->setFocusPolicy(Qt::ClickFocus);
        // Named for screen readers; its label's caption ends in a colon.
        (*combo)->setAccessibleName("Fast Find");
        (*combo)->lineEdit()->setAccessibleName("Fast Find");
        place(*combo, fastFindPlace);
    }
    DBCombo2->hide();
    DBCombo3->hide();

    Label13 = addLabel(client, "Label13", "Press F1 for Help", {9312, 5400, 2028, 492});
    Label13->setFont(sansSerifFont(9.75, true));
}

void FrmMain::buildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* added = menuBar()->addMenu(caption);
        added->setObjectName(name);
        return added;
    };

    mnuFile = menu("mnuFile", "&File");
    mnuFileExit = item(mnuFile, "mnuFileExit", "E&xit");
    mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(mnuFileExit, &QAction::triggered, this,
            [this] { guardHandler([this] { mnuFileExit_Click(); }); });

    mnuPic = menu("mnuPic", "&Picture");
    mnuPicFront = item(mnuPic, "mnuPicFront", "Load &Front...");
    mnuPicBack = item(mnuPic, "mnuPicBack", "Load &Back...");
    mnuPicClrFront = item(mnuPic, "mnuPicClrFront", "&Clear Front");
    mnuPicClrBack = item(mnuPic, "mnuPicClrBack", "C&lear Back");
    const auto pictureCommand = [this](QAction* action, void (CardPictures::*command)(std::int16_t)) {
        connect(action, &QAction::triggered, this,
                [this, command] { guardHandler([this, command] { (pictures.*command)(TabMode); }); });
    };
    pictureCommand(mnuPicFront, &CardPictures::mnuPicFront_Click);
    pictureCommand(mnuPicBack, &CardPictures::mnuPicBack_Click);
    pictureCommand(mnuPicClrFront, &CardPictures::mnuPicClrFront_Click);
    pictureCommand(mnuPicClrBack, &CardPictures::mnuPicClrBack_Click);
    // The Sets page comes first, and it has no pictures.
    mnuPic->setEnabled(false);

    mnuHelp = menu("mnuHelp", "&Help");
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", "&About...");
    connect(mnuHelpAbout, &QAction::triggered, this,
            [this] { guardHandler([this] { mnuHelpAbout_Click(); }); });

    auto* help = new QAction(this);
    help->setObjectName("helpKey");
    help->setShortcut(QKeySequence::HelpContents);
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { guardHandler([this] { showHelp(); }); });

    keepExitShortcutWindowWide();
}

void FrmMain::setFocusOrder() {
    // Controls that are hidden, on a hidden page or no Tab stop are passed over.
    std::vector<QWidget*> order{txtSpecCode, txtSpecCardNum, txtSpecType, txtSpecDesc, txtSpecValue};
    order.insert(order.end(), buttons_.begin(), buttons_.end());
    order.insert(order.end(),
                 {TabStrip1, txtCode, txtDesc, txtTot, txtBasSet, txtBasName, txtBasCardNum, txtBasSect,
                  txtBasDesc, txtSpecName, DBCombo1, DBCombo2, DBCombo3, txtvalue, txtBasValue});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The toolbar is one stop of the order, on one of its buttons.
    new ToolbarKeys({buttons_.begin(), buttons_.end()}, this);
}

} // namespace pellimo
