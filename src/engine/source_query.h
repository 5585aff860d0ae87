#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellimo {

// A record source of the shape whose rows can be updated: a bare table or view name, or
// "SELECT * | column, ... FROM name [WHERE condition] [ORDER BY list]".
struct SourceQuery {
    std::string table;
    std::vector<std::string> columns; // empty: every column
    std::string where;                // the condition, without the keyword
    std::string orderBy;              // the list, without the keywords
    bool bareName = false;
};

// nullopt for any other query (a join, an aggregate, a grouping ...), which is read as it stands.
std::optional<SourceQuery> parseSourceQuery(std::string_view text);

} // namespace pellimo
