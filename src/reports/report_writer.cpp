#include "report_writer.h"

#include "recordset.h"
#include "report_lines.h"
#include "value_lines.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
        writeMoneyLine(out, value);
    else if (column == 1 && layout.nbspForNullColumn1 && value.isNull())
        out.write(u"&nbsp");
    else
        writePrintedValue(out, value);
}

std::string lineOf(const QString& text) {
    return text.toStdString() + "\r\n";
}

using FixedLines = ReportLines::FixedLines;

// The fixed lines around a row's values, made once per report: before each described cell its opening
// (the first with the row's own), and after the last the closings of every cell and of the row.
class RowLines {
public:
    RowLines(const ReportLayout& layout, int columns) : described_(std::min(columns, DescribedColumns)) {
        std::string opened = "<TR >\r\n";
        for (int j = 0; j < described_; ++j) {
            before_.push_back(ReportLines::fixedLines(opened + lineOf(layout.cellOpenings[j])));
            opened = CellClosing;
        }
        std::string after = described_ > 0 ? std::string() : opened;
        for (int j = std::max(described_ - 1, 0); j < columns; ++j)
            after += CellClosing;
        after_ = ReportLines::fixedLines(after + "</TR>\r\n");
    }

    // Writes one row block; returns the total with the row's money cell added.
    Money write(ReportLines& out, const ReportLayout& layout, std::span<const Value> row, Money total) const {
        for (int j = 0; j < described_; ++j) {
            const Value& value = row[static_cast<std::size_t>(j)];
            out.write(before_[static_cast<std::size_t>(j)]);
            writeCellValue(out, layout, j, value);
            if (j == MoneyColumn)
                total = addedToTotal(total, currencyAmount(value));
        }
        out.write(after_);
        return total;
    }

private:
    static constexpr std::string_view CellClosing = "</TD>\r\n";

    int described_;
    std::vector<FixedLines> before_;
    FixedLines after_;
};

void writeTotal(ReportLines& out, const ReportLayout& layout, Money total) {
    out.write(layout.totalRowOpening);
    out.write(layout.totalLabel);
    out.write(u"<TD ALIGN=RIGHT>");
    writeMoneyLine(out, Value(total));
    out.write(u"</TD>");
    out.write(u"</TABLE></BODY></HTML>");
}

} // namespace

void writeReport(QIODevice& device, const ReportLayout& layout, Recordset& rows) {
    ReportLines out(device);
    const int columns = rows.FieldCount();
    writeHead(out, layout);
    writeHeaderRow(out, layout, columns);
    const RowLines rowLines(layout, columns);
    Money total;
    rows.EachRecord([&](std::span<const Value> row) { total = rowLines.write(out, layout, row, total); });
    writeTotal(out, layout, total);
    out.flush();
}

} // namespace pellimo
