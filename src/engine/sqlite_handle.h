#pragma once

#include <memory>
#include <sqlite3.h>

namespace pellimo {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
struct BlobCloser {
    void operator()(sqlite3_blob* blob) const { sqlite3_blob_close(blob); }
};
struct ConnectionCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;
using BlobHandle = std::unique_ptr<sqlite3_blob, BlobCloser>;
using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;

} // namespace pellimo
