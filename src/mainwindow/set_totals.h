#pragma once

#include "money.h"

#include <string>

namespace pellimo {

// The count and value of a set's basic and special cards, each read over a connection of its own to the
// catalogue in the program folder. Every failure (no file, a failing query) yields 0 and reports nothing.
class SetTotals {
public:
    explicit SetTotals(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    Money Basvalue(const std::string& skey) const;
    Money Specvalue(const std::string& skey) const;
    int Bascount(const std::string& skey) const;
    int Speccount(const std::string& skey) const;

private:
    std::string programFolder_;
};

} // namespace pellimo
