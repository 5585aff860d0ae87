#include "value_lines.h"

#include "engine_error.h"
#include "formats.h"

namespace pellimo {

namespace {

// The numbers the language's runtime gives these failures.
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;

QString printedNumber(bool negative, const QString& digits) {
    return (negative ? QString() : QStringLiteral(" ")) + digits + u' ';
}

} // namespace

QString printedValue(const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        return QStringLiteral("Null");
    case Value::Type::Integer:
        return printedNumber(value.asInteger() < 0, QString::number(value.asInteger()));
    case Value::Type::Money:
        return printedNumber(value.asMoney() < Money(), moneyToPlainText(value.asMoney()));
    case Value::Type::Text:
    case Value::Type::Binary:
        break;
    }
    return QString::fromStdString(value.toString());
}

QString moneyLine(const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        return QStringLiteral("Null");
    case Value::Type::Integer:
    case Value::Type::Money:
        return formatCurrency(value.asMoney());
    case Value::Type::Text:
    case Value::Type::Binary:
        break;
    }
    return formatCurrencyText(QString::fromStdString(value.toString()));
}

Money currencyAmount(const Value& value) {
    switch (value.type()) {
    case Value::Type::Null:
        throw EngineError(InvalidUseOfNull, "Invalid use of Null");
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
    throw EngineError(TypeMismatch, "Type mismatch");
}

Money addedToTotal(Money total, Money amount) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(total.tenThousandths(), amount.tenThousandths(), &sum))
        throw EngineError(Overflow, "Overflow");
    return Money::fromTenThousandths(sum);
}

} // namespace pellimo
