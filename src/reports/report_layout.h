#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace pellimo {

enum class ReportKind { Sets, BasicCards, SpecialCards };

// Where the three reports differ; everything else is the same in all of them.
struct ReportLayout {
    QStringList heading; // the lines between the body line and the table-opening line
    QString tableOpeningEnd;
    QStringList columnGroup; // the lines inside <COLGROUP>
    // Per column position: the header cell's two lines, and the opening line of a row's cell.
    std::array<std::array<QString, 2>, 4> headerCells;
    std::array<QString, 4> cellOpenings;
    bool nbspForNullColumn1 = false;
    QString totalRowOpening;
    QString totalLabel;

    QString filter;
    QString defaultFileName;
    QString closingTitle;
    QString noRowsMessage; // empty: a query without rows ends the report silently
};

// The layout of one report; `setName` goes into the card reports' heading and default file name.
ReportLayout reportLayout(ReportKind kind, const QString& setName = {});

} // namespace pellimo
