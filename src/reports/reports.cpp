#include "reports.h"

#include "data_source.h"
#include "dialogs.h"
#include "engine_error.h"
#include "report_layout.h"
#include "report_writer.h"
#include "skipped_failures.h"

#include <QSaveFile>

namespace pellimo {

namespace {

// Unbuffered: the lines come in large pieces already, and a write that fails is seen where it fails.
void openForWriting(QSaveFile& file) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EngineError(err::PathFileAccessError, file.errorString().toStdString());
}

// The whole report takes the place of the old one here; a failure to store it leaves the old one.
void commitWritten(QSaveFile& file) {
    if (!file.commit())
        throw EngineError(err::DeviceIOError, file.errorString().toStdString());
}

} // namespace

Reports::Reports(Dialogs& dialogs, CommonDialog& cd1, DataSource& datrep, QString programFolder)
    : dialogs_(dialogs), cd1_(cd1), datrep_(datrep), programFolder_(std::move(programFolder)) {
    // A report reads its rows once, from first to last.
    datrep_.setRecordsetType(RecordsetType::Snapshot);
}

void Reports::html() {
    write(reportLayout(ReportKind::Sets));
}

void Reports::html2(const QString& setName) {
    write(reportLayout(ReportKind::BasicCards, setName));
}

void Reports::html3(const QString& setName) {
    write(reportLayout(ReportKind::SpecialCards, setName));
}

void Reports::write(const ReportLayout& layout) {
    if (!reachedFirstRow(layout))
        return;
    dialogs_.setMousePointer(MousePointerDefault);
    if (!chooseFile(layout))
        return;
    writeChosenFile(layout);
}

// A query without rows ends the report with the report's own message, if it has one.
bool Reports::reachedFirstRow(const ReportLayout& layout) {
    try {
        datrep_.Recordset().MoveFirst();
        return true;
    } catch (const EngineError& failure) {
        if (failure.number() != err::NoCurrentRecord) {
            showFailure(failure);
            return false;
        }
    } catch (const std::exception& failure) {
        showFailure(failure);
        return false;
    }
    if (!layout.noRowsMessage.isEmpty())
        dialogs_.MsgBox(layout.noRowsMessage, vbOKOnly + vbCritical, QStringLiteral("Report Error"));
    dialogs_.setMousePointer(MousePointerDefault);
    return false;
}

// False when the user cancelled. Any other failure of the dialog leaves the file name it then holds.
bool Reports::chooseFile(const ReportLayout& layout) {
    try {
        cd1_.cancelError = true;
        cd1_.initDir = programFolder_;
        cd1_.dialogTitle = QStringLiteral("Save HTML Report File");
        cd1_.filter = layout.filter;
        cd1_.defaultExt = QStringLiteral("HTM");
        cd1_.fileName = layout.defaultFileName;
        cd1_.flags = cdlOFNOverwritePrompt + cdlOFNCreatePrompt;
        dialogs_.ShowSave(cd1_);
    } catch (const std::exception& failure) {
        if (failureNumber(failure) == err::DialogCancelled) {
            dialogs_.setMousePointer(MousePointerDefault);
            dialogs_.Beep();
            dialogs_.MsgBox(QStringLiteral("The report operation was cancelled"), vbOKOnly + vbInformation,
                            QStringLiteral("HTML Report File"));
            return false;
        }
        logSkippedFailure(failure);
    }
    return true;
}

void Reports::writeChosenFile(const ReportLayout& layout) {
    const QString path = cd1_.fileName;
    // Written to a file of its own beside the chosen one, so that a failure or a kill never leaves a
    // report cut short, nor takes the old report away.
    QSaveFile file(path);
    try {
        dialogs_.setMousePointer(MousePointerHourglass);
        openForWriting(file);
        writeReport(file, layout, datrep_.Recordset());
        commitWritten(file);
        dialogs_.setMousePointer(MousePointerDefault);
        const int answer =
            dialogs_.MsgBox(QStringLiteral("Report Generated\r\nDo you wish to view the report now?"),
                            vbYesNo, layout.closingTitle);
        if (answer == vbYes)
            viewRep(path);
    } catch (const std::exception& failure) {
        showFailure(failure);
    }
}

void Reports::showFailure(const std::exception& failure) {
    dialogs_.setMousePointer(MousePointerDefault);
    dialogs_.MsgBox(QString::fromUtf8(failure.what()));
}

} // namespace pellimo
