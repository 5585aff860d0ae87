#include "dialogs.h"
#include "reports.h"
#include "shell.h"

namespace pellimo {

void Reports::viewRep(const QString& FileName) {
    switch (openWithAssociatedProgram(FileName)) {
    case ShellResult::Started:
        break;
    case ShellResult::NotFound:
        dialogs_.MsgBox(QStringLiteral("Could not find associated Browser"), vbOKOnly + vbExclamation,
                        QStringLiteral("Browser Not Found"));
        break;
    case ShellResult::StartFailed:
        dialogs_.MsgBox(QStringLiteral("Web Page not Opened"), vbOKOnly + vbExclamation,
                        QStringLiteral("URL Failed"));
        break;
    }
}

} // namespace pellimo
