#include "field_rules.h"

#include "engine_error.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace pellimo {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

[[noreturn]] void conversionError(const FieldInfo& field, const std::string& why) {
    throw EngineError(err::ConversionError, "The field '" + field.name + "' " + why);
}

// Whole-number fields hold 16 bits.
Value checkedWholeNumber(const FieldInfo& field, std::int64_t whole) {
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        conversionError(field, "holds a whole number from -32768 to 32767; " + std::to_string(whole) +
                                   " is out of range.");
    return Value(whole);
}

// A fraction rounds to the nearest whole number, a tie to the even one.
Value wholeNumberFor(const FieldInfo& field, Money amount) {
    std::int64_t units = amount.tenThousandths();
    std::int64_t whole = units / Money::Scale;
    std::int64_t rest = units % Money::Scale;
    std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > Money::Scale || (twice == Money::Scale && whole % 2 != 0))
        whole += units < 0 ? -1 : 1;
    return checkedWholeNumber(field, whole);
}

constexpr std::int64_t LargestWholeAmount = std::numeric_limits<std::int64_t>::max() / Money::Scale;

Money moneyFromText(const FieldInfo& field, const std::string& text) {
    std::optional<Money> amount = Money::parse(text);
    if (!amount)
        conversionError(field, "holds a number; '" + text + "' is not one.");
    return *amount;
}

} // namespace

void applyDeclaredType(FieldInfo& field, std::string_view declared) {
    if (startsWith(declared, "SMALLINT") || startsWith(declared, "INT")) {
        field.kind = FieldKind::Integer;
    } else if (startsWith(declared, "MONEY") || startsWith(declared, "CURRENCY")) {
        field.kind = FieldKind::Money;
    } else if (startsWith(declared, "LONGBINARY") || startsWith(declared, "BLOB")) {
        field.kind = FieldKind::Binary;
    } else {
        field.kind = FieldKind::Text;
        std::size_t open = declared.find('(');
        field.width =
            open == std::string_view::npos ? 0 : std::atoi(std::string(declared.substr(open + 1)).c_str());
    }
}

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

Value valueForField(const FieldInfo& field, Value value) {
    using Type = Value::Type;
    if (value.isNull())
        return value;
    bool emptyText = value.type() == Type::Text && value.asText().empty();
    switch (field.kind) {
    case FieldKind::Text: {
        if (value.type() == Type::Binary)
            conversionError(field, "holds text, not binary data.");
        std::string text = value.toString();
        if (text.empty())
            return Value();
        if (field.width > 0 && characterCount(text) > static_cast<std::size_t>(field.width))
            throw EngineError(err::FieldTooSmall, "The field '" + field.name + "' holds at most " +
                                                      std::to_string(field.width) + " characters.");
        return Value(std::move(text));
    }
    case FieldKind::Integer:
        if (emptyText)
            return Value();
        if (value.type() == Type::Integer)
            return checkedWholeNumber(field, value.asInteger());
        if (value.type() == Type::Money)
            return wholeNumberFor(field, value.asMoney());
        if (value.type() == Type::Text)
            return wholeNumberFor(field, moneyFromText(field, value.asText()));
        conversionError(field, "holds a whole number, not binary data.");
    case FieldKind::Money:
        if (emptyText)
            return Value();
        if (value.type() == Type::Integer && std::abs(value.asInteger()) > LargestWholeAmount)
            conversionError(field, "cannot hold an amount as large as " + value.toString() + ".");
        if (value.type() == Type::Integer || value.type() == Type::Money)
            return Value(value.asMoney());
        if (value.type() == Type::Text)
            return Value(moneyFromText(field, value.asText()));
        conversionError(field, "holds an amount of money, not binary data.");
    case FieldKind::Binary:
        if (value.type() == Type::Binary)
            return value;
        if (value.type() == Type::Text) // text is stored as its bytes; the empty text clears the field
            return Value(Bytes(value.asText().begin(), value.asText().end()));
        conversionError(field, "holds binary data, not a number.");
    }
    return value;
}

} // namespace pellimo
