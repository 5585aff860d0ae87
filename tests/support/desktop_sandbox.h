#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pellimo {

// The desktop's file associations (the XDG data and config folders GIO reads) kept inside the test process's
// own temporary folder: no test starts a real browser, and a test names the opener it wants. The sandbox
// knows two file types by name, .htm as text/html and .chm as application/vnd.ms-htmlhelp, in any case.
namespace desktop_sandbox {

inline const QString html = QStringLiteral("text/html");
inline const QString htmlHelp = QStringLiteral("application/vnd.ms-htmlhelp");

// Called by main() before anything reads the folders: GIO reads them once a process.
void isolate(const QString& processFolder);

// Makes the shell script `script`, at openerPath(), the program the desktop opens `mimeType` with: a
// .desktop file whose Exec runs it with `arguments` (by default the file alone), in a terminal when asked,
// named the type's default in mimeapps.list.
void associate(const QString& mimeType, const QByteArray& script, const QByteArray& arguments = "%f",
               bool inTerminal = false);
QString openerPath();
// An opener that records its argument count and its arguments, one a line, for recordedArguments().
void associateRecorder(const QString& mimeType, const QByteArray& arguments = "%f");
// A terminal (x-terminal-emulator, first on PATH) that records its arguments as the recording opener does.
void provideRecordingTerminal();
// What the recording opener or terminal was given; waits for it a few seconds, as it runs on its own.
QStringList recordedArguments();

// A test that changes the associations must be the first to look them up in its process. Under ctest every
// test has a process of its own; in a run of a whole test program this runs the current test again, alone,
// checks that it passed and returns true (the caller then skips it here).
bool ranInAProcessOfItsOwn();

} // namespace desktop_sandbox
} // namespace pellimo
