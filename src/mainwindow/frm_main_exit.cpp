#include "frm_main.h"
#include "resume_next.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace pellimo {

void FrmMain::mnuFileExit_Click() {
    if (endProgram_)
        endProgram_();
    else
        close();
}

// Unloading the window closes its data sources.
void FrmMain::closeEvent(QCloseEvent* event) {
    closeDataSources();
    QMainWindow::closeEvent(event);
}

void FrmMain::closeDataSources() {
    ResumeNext step;
    for (DataSource* source : {&datSets, &datBasics, &DatSpecials, &datrep}) {
        // Closing stores a pending edit; one the catalogue refuses is dropped without a word, as the
        // program ends at once.
        if (step([&] { source->Close(); }) != 0) {
            step([&] { source->Recordset().CancelUpdate(); });
            step([&] { source->Close(); });
        }
    }
}

// Text boxes take Ctrl+X for Cut; the menu's Exit shortcut goes first, in every box of the window.
void FrmMain::keepExitShortcutWindowWide() {
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    for (QComboBox* box : findChildren<QComboBox*>())
        box->installEventFilter(this);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == mnuFileExit->shortcut()) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pellimo
