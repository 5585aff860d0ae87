#include "shell.h"

#include "associated_command.h"

#include <QFile>
#include <QProcess>

namespace pellimo {

ShellResult openWithAssociatedProgram(const QString& path) {
    const auto command = associatedCommand(QFile::encodeName(path).toStdString());
    if (!command)
        return ShellResult::NotFound;
    QStringList words;
    for (const std::string& word : *command)
        words << QFile::decodeName(QByteArray::fromStdString(word));
    if (words.isEmpty())
        return ShellResult::StartFailed;
    const QString program = words.takeFirst();
    // Detached: the program runs on its own and the window goes on at once; a program that cannot be
    // executed is reported here.
    return QProcess::startDetached(program, words) ? ShellResult::Started : ShellResult::StartFailed;
}

} // namespace pellimo
