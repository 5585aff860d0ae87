#include "database.h"

#include "connection.h"
#include "engine_error.h"
#include "recordset.h"

namespace pellimo {

Connection& Database::connection() {
    if (!connection_)
        throw EngineError(err::Reserved, "The catalogue is not open.");
    return *connection_;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const RecordSource& source, RecordsetType type) {
    connection();
    return std::make_unique<Recordset>(connection_, source, type);
}

void Database::BeginTrans() {
    connection().exec("BEGIN IMMEDIATE");
}
void Database::CommitTrans() {
    connection().exec("COMMIT");
}
void Database::Rollback() {
    connection().exec("ROLLBACK");
}

Database OpenDatabase(const std::string& path) {
    return Database(std::make_shared<Connection>(path));
}

} // namespace pellimo
