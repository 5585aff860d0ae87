#pragma once

#include "money.h"
#include "report_lines.h"
#include "value.h"

#include <QString>

namespace pellimo {

// Writes the line a column value makes, as the print-to-file statement writes a value: text unchanged; a
// number in plain decimal form with a blank before it unless it is negative and a blank after it; Null as
// "Null".
void writePrintedValue(ReportLines& out, const Value& value);

// Writes the money cell's line: the value in the "Currency" format, Null as "Null".
void writeMoneyLine(ReportLines& out, const Value& value);

// The value converted to currency for the running total; Null and text that is no amount fail.
Money currencyAmount(const Value& value);

// The running total after `amount`; a total beyond the currency range fails.
Money addedToTotal(Money total, Money amount);

} // namespace pellimo
