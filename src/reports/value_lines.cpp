#include "value_lines.h"

#include "engine_error.h"
#include "formats.h"
#include "markup_text.h"

#include <array>
#include <charconv>

namespace pellimo {

namespace {

// A number as the print statement writes it: a blank before it unless it is negative, and one after it.
QString printedNumber(bool negative, const QString& digits) {
    return (negative ? QString() : QStringLiteral(" ")) + digits + u' ';
}

void writeText(ReportLines& out, std::string_view text) {
    if (holdsMarkupCharacters(text))
        out.writeUtf8(markupText(text));
    else
        out.writeUtf8(text);
}

} // namespace

void writePrintedValue(ReportLines& out, const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        out.write(u"Null");
        return;
    case Value::Type::Integer: {
        // The line printedNumber makes, without building a string for it.
        const std::int64_t number = value.asInteger();
        std::array<char, 24> line{' '};
        char* end =
            std::to_chars(line.data() + (number < 0 ? 0 : 1), line.data() + line.size() - 1, number).ptr;
        *end++ = ' ';
        out.writeUtf8(std::string_view(line.data(), static_cast<std::size_t>(end - line.data())));
        return;
    }
    case Value::Type::Money:
        out.write(printedNumber(value.asMoney() < Money(), moneyToPlainText(value.asMoney())));
        return;
    case Value::Type::Text:
        writeText(out, value.asText());
        return;
    case Value::Type::Binary:
        writeText(out, value.toString());
        return;
    }
}

void writeMoneyLine(ReportLines& out, const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        out.write(u"Null");
        return;
    case Value::Type::Integer:
    case Value::Type::Money:
        out.writeUtf8(formatCurrencyUtf8(value.asMoney()));
        return;
    case Value::Type::Text:
    case Value::Type::Binary:
        break;
    }
    out.write(markupText(formatCurrencyText(QString::fromStdString(value.toString()))));
}

Money currencyAmount(const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        throw EngineError(err::InvalidUseOfNull, "Invalid use of Null");
    case Value::Type::Integer:
    case Value::Type::Money:
        return value.asMoney();
    case Value::Type::Text:
        if (std::optional<Money> amount = parseMoneyText(QString::fromStdString(value.asText())))
            return *amount;
        break;
    case Value::Type::Binary:
        break;
    }
    throw EngineError(err::TypeMismatch, "Type mismatch");
}

Money addedToTotal(Money total, Money amount) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(total.tenThousandths(), amount.tenThousandths(), &sum))
        throw EngineError(err::Overflow, "Overflow");
    return Money::fromTenThousandths(sum);
}

} // namespace pellimo
