#include "formats.h"

#include <QLocale>
#include <QStringView>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace pellimo {

namespace {

// Some locales wrap signs and symbols in direction marks; they carry nothing of the number.
QString withoutFormatMarks(QString text) {
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return text;
}

// Removes `part` and the blanks after it from the front of `text`; false when `text` does not start with it.
bool takePrefix(QString& text, const QString& part) {
    if (part.isEmpty() || !text.startsWith(part))
        return false;
    text = text.mid(part.size()).trimmed();
    return true;
}

bool takeSuffix(QString& text, const QString& part) {
    if (part.isEmpty() || !text.endsWith(part))
        return false;
    text.chop(part.size());
    text = text.trimmed();
    return true;
}

// A leading sign, the locale's or the ASCII one: true for minus, false for plus, nullopt for none.
std::optional<bool> takeSign(QString& text, const QLocale& locale) {
    if (takePrefix(text, withoutFormatMarks(locale.negativeSign())) || takePrefix(text, QStringLiteral("-")))
        return true;
    if (takePrefix(text, withoutFormatMarks(locale.positiveSign())) || takePrefix(text, QStringLiteral("+")))
        return false;
    return std::nullopt;
}

// Digits with group separators between them, then optionally the decimal point and more digits, as plain
// C text ("1234.5"); nullopt for anything else.
std::optional<std::string> plainDigits(QStringView body, const QLocale& locale) {
    const QString group = withoutFormatMarks(locale.groupSeparator());
    const QString point = withoutFormatMarks(locale.decimalPoint());
    // Where the locale groups with a blank, any blank the user types will do.
    const bool blankGroups = group.size() == 1 && group.front().isSpace();
    std::string plain;
    bool inFraction = false;
    int digits = 0;
    for (qsizetype at = 0; at < body.size(); ++at) {
        const QChar c = body.at(at);
        const QStringView rest = body.mid(at);
        if (c.isDigit()) {
            plain += static_cast<char>('0' + c.digitValue());
            ++digits;
        } else if (!inFraction && !point.isEmpty() && rest.startsWith(point)) {
            inFraction = true;
            plain += '.';
            at += point.size() - 1;
        } else if (!inFraction && at > 0 && body.at(at - 1).isDigit() &&
                   ((!group.isEmpty() && rest.startsWith(group)) || (blankGroups && c.isSpace()))) {
            const qsizetype length = rest.startsWith(group) ? group.size() : 1;
            if (at + length >= body.size() || !body.at(at + length).isDigit())
                return std::nullopt;
            at += length - 1;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    return plain;
}

// Digits and points alone are what the money boxes let the user type; the program writes no such text
// with groups.
bool typedForm(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

// Typed digits with at most one ".", which is the decimal point in every locale, also where the locale
// groups thousands with it; more points make no number.
std::optional<std::string> typedDigits(const QString& text) {
    if (text.count(u'.') > 1 || text == QStringLiteral("."))
        return std::nullopt;
    return text.toStdString();
}

// The number in `text` as plain C text with its sign ("-1234.5"): digits as typed, the locale's plain
// form, or its currency form with the symbol before or after the number and a sign or parentheses for a
// negative amount.
std::optional<std::string> plainNumber(const QString& text) {
    const QLocale locale;
    QString rest = withoutFormatMarks(text).trimmed();
    if (typedForm(rest))
        return typedDigits(rest);
    const bool bracketed = rest.size() >= 2 && rest.startsWith(u'(') && rest.endsWith(u')');
    if (bracketed)
        rest = rest.mid(1, rest.size() - 2).trimmed();
    const QString symbol = withoutFormatMarks(locale.currencySymbol());
    const bool symbolFirst = takePrefix(rest, symbol);
    const std::optional<bool> minus = takeSign(rest, locale);
    if (!symbolFirst && !takePrefix(rest, symbol))
        takeSuffix(rest, symbol);
    if (bracketed && minus)
        return std::nullopt;
    std::optional<std::string> digits = plainDigits(rest, locale);
    if (!digits)
        return std::nullopt;
    return (bracketed || minus.value_or(false)) ? "-" + *digits : *digits;
}

// How many decimals the locale's currency shows (2 for the dollar, 0 for the yen).
int currencyDigits(const QLocale& locale) {
    const QString zero = withoutFormatMarks(locale.toCurrencyString(0.0));
    const QString point = withoutFormatMarks(locale.decimalPoint());
    // The decimal point that follows a digit: a symbol such as "Rs." may hold the same character.
    for (qsizetype at = zero.indexOf(point); at > 0; at = zero.indexOf(point, at + 1)) {
        if (!zero.at(at - 1).isDigit())
            continue;
        int digits = 0;
        for (qsizetype next = at + point.size(); next < zero.size() && zero.at(next).isDigit(); ++next)
            ++digits;
        return digits;
    }
    return 0;
}

// The amount in whole units of the currency's last shown digit, rounded on the exact amount, a half away
// from zero.
std::int64_t shownUnits(Money amount, int digits) {
    std::int64_t step = 1; // ten-thousandths per last shown digit
    for (int place = digits; place < 4; ++place)
        step *= 10;
    const std::int64_t units = amount.tenThousandths();
    std::int64_t shown = units / step;
    if (2 * std::llabs(units % step) >= step)
        shown += units < 0 ? -1 : 1;
    return shown;
}

// The locale's own currency form of `shown` last digits. The double it is handed is already at its last
// digit, so the locale rounds nothing.
QString localeCurrency(const QLocale& locale, std::int64_t shown, int digits) {
    return locale.toCurrencyString(static_cast<double>(shown) / std::pow(10.0, digits), QString(), digits);
}

// Up to this many last digits the double handed to the locale is within half a last digit of the amount,
// so its digits are the amount's own.
constexpr std::int64_t LargestExact = (std::int64_t{1} << 52) - 1;

// Amounts, in last shown digits, that a locale's taken-apart form must write as the locale does: both signs,
// decimals with and without leading zeros, every count of groups up to the largest amount it may write.
constexpr std::int64_t RebuildChecks[] = {
    0, 1, -1, 5, -50, 99, -100, 12345, -999999, 1000000, -4567890123, -LargestExact, LargestExact};

// The texts a currency form is made of, in one string type.
template <typename Text> struct CurrencyParts {
    Text positivePrefix, positiveSuffix, negativePrefix, negativeSuffix;
    Text group, point;
    std::array<Text, 10> digits;
};

CurrencyParts<std::string> inUtf8(const CurrencyParts<QString>& wide) {
    CurrencyParts<std::string> utf8{wide.positivePrefix.toStdString(),
                                    wide.positiveSuffix.toStdString(),
                                    wide.negativePrefix.toStdString(),
                                    wide.negativeSuffix.toStdString(),
                                    wide.group.toStdString(),
                                    wide.point.toStdString(),
                                    {}};
    for (std::size_t digit = 0; digit < wide.digits.size(); ++digit)
        utf8.digits[digit] = wide.digits[digit].toStdString();
    return utf8;
}

// The digits of a magnitude of `shown` last digits, grouped by thousands, the decimals after the point.
template <typename Out, typename Text>
void appendMagnitude(Out& out, std::int64_t shown, int decimals, const CurrencyParts<Text>& parts) {
    char plain[24];
    const qsizetype length = std::to_chars(plain, plain + sizeof plain, shown).ptr - plain;
    const qsizetype whole = std::max<qsizetype>(length - decimals, 1);
    for (qsizetype at = 0; at < whole + decimals; ++at) {
        if (at == whole)
            out += parts.point;
        else if (at > 0 && at < whole && (whole - at) % 3 == 0)
            out += parts.group;
        // Zeros stand in front of digits the amount does not have ("0.05").
        const qsizetype from = at - (whole + decimals - length);
        out += parts.digits[static_cast<std::size_t>(from < 0 ? 0 : plain[from] - '0')];
    }
}

template <typename Out, typename Text>
void appendRebuilt(Out& out, std::int64_t shown, int decimals, const CurrencyParts<Text>& parts) {
    const bool below = shown < 0;
    out += below ? parts.negativePrefix : parts.positivePrefix;
    appendMagnitude(out, below ? -shown : shown, decimals, parts);
    out += below ? parts.negativeSuffix : parts.positiveSuffix;
}

QString rebuilt(std::int64_t shown, int decimals, const CurrencyParts<QString>& parts) {
    QString text;
    text.reserve(32);
    appendRebuilt(text, shown, decimals, parts);
    return text;
}

// The locale's currency form taken apart once, since asking the locale costs far more than the report line
// it makes: the texts around the digits of an amount from zero up and of one below zero, and the digits'
// separators. The parts serve only when they rebuild what the locale itself writes for a range of amounts.
// They are held in UTF-8 too, for the report's lines.
class CurrencyForm {
public:
    explicit CurrencyForm(const QLocale& locale)
        : locale_(locale), digits_(std::min(currencyDigits(locale), 4)) {
        wide_.group = locale.numberOptions().testFlag(QLocale::OmitGroupSeparator) ? QString()
                                                                                   : locale.groupSeparator();
        wide_.point = locale.decimalPoint();
        const QString zero = locale.zeroDigit();
        if (zero.size() != 1)
            return;
        for (std::size_t digit = 0; digit < wide_.digits.size(); ++digit)
            wide_.digits[digit] = QChar(zero.front().unicode() + static_cast<char16_t>(digit));
        const std::int64_t probe = 1234567;
        QString magnitude;
        appendMagnitude(magnitude, probe, digits_, wide_);
        rebuilds_ = splitAround(localeCurrency(locale, probe, digits_), magnitude, wide_.positivePrefix,
                                wide_.positiveSuffix) &&
                    splitAround(localeCurrency(locale, -probe, digits_), magnitude, wide_.negativePrefix,
                                wide_.negativeSuffix);
        for (const std::int64_t shown : RebuildChecks)
            rebuilds_ = rebuilds_ && rebuilt(shown, digits_, wide_) == localeCurrency(locale, shown, digits_);
        utf8_ = inUtf8(wide_);
    }

    const QLocale& locale() const { return locale_; }

    QString format(Money amount) const {
        const std::int64_t shown = shownUnits(amount, digits_);
        // Past the amounts the locale writes exactly, the rebuilt form is the only one that keeps every
        // digit.
        if (rebuilds_)
            return rebuilt(shown, digits_, wide_);
        return localeCurrency(locale_, shown, digits_);
    }

    std::string formatUtf8(Money amount) const {
        if (!rebuilds_)
            return format(amount).toStdString();
        std::string text;
        text.reserve(32);
        appendRebuilt(text, shownUnits(amount, digits_), digits_, utf8_);
        return text;
    }

private:
    static bool splitAround(const QString& text, const QString& middle, QString& before, QString& after) {
        const qsizetype at = text.indexOf(middle);
        if (at < 0)
            return false;
        before = text.left(at);
        after = text.mid(at + middle.size());
        return true;
    }

    QLocale locale_;
    int digits_;
    CurrencyParts<QString> wide_;
    CurrencyParts<std::string> utf8_;
    bool rebuilds_ = false;
};

// The form of the locale in use, taken apart again whenever another locale is in use.
const CurrencyForm& currencyForm() {
    thread_local std::optional<CurrencyForm> form;
    const QLocale locale;
    if (!form || form->locale() != locale)
        form.emplace(locale);
    return *form;
}

} // namespace

std::optional<Money> parseMoneyText(const QString& text) {
    const std::optional<std::string> plain = plainNumber(text);
    return plain ? Money::parse(*plain) : std::nullopt;
}

std::optional<double> parseNumberText(const QString& text) {
    const std::optional<std::string> plain = plainNumber(text);
    if (!plain)
        return std::nullopt;
    double value = 0;
    const auto [end, failure] = std::from_chars(plain->data(), plain->data() + plain->size(), value);
    if (failure != std::errc() || end != plain->data() + plain->size())
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> roundToWholeNumber(double value) {
    const double whole = std::nearbyint(value); // the default rounding mode ties to even
    // Written so that NaN fails too.
    if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
          whole <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::optional<std::int16_t> parseWholeNumberText(const QString& text) {
    const std::optional<double> value = parseNumberText(text);
    return value ? roundToWholeNumber(*value) : std::nullopt;
}

QString moneyToPlainText(Money amount) {
    return QString::fromStdString(amount.toPlainString()).replace(u'.', QLocale().decimalPoint());
}

QString formatCurrency(Money amount) {
    return currencyForm().format(amount);
}

std::string formatCurrencyUtf8(Money amount) {
    return currencyForm().formatUtf8(amount);
}

QString formatCurrencyText(const QString& text) {
    const std::optional<Money> amount = parseMoneyText(text);
    return amount ? formatCurrency(*amount) : text;
}

} // namespace pellimo
