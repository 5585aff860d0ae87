#include "transaction.h"

#include "connection.h"
#include "engine_error.h"

namespace pellimo {

Transaction::Transaction(Database database) : database_(std::move(database)) {
    database_.BeginTrans();
}

Transaction::~Transaction() {
    if (!open_)
        return;
    try {
        database_.Rollback();
    } catch (const EngineError&) {
        // The engine rolled back already, as it does after a failed commit on a full disk.
    }
}

void Transaction::commit() {
    database_.CommitTrans();
    open_ = false;
}

Savepoint::Savepoint(const Connection& connection) : connection_(connection) {
    connection_.exec("SAVEPOINT pellimo_writes");
}

Savepoint::~Savepoint() {
    if (!open_)
        return;
    try {
        connection_.exec("ROLLBACK TO pellimo_writes; RELEASE pellimo_writes");
    } catch (const EngineError&) {
        // The engine rolled back the whole transaction already, as it does on a full disk.
    }
}

void Savepoint::release() {
    connection_.exec("RELEASE pellimo_writes");
    open_ = false;
}

} // namespace pellimo
