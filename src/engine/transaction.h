#pragma once

#include "database.h"

namespace pellimo {

class Connection;

// What is written through the database while the object lives is kept only by commit(): an object that
// goes without it, or whose commit fails, leaves the catalogue as it was before.
class Transaction {
public:
    // Takes the catalogue's write lock at once, so that no other program can come in between.
    explicit Transaction(Database database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database database_;
    bool open_ = true;
};

// The same, kept by release(), for a few writes of one connection that must land together, whether a
// transaction is open or not.
class Savepoint {
public:
    explicit Savepoint(const Connection& connection);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();

private:
    const Connection& connection_;
    bool open_ = true;
};

} // namespace pellimo
