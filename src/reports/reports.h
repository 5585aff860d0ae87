#pragma once

#include "pages.h"

#include <QString>
#include <cstdint>
#include <exception>

namespace pellimo {

class DataSource;
class Dialogs;
struct CommonDialog;
struct ReportLayout;

// The HTML reports of the main window: the sets report and the basic and special cards reports of the
// current set, written where the user chooses and offered for viewing in the associated program.
class Reports {
public:
    // `cd1` is the window's shared file dialog, `datrep` its report data source; reports are offered to
    // be saved in `programFolder`.
    Reports(Dialogs& dialogs, CommonDialog& cd1, DataSource& datrep, QString programFolder);

    // The toolbar's Report command on page `TabMode` (a Page; any other number does nothing): puts the
    // page's query into `RepSQL` and datrep, re-reads datrep and writes the page's report. A failure to set
    // or re-read the query is skipped, and the report reads what datrep still holds.
    void Report(std::int16_t TabMode, const QString& setCode, const QString& setName, QString& RepSQL);

    // The writers; each reads datrep's rows as they stand and handles its own failures.
    void html();
    void html2(const QString& setName);
    void html3(const QString& setName);

    // Opens a written report in the program associated with it, without waiting for it.
    void viewRep(const QString& FileName);

private:
    void write(const ReportLayout& layout);
    bool reachedFirstRow(const ReportLayout& layout);
    bool chooseFile(const ReportLayout& layout);
    void writeChosenFile(const ReportLayout& layout);
    void showFailure(const std::exception& failure);

    Dialogs& dialogs_;
    CommonDialog& cd1_;
    DataSource& datrep_;
    QString programFolder_;
};

} // namespace pellimo
