#include "frm_main.h"
#include "lock_wait.h"
#include "tab_strip.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

namespace pellimo {

FrmMain::FrmMain(QString programFolder, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), pictures({{&basicsPage_, &specialsPage_}, CurData, dialogs, cd1}),
      reports(dialogs, cd1, datrep, programFolder), programFolder_(std::move(programFolder)),
      dialogs_(dialogs), totals_(programFolder_.toStdString()) {
    keepWindowsAliveWhileLocked();
    buildWindow();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FrmMain::focusWindowChanged);
    connectToolbar();
    connectTabStrip();
    connectFastFind();
    connectFieldChecks();
    Form_Load();
}

FrmMain::~FrmMain() {
    // The controls outlive the data sources while the window is torn down: no jump may reach them then.
    for (QComboBox* box : {DBCombo1, DBCombo2, DBCombo3})
        disconnect(box, nullptr, this, nullptr);
}

void FrmMain::Form_Load() {
    placeFrameAtTopLeft();

    const std::string database = programFile("Pellimo.mdb").toStdString();
    for (DataSource* source : {&datSets, &datBasics, &DatSpecials, &datrep})
        source->setDatabaseName(database);
    helpFile_ = programFile("PellimoHelp.chm");
    cd1.initDir = programFolder_;
    RepSQL = "SELECT * FROM Sets ORDER BY Code ";
    datrep.setRecordSource(RepSQL.toStdString());

    loadToolbarImages();
    setToolbarTooltips(TooltipWording::Sets);

    for (QGroupBox* frame : {Frame1, Frame2, Frame3})
        moveToClientArea(frame);
    Frame2->hide();
    Frame3->hide();
    Frame1->show();
    DBCombo2->hide();
    DBCombo3->hide();

    OldDesc = "";
    LogoPath = programFile("Logo.jpg");
    loadLogo();

    TabMode = SetsPage;
    PrevOn = true;
    NextOn = true;
    CurData = &datSets;
}

// The frame, title bar included, at the top-left of the screen's free area: placing the client area there
// would leave the title bar above the screen, out of the user's reach. The window takes its fixed size and
// its platform window first, so that showing it changes neither and the frame keeps its place.
void FrmMain::placeFrameAtTopLeft() {
    layout()->activate();
    create();
    windowHandle()->setFramePosition(screen()->availableGeometry().topLeft());
}

void FrmMain::moveToClientArea(QGroupBox* frame) const {
    frame->setGeometry(TabStrip1->clientArea());
}

void FrmMain::loadLogo() {
    if (!QFileInfo::exists(LogoPath))
        return;
    const QPixmap logo(LogoPath);
    // A file that holds no readable picture leaves the box empty.
    if (logo.isNull())
        return;
    Logo1->setPixmap(logo);
    Logo1->resize(logo.deviceIndependentSize().toSize());
}

// The program's fixed files all live in its folder, joined as they stand.
QString FrmMain::programFile(const QString& name) const {
    return programFolder_ + '/' + name;
}

} // namespace pellimo
