#include "change_counter.h"

#include "pattern.h"

namespace pellimo {

ChangeCounter::ChangeCounter(sqlite3* db) : db_(db) {
    sqlite3_update_hook(db_, &ChangeCounter::rowChanged, this);
    sqlite3_rollback_hook(db_, &ChangeCounter::rolledBack, this);
}

// A close with a transaction open rolls it back: SQLite must not call into a counter already gone.
ChangeCounter::~ChangeCounter() {
    sqlite3_update_hook(db_, nullptr, nullptr);
    sqlite3_rollback_hook(db_, nullptr, nullptr);
}

std::uint64_t ChangeCounter::changesTo(const std::string& table) const {
    for (const auto& [name, count] : tables_)
        if (equalsIgnoringCase(name, table))
            return count;
    return 0;
}

void ChangeCounter::rowChanged(void* counter, int, const char*, const char* table, sqlite3_int64) {
    auto& self = *static_cast<ChangeCounter*>(counter);
    ++self.all_;
    for (auto& [name, count] : self.tables_) {
        if (equalsIgnoringCase(name, table)) {
            ++count;
            return;
        }
    }
    self.tables_.emplace_back(table, 1);
}

void ChangeCounter::rolledBack(void* counter) {
    ++static_cast<ChangeCounter*>(counter)->rollbacks_;
}

} // namespace pellimo
