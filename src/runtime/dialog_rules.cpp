#include "dialog_rules.h"

#include "engine_error.h"

#include <QFileInfo>

namespace pellimo {

QString boxTitle(const QString& title) {
    return title.isEmpty() ? QStringLiteral("Pellimo") : title;
}

QString withDefaultExtension(const QString& path, const QString& defaultExt) {
    if (defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + defaultExt;
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
