#include "report_writer.h"

#include "recordset.h"
#include "report_lines.h"
#include "value_lines.h"

#include <span>

namespace pellimo {

namespace {

constexpr int MoneyColumn = 3;
constexpr int DescribedColumns = 4; // positions beyond these get only their closing line

void writeHead(ReportLines& out, const ReportLayout& layout) {
    out.write(u"<HTML>");
    out.write(u"<BODY BGCOLOUR=\"FFFFFF\">");
    for (const QString& line : layout.heading)
        out.write(line);
    out.write(QStringLiteral("<TABLE BGCOLOUR=\"00FFFF\" WIDTH=100% ALIGN=CENTRE ") + layout.tableOpeningEnd);
    out.write(u"<COLGROUP>");
    for (const QString& line : layout.columnGroup)
        out.write(line);
    out.write(u"</COLGROUP>");
}

void writeHeaderRow(ReportLines& out, const ReportLayout& layout, int columns) {
    for (int i = 0; i < columns; ++i) {
        if (i < DescribedColumns) {
            out.write(layout.headerCells[i][0]);
            out.write(layout.headerCells[i][1]);
        }
        out.write(u"</TH>");
    }
    out.write(u"</TR>");
}

void writeCellValue(ReportLines& out, const ReportLayout& layout, int column, const Value& value) {
    if (column == MoneyColumn)
        out.write(moneyLine(value));
    else if (column == 1 && layout.nbspForNullColumn1 && value.isNull())
        out.write(u"&nbsp");
    else
        writePrintedValue(out, value);
}

// One row block; returns the total with the row's money cell added.
Money writeRow(ReportLines& out, const ReportLayout& layout, std::span<const Value> row, Money total) {
    out.write(u"<TR >");
    for (int j = 0; j < static_cast<int>(row.size()); ++j) {
        if (j < DescribedColumns) {
            const Value& value = row[static_cast<std::size_t>(j)];
            out.write(layout.cellOpenings[j]);
            writeCellValue(out, layout, j, value);
            if (j == MoneyColumn)
                total = addedToTotal(total, currencyAmount(value));
        }
        out.write(u"</TD>");
    }
    out.write(u"</TR>");
    return total;
}

void writeTotal(ReportLines& out, const ReportLayout& layout, Money total) {
    out.write(layout.totalRowOpening);
    out.write(layout.totalLabel);
    out.write(u"<TD ALIGN=RIGHT>");
    out.write(moneyLine(Value(total)));
    out.write(u"</TD>");
    out.write(u"</TABLE></BODY></HTML>");
}

} // namespace

void writeReport(QIODevice& device, const ReportLayout& layout, Recordset& rows) {
    ReportLines out(device);
    const int columns = rows.FieldCount();
    writeHead(out, layout);
    writeHeaderRow(out, layout, columns);
    Money total;
    rows.EachRecord([&](std::span<const Value> row) { total = writeRow(out, layout, row, total); });
    writeTotal(out, layout, total);
    out.flush();
}

} // namespace pellimo
