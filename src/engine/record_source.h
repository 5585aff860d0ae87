#pragma once

#include "value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellimo {

// Identifies one row of a record set for as long as the record set lives.
using BookmarkId = std::int64_t;

// How a record set holds its rows: a dynaset reads each record when it becomes current and can be changed;
// a snapshot reads every row at once and cannot, which suits a source read from start to end.
enum class RecordsetType { Dynaset, Snapshot };

// What a record set shows: a table or view name, or a query text whose '?' placeholders take `params`
// in order. Values are always bound, never pasted into the text.
struct RecordSource {
    std::string text;
    std::vector<Value> params;

    RecordSource() = default;
    RecordSource(std::string sourceText, std::vector<Value> values = {})
        : text(std::move(sourceText)), params(std::move(values)) {}
    RecordSource(const char* sourceText) : text(sourceText) {}

    bool operator==(const RecordSource&) const = default;
};

} // namespace pellimo
