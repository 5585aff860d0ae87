#pragma once

#include "money.h"
#include "sqlite_handle.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace pellimo {

class Connection;

// The count and value of a set's basic and special cards, read over a connection of their own to the
// catalogue in the program folder. The connection is opened at the first total and kept, with its
// statements, for the run: a total is one indexed query. Every failure (no file, a failing query) yields 0
// and reports nothing, and the next total opens the file afresh.
class SetTotals {
public:
    explicit SetTotals(std::string programFolder);
    ~SetTotals();
    SetTotals(const SetTotals&) = delete;
    SetTotals& operator=(const SetTotals&) = delete;

    Money Basvalue(const std::string& skey);
    Money Specvalue(const std::string& skey);
    int Bascount(const std::string& skey);
    int Speccount(const std::string& skey);

private:
    enum Query { BasicValue, SpecialValue, BasicCount, SpecialCount, QueryCount };

    std::int64_t total(Query query, const std::string& skey);
    sqlite3_stmt* statement(Query query);

    std::string programFolder_;
    // Declared before the statements, which must go first.
    std::unique_ptr<Connection> connection_;
    std::array<StatementHandle, QueryCount> statements_;
};

} // namespace pellimo
