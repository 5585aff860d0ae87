#pragma once

#include <QString>

namespace pellimo {

class Dialogs;
class FrmMain;

// Starts the program over the catalogue in `programFolder`: loads and shows the main window, which is
// unloaded when it closes. A catalogue that cannot be opened is reported; no window is left then and
// nullptr is returned, and the program should end.
FrmMain* Main(const QString& programFolder, Dialogs& dialogs);

// Unloads the main window and ends the program at once, every window of it closed.
void EndProgram();

} // namespace pellimo
