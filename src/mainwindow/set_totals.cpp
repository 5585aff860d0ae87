#include "set_totals.h"

#include "database.h"
#include "recordset.h"
#include "skipped_failures.h"

namespace pellimo {

namespace {

// Runs one total: each step that fails leaves the result read so far (0 at first), and nothing is reported.
std::int64_t total(const std::string& programFolder, const char* query, const std::string& skey) {
    std::int64_t result = 0;
    try {
        Database db = OpenDatabase(programFolder + "/pellimo.mdb");
        std::unique_ptr<Recordset> rs = db.OpenRecordset(RecordSource(query, {Value(skey)}));
        Value value = rs->Fields(0).value();
        if (!value.isNull())
            result = value.asInteger();
    } catch (const std::exception& failure) {
        logSkippedFailure(failure);
    }
    return result;
}

} // namespace

// The code is a bound value, so any code (an apostrophe included) gets its true totals.
Money SetTotals::Basvalue(const std::string& skey) const {
    return Money::fromTenThousandths(
        total(programFolder_, "SELECT sum(value) as BasTot FROM Basics where Code=?", skey));
}

Money SetTotals::Specvalue(const std::string& skey) const {
    return Money::fromTenThousandths(
        total(programFolder_, "SELECT sum(value) as SpcTot FROM Specials where Code=?", skey));
}

int SetTotals::Bascount(const std::string& skey) const {
    return static_cast<int>(
        total(programFolder_, "SELECT count(value) as BasTot FROM Basics where Code=?", skey));
}

int SetTotals::Speccount(const std::string& skey) const {
    return static_cast<int>(
        total(programFolder_, "SELECT count(value) as SpcTot FROM Specials where Code=?", skey));
}

} // namespace pellimo
