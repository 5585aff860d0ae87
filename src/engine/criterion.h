#pragma once

#include <string>

namespace pellimo {

// A find condition: the field's text matches `pattern`, or equals it when `literal` (both case-insensitive).
struct Criterion {
    std::string field;
    std::string pattern;
    bool literal = false;

    static Criterion like(std::string field, std::string pattern) {
        return {std::move(field), std::move(pattern), false};
    }
    static Criterion equals(std::string field, std::string text) {
        return {std::move(field), std::move(text), true};
    }
};

} // namespace pellimo
