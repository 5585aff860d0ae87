#include "frm_main.h"
#include "shell.h"

#include <QFileInfo>

namespace pellimo {

void FrmMain::mnuHelpAbout_Click() {
    if (showAbout_)
        showAbout_();
}

void FrmMain::showHelp() {
    if (!QFileInfo::exists(helpFile_)) {
        dialogs_.MsgBox("The help file PellimoHelp.chm was not found.", vbExclamation, "Pellimo");
        return;
    }
    if (openWithAssociatedProgram(helpFile_) != ShellResult::Started)
        dialogs_.MsgBox("The help file PellimoHelp.chm could not be opened.", vbExclamation, "Pellimo");
}

} // namespace pellimo
