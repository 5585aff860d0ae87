#pragma once

#include "record_source.h"

#include <memory>
#include <string>

namespace pellimo {

class Connection;
class Recordset;

// One shared, writable connection to a catalogue file. Copies share the connection.
class Database {
public:
    Database() = default;
    explicit Database(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {}

    // Record sets keep the connection open until they are closed too.
    std::unique_ptr<Recordset> OpenRecordset(const RecordSource& source,
                                             RecordsetType type = RecordsetType::Dynaset);
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    void Close() { connection_.reset(); }
    bool isOpen() const { return connection_ != nullptr; }

private:
    Connection& connection();
    std::shared_ptr<Connection> connection_;
};

// Opens the file, shared and writable, never creating it. The file name is matched without regard to
// case, so "pellimo.mdb" opens "Pellimo.mdb". Foreign keys are enforced; a locked file is waited for.
Database OpenDatabase(const std::string& path);

} // namespace pellimo
