#include "frm_main.h"

#include <exception>

namespace pellimo {

// Nothing escapes an event handler: the program never ends because of a failure.
void FrmMain::guardHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        dialogs_.MsgBox(QString::fromStdString(failure.what()), vbCritical, "Pellimo");
    }
}

} // namespace pellimo
