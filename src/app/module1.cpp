#include "module1.h"

#include "about_box.h"
#include "box_text.h"
#include "frm_main.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <exception>

namespace pellimo {

namespace {

QPointer<FrmMain> frmMain;

} // namespace

FrmMain* Main(const QString& programFolder, Dialogs& dialogs) {
    auto* window = new FrmMain(programFolder, dialogs);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setShowAbout([] { showAboutBox(); });
    window->setEndProgram(EndProgram);
    frmMain = window;

    window->show();
    // A program's first window becomes the active one, which brings its first activation; without a
    // window manager to grant it, nothing else would.
    window->activateWindow();
    window->txtDesc->setFocus();
    try {
        window->datSets.Refresh();
    } catch (const std::exception& failure) {
        // Gone before the report, so that no activation runs over a catalogue that is not there.
        delete window;
        const QString path = QDir::toNativeSeparators(programFolder + "/Pellimo.mdb");
        dialogs.MsgBox(QString("The catalogue %1 cannot be opened.\n\n%2").arg(path, failure.what()),
                       vbCritical, "Pellimo");
        return nullptr;
    }
    showAsCurrency(*window->txtvalue);
    return window;
}

void EndProgram() {
    if (frmMain)
        frmMain->close();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace pellimo
