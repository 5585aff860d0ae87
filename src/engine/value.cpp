#include "value.h"

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

} // namespace pellimo
