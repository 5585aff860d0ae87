#pragma once

#include "money.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace pellimo {

using Bytes = std::vector<unsigned char>;

// One field value as the engine stores it: Null, a whole number, money, text (UTF-8) or bytes.
class Value {
public:
    enum class Type { Null, Integer, Money, Text, Binary };

    Value() = default;
    Value(std::int64_t number) : data_(number) {}
    Value(int number) : data_(std::int64_t{number}) {}
    Value(Money amount) : data_(amount) {}
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(Bytes bytes) : data_(std::move(bytes)) {}

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isNull() const { return type() == Type::Null; }

    // Each accessor requires its own type; asMoney also takes a whole number.
    std::int64_t asInteger() const { return std::get<std::int64_t>(data_); }
    Money asMoney() const;
    const std::string& asText() const { return std::get<std::string>(data_); }
    const Bytes& asBytes() const { return std::get<Bytes>(data_); }

    // Text for display and matching: numbers in plain decimal form, Null as "".
    std::string toString() const;
    // The bytes it takes: a binary value's or a text's own, a number's decimal text.
    std::int64_t storedSize() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, std::int64_t, Money, std::string, Bytes> data_;
};

} // namespace pellimo
