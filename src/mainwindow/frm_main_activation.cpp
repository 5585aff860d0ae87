#include "box_text.h"
#include "edit_mode.h"
#include "engine_error.h"
#include "frm_main.h"
#include "resume_next.h"

#include <QApplication>
#include <QLineEdit>
#include <QWindow>

namespace pellimo {

namespace {

bool isAboutBox(const QWindow* window) {
    for (const QWidget* topLevel : QApplication::topLevelWidgets())
        if (topLevel->windowHandle() == window)
            return topLevel->objectName() == QLatin1String("frmAbout");
    return false;
}

} // namespace

// The window counts as activated the first time it becomes the active window and whenever it does so
// straight after the About box. Message boxes, the input box and file dialogs hand the focus back without
// an activation, and a return from another application (no window of ours active between) is none either.
void FrmMain::focusWindowChanged(QWindow* window) {
    if (window == nullptr)
        return;
    if (window != windowHandle()) {
        lastActiveWasAboutBox_ = isAboutBox(window);
        return;
    }
    const bool activation = !activatedBefore_ || lastActiveWasAboutBox_;
    activatedBefore_ = true;
    lastActiveWasAboutBox_ = false;
    // Queued, so that its message box opens once the window system's activation has been handled.
    if (activation)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (handlersRunning_ > 0)
                    activationDeferred_ = true;
                else
                    guardHandler([this] { Form_Activate(); });
            },
            Qt::QueuedConnection);
}

void FrmMain::Form_Activate() {
    // A new set being added stays pending with what the user typed.
    if (editModeOf(datSets) == dbEditAdd)
        return;
    // The set shown is moved only once its edits are stored: one the catalogue refuses stays on screen.
    if (!storeRecordShown(datSets, [this] { datSets.storeEdits(); }))
        return;

    ResumeNext step;
    if (step([&] { datSets.Recordset().MoveLast(); }) == err::NoCurrentRecord) {
        step([&] {
            dialogs_.MsgBox("The database is currently empty. You must add a set record to contine",
                            vbCritical, "No Data");
        });
        step([&] { datSets.Recordset().AddNew(); });
        step([&] { cmdNew(); });
    } else {
        step([&] { datSets.Recordset().MoveFirst(); });
        step([&] { datSets.Recordset().Edit(); });
    }
    step([&] { OldDesc = txtDesc->text(); });
    step([&] { showSetValue(); });
    step([&] { showAsCurrency(*txtvalue); });
}

} // namespace pellimo
