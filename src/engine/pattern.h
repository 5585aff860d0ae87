#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace pellimo {

struct PatternElement;

// A pattern checked and prepared once, for matching many texts.
class CompiledPattern {
public:
    explicit CompiledPattern(std::string_view pattern); // throws as matchesPattern does
    ~CompiledPattern();
    CompiledPattern(CompiledPattern&&) noexcept;
    CompiledPattern& operator=(CompiledPattern&&) noexcept;
    bool matches(std::string_view text) const;

private:
    std::unique_ptr<std::vector<PatternElement>> elements_;
};

// The engine's pattern language, compared without regard to case: '*' any run of characters, '?' one
// character, '#' one digit, "[a-c]" one character of a class, "[!x]" one character outside it.
// Throws EngineError (InvalidCriterion) for a malformed pattern, such as an unclosed class.
bool matchesPattern(std::string_view pattern, std::string_view text);

// Throws as matchesPattern does, without matching anything.
void checkPattern(std::string_view pattern);

// Equality without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace pellimo
