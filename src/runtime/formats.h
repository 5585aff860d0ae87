#pragma once

#include "money.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace pellimo {

// Number forms of the user's locale (QLocale(), the system locale unless a test pins another).

// Text to money: digits with at most one "." read with "." as the decimal point in every locale, as the
// money boxes let them be typed ("1.50"); the locale's plain number form ("1234.5", "1,234.50") and its
// currency form ("$1,234.50", "($2.00)", "-$2.00"). Empty text, or text that is no number, gives nullopt.
std::optional<Money> parseMoneyText(const QString& text);

// Text to a 16-bit whole number, accepting what parseMoneyText accepts and rounding half to even;
// nullopt for empty text, no number, or a number out of range.
std::optional<std::int16_t> parseWholeNumberText(const QString& text);

// The plain form in which a bound box shows a stored amount: "25", "1.5", with the locale's decimal point.
QString moneyToPlainText(Money amount);

// The named format "Currency": the locale's currency form, rounded to its currency digits, a half away
// from zero ("$1,234.50", "($2.00)" in en_US).
QString formatCurrency(Money amount);
// The same text in UTF-8, made without a QString: a report writes thousands of them.
std::string formatCurrencyUtf8(Money amount);

// "Currency" applied to a box's text: a number, plain or in currency form, becomes its currency form;
// any other text, empty text included, stays as it is.
QString formatCurrencyText(const QString& text);

// The number test of the field checks: the forms parseMoneyText accepts, without its range limit.
std::optional<double> parseNumberText(const QString& text);

// A double to a 16-bit whole number, a half to the even one; nullopt out of range.
std::optional<std::int16_t> roundToWholeNumber(double value);

} // namespace pellimo
