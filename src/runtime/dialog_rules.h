#pragma once

#include "dialogs.h"

#include <QString>

namespace pellimo {

// What the real dialogs and the test stand-in share, so that both answer alike.

// The title a box shows: its own, or the program's when it is given none.
QString boxTitle(const QString& title);

// A name typed without an extension gets the dialog's default one: "report" and "HTM" give "report.HTM",
// unless a file of that name with the extension in another case is there ("report.htm").
QString withDefaultExtension(const QString& path, const QString& defaultExt);

// The results of a chosen file: FileName the full path, FileTitle its last part.
void acceptFileChoice(CommonDialog& dialog, const QString& path);

// A cancelled file dialog: with CancelError on it throws EngineError 32755 "Cancel was selected.";
// otherwise FileName and FileTitle are emptied, so that the caller sees no file.
void cancelFileChoice(CommonDialog& dialog);

} // namespace pellimo
