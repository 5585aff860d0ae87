#include "dialog_rules.h"

#include "engine_error.h"

#include <QDir>
#include <QFileInfo>

namespace pellimo {

QString boxTitle(const QString& title) {
    return title.isEmpty() ? QStringLiteral("Pellimo") : title;
}

QString withDefaultExtension(const QString& path, const QString& defaultExt) {
    if (defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    const QFileInfo named(path + u'.' + defaultExt);
    if (named.exists())
        return named.filePath();
    // The extension was written for a file system that compares names without case: "small" and "JPG"
    // find small.jpg.
    const QString folder = path.left(path.size() - QFileInfo(path).fileName().size());
    for (const QString& entry : named.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(named.fileName(), Qt::CaseInsensitive) == 0)
            return folder + entry;
    return named.filePath();
}

void acceptFileChoice(CommonDialog& dialog, const QString& path) {
    dialog.fileName = path;
    dialog.fileTitle = QFileInfo(path).fileName();
}

void cancelFileChoice(CommonDialog& dialog) {
    if (dialog.cancelError)
        throw EngineError(err::DialogCancelled, "Cancel was selected.");
    dialog.fileName.clear();
    dialog.fileTitle.clear();
}

} // namespace pellimo
