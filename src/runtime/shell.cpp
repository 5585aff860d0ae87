#include "shell.h"

#include <QProcess>
#include <QStandardPaths>

namespace pellimo {

ShellResult openWithAssociatedProgram(const QString& path) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return ShellResult::NotFound;
    return QProcess::startDetached(opener, {path}) ? ShellResult::Started : ShellResult::StartFailed;
}

} // namespace pellimo
