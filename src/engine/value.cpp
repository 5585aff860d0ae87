#include "value.h"

#include <charconv>

namespace pellimo {

Money Value::asMoney() const {
    if (type() == Type::Integer)
        return Money::fromTenThousandths(asInteger() * Money::Scale);
    return std::get<Money>(data_);
}

std::string Value::toString() const {
    switch (type()) {
    case Type::Null:
        return {};
    case Type::Integer:
        return std::to_string(asInteger());
    case Type::Money:
        return asMoney().toPlainString();
    case Type::Text:
        return asText();
    case Type::Binary:
        return std::string(asBytes().begin(), asBytes().end());
    }
    return {};
}

std::int64_t Value::storedSize() const {
    switch (type()) {
    case Value::Type::Binary:
        return static_cast<std::int64_t>(asBytes().size());
    case Value::Type::Text:
        return static_cast<std::int64_t>(asText().size());
    case Value::Type::Null:
        return 0;
    case Value::Type::Integer: {
        // The length of its decimal text, measured without making a string: every move asks for it.
        char digits[24];
        return std::to_chars(digits, digits + sizeof digits, asInteger()).ptr - digits;
    }
    case Value::Type::Money:
        break;
    }
    return static_cast<std::int64_t>(toString().size());
}

} // namespace pellimo
