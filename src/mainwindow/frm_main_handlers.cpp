#include "busy_wait.h"
#include "frm_main.h"

#include <exception>

namespace pellimo {

// Nothing escapes an event handler: the program never ends because of a failure. A handler is one command
// of the user's, together with the handlers that run inside it.
void FrmMain::guardHandler(const std::function<void()>& handler) {
    const LockWaitCommand command;
    ++handlersRunning_;
    try {
        handler();
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromStdString(failure.what()), vbCritical, "Pellimo");
    }
    --handlersRunning_;
    // An activation that came while the command ran (a store of it waiting for a lock lets events in) ends
    // the command: run inside it, the activation would move the records under the store.
    if (handlersRunning_ == 0 && activationDeferred_) {
        activationDeferred_ = false;
        guardHandler([this] { Form_Activate(); });
    }
}

} // namespace pellimo
