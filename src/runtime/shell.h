#pragma once

#include <QString>

namespace pellimo {

enum class ShellResult {
    Started,
    NotFound,    // no program is associated with the file's type
    StartFailed, // the program was found but could not be started
};

// Opens `path` in the program the desktop associates with the file's type (associatedCommand), without
// waiting for it. The file goes to that program as one argument, never through a shell.
ShellResult openWithAssociatedProgram(const QString& path);

} // namespace pellimo
