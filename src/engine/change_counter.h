#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace pellimo {

// Counts the rows one connection changes, table by table (foreign-key cascades included), and its
// rollbacks, so that a record set can tell its own writes from everything else that happened on the
// connection since it read its rows.
class ChangeCounter {
public:
    // SQLite calls back into this object until it is destroyed, which must be before the connection closes.
    explicit ChangeCounter(sqlite3* db);
    ~ChangeCounter();
    ChangeCounter(const ChangeCounter&) = delete;
    ChangeCounter& operator=(const ChangeCounter&) = delete;

    // Rows of `table` (named without regard to case) changed through the connection so far.
    std::uint64_t changesTo(const std::string& table) const;
    // Rows of every table changed through the connection so far.
    std::uint64_t changes() const { return all_; }
    // Transactions rolled back, whose changes are gone without a count.
    std::uint64_t rollbacks() const { return rollbacks_; }

private:
    static void rowChanged(void* counter, int operation, const char* database, const char* table,
                           sqlite3_int64 rowid);
    static void rolledBack(void* counter);

    sqlite3* db_;
    std::vector<std::pair<std::string, std::uint64_t>> tables_; // a catalogue has a few tables
    std::uint64_t all_ = 0;
    std::uint64_t rollbacks_ = 0;
};

} // namespace pellimo
