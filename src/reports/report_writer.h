#pragma once

#include "report_layout.h"

class QIODevice;

namespace pellimo {

class Recordset;

// Writes one report to `device`: head lines, a header group per column, a row block per row of `rows`
// from its first, and the total lines. The lines written before a failure stay written.
void writeReport(QIODevice& device, const ReportLayout& layout, Recordset& rows);

} // namespace pellimo
