#include "pattern.h"

#include "engine_error.h"

#include <string>

namespace pellimo {

namespace {

// Decodes one UTF-8 character; a malformed byte counts as one character of its own.
char32_t nextChar(std::string_view text, std::size_t& at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || at + extra >= text.size()) {
        ++at;
        return lead;
    }
    char32_t code = lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return lead;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += extra + 1;
    return code;
}

// Folds ASCII and Latin-1 letters, which covers the names a catalogue holds.
char32_t fold(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    return c;
}

void decodeInto(std::string_view text, std::u32string& out) {
    out.clear();
    for (std::size_t at = 0; at < text.size();)
        out += fold(nextChar(text, at));
}

std::u32string decode(std::string_view text) {
    std::u32string out;
    decodeInto(text, out);
    return out;
}

[[noreturn]] void malformed(std::string_view pattern) {
    throw EngineError(err::InvalidCriterion, "The pattern '" + std::string(pattern) + "' is not valid.");
}

} // namespace

// One element of a pattern: a literal, '?', '#', '*' or a class.
struct PatternElement {
    enum Kind { Literal, Any, Digit, Star, Class } kind = Literal;
    char32_t literal = 0;
    std::u32string ranges; // pairs of first and last character
    bool negated = false;
};

namespace {

using Element = PatternElement;

Element element(Element::Kind kind, char32_t literal = 0) {
    Element e;
    e.kind = kind;
    e.literal = literal;
    return e;
}

std::vector<Element> compile(std::string_view pattern) {
    std::u32string chars = decode(pattern);
    std::vector<Element> elements;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        char32_t c = chars[i];
        if (c == '*') {
            elements.push_back(element(Element::Star));
        } else if (c == '?') {
            elements.push_back(element(Element::Any));
        } else if (c == '#') {
            elements.push_back(element(Element::Digit));
        } else if (c == '[') {
            Element cls = element(Element::Class);
            std::size_t j = i + 1;
            if (j < chars.size() && chars[j] == '!') {
                cls.negated = true;
                ++j;
            }
            std::size_t first = j;
            while (j < chars.size() && (chars[j] != ']' || j == first)) {
                char32_t low = chars[j];
                char32_t high = low;
                if (j + 2 < chars.size() && chars[j + 1] == '-' && chars[j + 2] != ']') {
                    high = chars[j + 2];
                    j += 2;
                    if (high < low)
                        malformed(pattern);
                }
                cls.ranges += low;
                cls.ranges += high;
                ++j;
            }
            if (j >= chars.size() || cls.ranges.empty())
                malformed(pattern);
            elements.push_back(cls);
            i = j;
        } else {
            elements.push_back(element(Element::Literal, c));
        }
    }
    return elements;
}

bool matchesOne(const Element& e, char32_t c) {
    switch (e.kind) {
    case Element::Literal:
        return e.literal == c;
    case Element::Any:
        return true;
    case Element::Digit:
        return c >= '0' && c <= '9';
    case Element::Class: {
        bool inside = false;
        for (std::size_t r = 0; r + 1 < e.ranges.size() && !inside; r += 2)
            inside = c >= e.ranges[r] && c <= e.ranges[r + 1];
        return inside != e.negated;
    }
    case Element::Star:
        break;
    }
    return false;
}

// Iterative matching with one backtrack point per star: linear in practice, never exponential.
bool matchElements(const std::vector<Element>& elements, const std::u32string& text) {
    std::size_t p = 0, t = 0;
    std::size_t starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < elements.size() && elements[p].kind == Element::Star) {
            starP = p++;
            starT = t;
        } else if (p < elements.size() && matchesOne(elements[p], text[t])) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < elements.size() && elements[p].kind == Element::Star)
        ++p;
    return p == elements.size();
}

} // namespace

CompiledPattern::CompiledPattern(std::string_view pattern)
    : elements_(std::make_unique<std::vector<PatternElement>>(compile(pattern))) {}
CompiledPattern::~CompiledPattern() = default;
CompiledPattern::CompiledPattern(CompiledPattern&&) noexcept = default;
CompiledPattern& CompiledPattern::operator=(CompiledPattern&&) noexcept = default;

bool CompiledPattern::matches(std::string_view text) const {
    // A find matches every row of a set: one buffer for all of them rather than one allocation a row.
    thread_local std::u32string decoded;
    decodeInto(text, decoded);
    return matchElements(*elements_, decoded);
}

bool matchesPattern(std::string_view pattern, std::string_view text) {
    return CompiledPattern(pattern).matches(text);
}

void checkPattern(std::string_view pattern) {
    compile(pattern);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (fold(nextChar(a, i)) != fold(nextChar(b, j)))
            return false;
    return i == a.size() && j == b.size();
}

} // namespace pellimo
