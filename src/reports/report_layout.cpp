#include "report_layout.h"

#include "markup_text.h"

namespace pellimo {

namespace {

const QString ReportFilesFilter = QStringLiteral("Report Files (*.HTM) |*.HTM");

// A file name cannot hold "/": the proposed name shows it as "-", so the whole set name stays in it.
QString fileNameOf(QString setName) {
    return setName.replace(u'/', u'-');
}

ReportLayout setsReport() {
    ReportLayout layout;
    layout.heading = {QStringLiteral("<H1 ALIGN=center>Pellimo ~ Sets Report</H1>")};
    layout.tableOpeningEnd = QStringLiteral(" BORDER CELLSPACING=5 CELLPADDING=10>");
    layout.columnGroup = {QStringLiteral("<COL ALIGN=LEFT>"), QStringLiteral("<COL ALIGN=LEFT WIDTH-900>"),
                          QStringLiteral("<COL ALIGN=LEFT>"), QStringLiteral("<COL ALIGN=LEFT>")};
    layout.headerCells = {{
        {QStringLiteral("<TH WIDTH=15% BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Set Identifier</H2>")},
        {QStringLiteral("<TH WIDTH=55% BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Set Description </H2>")},
        {QStringLiteral("<TH WIDTH=15% BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Total Cards in Set</H2>")},
        {QStringLiteral("<TH WIDTH=15% BGCOLOR=CCCCCC ALIGN=CENTER>"), QStringLiteral("<H2> Set Value</H2>")},
    }};
    layout.cellOpenings = {QStringLiteral("<TD>"), QStringLiteral("<TD>"),
                           QStringLiteral("<TD ALIGN=CENTER>"), QStringLiteral("<TD ALIGN=RIGHT>")};
    layout.totalRowOpening = QStringLiteral("<TR >");
    layout.totalLabel = QStringLiteral("<TD COLSPAN=3>Total Value of Sets");
    layout.filter = ReportFilesFilter;
    layout.defaultFileName = QStringLiteral("sets");
    layout.closingTitle = QStringLiteral("Set Report");
    return layout;
}

ReportLayout basicCardsReport(const QString& setName) {
    ReportLayout layout;
    layout.heading = {QStringLiteral("<H1 align=center>"),
                      QStringLiteral("Pellimo ~ Basic Set ~ ") + markupText(setName),
                      QStringLiteral("</H1>")};
    layout.tableOpeningEnd = QStringLiteral("BORDER CELLSPACING=5 CELLPADDING=10>");
    layout.columnGroup = {QStringLiteral("<COL ALIGN=LEFT>"), QStringLiteral("<COL ALIGN=LEFT >"),
                          QStringLiteral("<COL ALIGN=LEFT WIDTH=1500>"), QStringLiteral("<COL ALIGN=LEFT>")};
    layout.headerCells = {{
        {QStringLiteral("<TH WIDTH=15%  BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Card Number</H2>")},
        {QStringLiteral("<TH WIDTH=15%  BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Section  </H2>")},
        {QStringLiteral("<TH WIDTH=55% BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Card Description</H2>")},
        {QStringLiteral("<TH WIDTH=15% BGCOLOR=CCCCCC ALIGN=CENTER>"),
         QStringLiteral("<H2> Card Value</H2>")},
    }};
    layout.cellOpenings = {QStringLiteral("<TD ALIGN=CENTER> "), QStringLiteral("<TD>"),
                           QStringLiteral("<TD>"), QStringLiteral("<TD ALIGN=RIGHT>")};
    layout.nbspForNullColumn1 = true;
    layout.totalRowOpening = QStringLiteral("<TR >");
    layout.totalLabel = QStringLiteral("<TD COLSPAN=3>Total Value of Basic Cards");
    layout.filter = ReportFilesFilter;
    layout.defaultFileName = fileNameOf(setName) + QStringLiteral(" Basics");
    layout.closingTitle = QStringLiteral("Basic Cards Report");
    layout.noRowsMessage = QStringLiteral("There are no basic cards for this set. Please select another set");
    return layout;
}

// The basic cards report but for its own strings.
ReportLayout specialCardsReport(const QString& setName) {
    ReportLayout layout = basicCardsReport(setName);
    layout.heading = {QStringLiteral("<H1 ALIGN=CENTER>"),
                      QStringLiteral("Pellimo ~ Special Set ~") + markupText(setName),
                      QStringLiteral("</H1>")};
    layout.headerCells[0][1] = QStringLiteral("<H2> Card Type</H2>");
    layout.headerCells[1][1] = QStringLiteral("<H2> Card Number</H2>");
    layout.cellOpenings[0] = QStringLiteral("<TD align=center> ");
    layout.cellOpenings[3] = QStringLiteral("<TD align=right>");
    layout.totalRowOpening = QStringLiteral("<TR>");
    layout.totalLabel = QStringLiteral("<TD COLSPAN=3>Total Value of Special Cards");
    layout.filter = QStringLiteral("HTML Files (*.HTM) |*.HTM");
    layout.defaultFileName = fileNameOf(setName) + QStringLiteral(" Specials");
    layout.closingTitle = QStringLiteral("Special Cards Report");
    layout.noRowsMessage =
        QStringLiteral("There are no special cards for this set. Please select another set");
    return layout;
}

} // namespace

ReportLayout reportLayout(ReportKind kind, const QString& setName) {
    switch (kind) {
    case ReportKind::Sets:
        return setsReport();
    case ReportKind::BasicCards:
        return basicCardsReport(setName);
    case ReportKind::SpecialCards:
        return specialCardsReport(setName);
    }
    return setsReport();
}

} // namespace pellimo
