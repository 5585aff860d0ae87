#include "set_totals.h"

#include "connection.h"
#include "skipped_failures.h"

#include <exception>

namespace pellimo {

namespace {

// The code is a bound value, so any code (an apostrophe included) gets its true totals.
constexpr const char* QueryText[] = {
    "SELECT sum(value) as BasTot FROM Basics where Code=?",
    "SELECT sum(value) as SpcTot FROM Specials where Code=?",
    "SELECT count(value) as BasTot FROM Basics where Code=?",
    "SELECT count(value) as SpcTot FROM Specials where Code=?",
};

} // namespace

SetTotals::SetTotals(std::string programFolder) : programFolder_(std::move(programFolder)) {}

SetTotals::~SetTotals() = default;

sqlite3_stmt* SetTotals::statement(Query query) {
    if (!connection_)
        connection_ = std::make_unique<Connection>(programFolder_ + "/pellimo.mdb");
    StatementHandle& prepared = statements_[query];
    if (!prepared)
        prepared = connection_->prepare(QueryText[query]);
    return prepared.get();
}

// Each step that fails leaves 0, and nothing is reported.
std::int64_t SetTotals::total(Query query, const std::string& skey) {
    try {
        sqlite3_stmt* read = statement(query);
        bindValue(read, 1, Value(skey));
        std::int64_t result = 0;
        if (stepRow(*connection_, read) && sqlite3_column_type(read, 0) != SQLITE_NULL)
            result = sqlite3_column_int64(read, 0);
        // Ends the read at once: a read left open would keep the data sources from storing.
        sqlite3_reset(read);
        return result;
    } catch (const std::exception& failure) {
        logSkippedFailure(failure);
        statements_ = {};
        connection_.reset();
        return 0;
    }
}

Money SetTotals::Basvalue(const std::string& skey) {
    return Money::fromTenThousandths(total(BasicValue, skey));
}

Money SetTotals::Specvalue(const std::string& skey) {
    return Money::fromTenThousandths(total(SpecialValue, skey));
}

int SetTotals::Bascount(const std::string& skey) {
    return static_cast<int>(total(BasicCount, skey));
}

int SetTotals::Speccount(const std::string& skey) {
    return static_cast<int>(total(SpecialCount, skey));
}

} // namespace pellimo
