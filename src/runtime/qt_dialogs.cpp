#include "qt_dialogs.h"

#include "dialog_rules.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

namespace pellimo {

namespace {

constexpr int ButtonFlags = 7;
constexpr int IconFlags = 112;

struct BoxButtons {
    QMessageBox::StandardButtons all;
    QMessageBox::StandardButton first; // the default one, as Enter answers
};

BoxButtons buttonsFor(int flags) {
    switch (flags & ButtonFlags) {
    case vbOKCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case vbYesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    default:
        return {QMessageBox::Ok, QMessageBox::Ok};
    }
}

QMessageBox::Icon iconFor(int flags) {
    switch (flags & IconFlags) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return vbOK;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return vbCancel;
    }
}

// The narrowest box whose whole title the window manager shows: the title in the title bar's font, bold as
// window managers draw it, beside the window icon and up to three frame buttons, each as wide as the title
// bar is high, and a margin of that width. Qt sizes a box to its contents alone.
int widthForTitle(const QWidget& box) {
    constexpr int IconButtonsAndMargin = 5;
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int side = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    return QFontMetrics(font).horizontalAdvance(box.windowTitle()) + IconButtonsAndMargin * side;
}

// A spacer across the box's layout holds it that wide: a message box fixes its own size from its
// layout each time it is shown.
void fitTitle(QDialog& box) {
    // An input box builds its layout only when first asked for its size.
    box.minimumSizeHint();
    auto* spacer = new QSpacerItem(widthForTitle(box), 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else
        box.layout()->addItem(spacer);
}

int showMessageBox(QWidget* parent, const QString& prompt, int flags, const QString& title) {
    const BoxButtons buttons = buttonsFor(flags);
    // Messages break their lines the Windows way; a label shows only the line feed.
    QMessageBox box(iconFor(flags), boxTitle(title),
                    QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), buttons.all,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons.first);
    fitTitle(box);
    box.exec();
    return answerFor(box.standardButton(box.clickedButton()));
}

// "*.jpg" as "*.[jJ][pP][gG]": the filters were written for a system that compares file names without
// regard to case, and cameras name their pictures in capitals.
QString anyCase(const QString& pattern) {
    QString result;
    for (const QChar c : pattern)
        result += c.toLower() == c.toUpper() ? QString(c) : u'[' + c.toLower() + c.toUpper() + u']';
    return result;
}

// "Pictures (*.jpg) |*.jpg;*.gif" as Qt's "Pictures (*.jpg) (*.[jJ][pP][gG] *.[gG][iI][fF])", one filter
// for each description and pattern list.
QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(at + 1).split(u';', Qt::SkipEmptyParts))
            patterns << anyCase(pattern.trimmed());
        filters << parts.at(at).trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}

// A file dialog that asks, as the flags say, before it closes on a file that exists or one that does not.
class PromptingFileDialog : public QFileDialog {
public:
    PromptingFileDialog(QWidget* parent, const CommonDialog& settings, AcceptMode mode)
        : QFileDialog(parent, settings.dialogTitle), settings_(settings) {
        // Qt's own dialog: its patterns, prompts and filter names then behave the same on every desktop.
        setOptions(DontUseNativeDialog | DontConfirmOverwrite | HideNameFilterDetails);
        setAcceptMode(mode);
        setFileMode(AnyFile);
        setNameFilters(qtNameFilters(settings.filter));
        const QFileInfo proposed(settings.fileName);
        if (!settings.initDir.isEmpty())
            setDirectory(settings.initDir);
        else if (proposed.isAbsolute())
            setDirectory(proposed.path());
        selectFile(proposed.fileName());
    }

    QString chosenPath() const { return chosen_; }

    void accept() override {
        const QStringList files = selectedFiles();
        // A folder typed or chosen: the dialog goes into it.
        if (files.isEmpty() || QFileInfo(files.front()).isDir()) {
            QFileDialog::accept();
            return;
        }
        const QString path = withDefaultExtension(files.front(), settings_.defaultExt);
        if (!confirmed(path))
            return;
        chosen_ = path;
        QFileDialog::accept();
    }

private:
    bool confirmed(const QString& path) {
        const QFileInfo file(path);
        QString question;
        if (file.exists() && acceptMode() == AcceptSave && (settings_.flags & cdlOFNOverwritePrompt))
            question = QStringLiteral("%1 already exists.\nDo you want to replace it?");
        else if (!file.exists() && (settings_.flags & cdlOFNCreatePrompt))
            question = QStringLiteral("%1 does not exist.\nDo you want to create it?");
        else
            return true;
        return showMessageBox(this, question.arg(file.fileName()), vbYesNo + vbExclamation,
                              settings_.dialogTitle) == vbYes;
    }

    const CommonDialog& settings_;
    QString chosen_;
};

void showFileDialog(QWidget* parent, CommonDialog& dialog, QFileDialog::AcceptMode mode) {
    PromptingFileDialog box(parent, dialog, mode);
    if (box.exec() == QDialog::Accepted && !box.chosenPath().isEmpty())
        acceptFileChoice(dialog, box.chosenPath());
    else
        cancelFileChoice(dialog);
}

} // namespace

QtDialogs::~QtDialogs() {
    setMousePointer(MousePointerDefault);
}

int QtDialogs::MsgBox(const QString& prompt, int flags, const QString& title) {
    return showMessageBox(parent_, prompt, flags, title);
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title) {
    QInputDialog box(parent_);
    box.setWindowTitle(boxTitle(title));
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    fitTitle(box);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

void QtDialogs::ShowOpen(CommonDialog& dialog) {
    showFileDialog(parent_, dialog, QFileDialog::AcceptOpen);
}

void QtDialogs::ShowSave(CommonDialog& dialog) {
    showFileDialog(parent_, dialog, QFileDialog::AcceptSave);
}

void QtDialogs::Beep() {
    QApplication::beep();
}

void QtDialogs::setMousePointer(int pointer) {
    const bool hourglass = pointer == MousePointerHourglass;
    if (hourglass && pointer_ != MousePointerHourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!hourglass && pointer_ == MousePointerHourglass)
        QApplication::restoreOverrideCursor();
    pointer_ = hourglass ? MousePointerHourglass : MousePointerDefault;
}

} // namespace pellimo
