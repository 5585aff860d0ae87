#include "transaction.h"

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

} // namespace pellimo
