#pragma once

#include <QString>

namespace pellimo {

enum class ShellResult {
    Started,
    NotFound,    // no program to open files with
    StartFailed, // the program was found but could not be started
};

// Opens `path` in the program the desktop associates with it (xdg-open, looked up on PATH), without
// waiting for it. The path goes to that program as one argument, never through a shell.
ShellResult openWithAssociatedProgram(const QString& path);

} // namespace pellimo
