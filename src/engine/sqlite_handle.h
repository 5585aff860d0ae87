#pragma once

#include <memory>
#include <sqlite3.h>

namespace pellimo {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
struct ConnectionCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;
using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;

} // namespace pellimo
