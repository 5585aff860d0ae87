#include "formats.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

Money cents(std::int64_t amount) {
    return Money::fromTenThousandths(amount * 100);
}

// Pins another locale for one test and puts the test main's en_US back after it.
class PinnedLocale {
public:
    explicit PinnedLocale(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~PinnedLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST(ParseMoneyText, AcceptsThePlainAndTheCurrencyForms) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1234.5", 123450}, {"1,234.50", 123450}, {"$1,234.50", 123450},    {"($2.00)", -200},
        {"-$2.00", -200},   {"$-2", -200},        {"  12 ", 1200},          {".5", 50},
        {"3.", 300},        {"+7", 700},          {"1,234,567", 123456700},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseMoneyText(QString::fromUtf8(text)), cents(expected)) << text;
    EXPECT_EQ(parseMoneyText(QStringLiteral("0.00005")), Money::fromTenThousandths(0)); // a tie to even
    EXPECT_EQ(parseMoneyText(QStringLiteral("0.00015")), Money::fromTenThousandths(2));
}

TEST(ParseMoneyText, RefusesTextThatIsNoNumber) {
    for (const char* text : {"", "   ", "abc", "1.2.3", "$", "()", ",5", "12,", "1,,234", "(-2)", "1e3",
                             "--2", "2-", "$$2", "1 234", "2 $ 3"})
        EXPECT_FALSE(parseMoneyText(QString::fromUtf8(text))) << text;
}

TEST(ParseMoneyText, FollowsTheLocale) {
    {
        PinnedLocale german("de_DE");
        EXPECT_EQ(parseMoneyText(QStringLiteral("1.234,50 €")), cents(123450));
        EXPECT_EQ(parseMoneyText(QStringLiteral("-1.234,5")), cents(-123450));
        EXPECT_EQ(parseMoneyText(QStringLiteral("1,5")), cents(150));
        EXPECT_FALSE(parseMoneyText(QStringLiteral("$2")));
        // Digits and one point are what the money boxes let the user type: the point is the decimal point.
        EXPECT_EQ(parseMoneyText(QStringLiteral("1.50")), cents(150));
        EXPECT_EQ(parseMoneyText(QStringLiteral("1.234")), Money::fromTenThousandths(12340));
        EXPECT_EQ(parseNumberText(QStringLiteral("1.5")), 1.5);
        EXPECT_FALSE(parseMoneyText(QStringLiteral("1.2.3")));
    }
    {
        PinnedLocale french("fr_FR");
        EXPECT_EQ(parseMoneyText(QStringLiteral("1 234,50 €")), cents(123450)); // a typed blank groups too
        EXPECT_EQ(parseMoneyText(QStringLiteral("1.50")), cents(150));
    }
    {
        PinnedLocale swedish("sv_SE");
        EXPECT_EQ(parseMoneyText(QString::fromUtf8("\u22122,00 kr")), cents(-200));
    }
}

TEST(FormatCurrency, ShowsTheLocaleCurrencyForm) {
    EXPECT_EQ(formatCurrency(cents(2500)), QStringLiteral("$25.00"));
    EXPECT_EQ(formatCurrency(cents(123450)), QStringLiteral("$1,234.50"));
    EXPECT_EQ(formatCurrency(cents(-200)), QStringLiteral("($2.00)"));
    EXPECT_EQ(formatCurrency(Money()), QStringLiteral("$0.00"));
}

TEST(FormatCurrency, RoundsTheExactAmountHalfAwayFromZero) {
    // 2.675 has no exact double; the amount itself is exact and rounds up.
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(26750)), QStringLiteral("$2.68"));
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(26650)), QStringLiteral("$2.67"));
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(-26750)), QStringLiteral("($2.68)"));
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(-49)), QStringLiteral("$0.00"));
    PinnedLocale japanese("ja_JP");
    EXPECT_EQ(formatCurrency(cents(250)), QString::fromUtf8("￥3"));
}

TEST(FormatCurrency, WritesEveryDigitOfTheLargestExactAmountsAndTheLocalesOwnGroups) {
    const std::int64_t largest = (std::int64_t{1} << 52) - 1; // cents whose double is still exact
    EXPECT_EQ(formatCurrency(cents(largest)), QStringLiteral("$45,035,996,273,704.95"));
    EXPECT_EQ(formatCurrency(cents(-largest)), QStringLiteral("($45,035,996,273,704.95)"));
    {
        PinnedLocale german("de_DE");
        EXPECT_EQ(formatCurrency(cents(-largest)), QString::fromUtf8("-45.035.996.273.704,95\u00A0€"));
        EXPECT_EQ(formatCurrencyUtf8(cents(-largest)), "-45.035.996.273.704,95\u00A0€");
        EXPECT_EQ(formatCurrency(cents(5)), QString::fromUtf8("0,05\u00A0€"));
    }
    // Past the exact doubles the digits are still the amount's own, up to the largest amount.
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(9223372036854775800)),
              QStringLiteral("$922,337,203,685,477.58"));
    EXPECT_EQ(formatCurrency(Money::fromTenThousandths(-9223372036854775800)),
              QStringLiteral("($922,337,203,685,477.58)"));
    EXPECT_EQ(formatCurrencyUtf8(Money::fromTenThousandths(-9223372036854775800)),
              "($922,337,203,685,477.58)");
    PinnedLocale indian("en_IN"); // groups of two above the thousands
    EXPECT_EQ(formatCurrency(cents(123456789)), QString::fromUtf8("₹12,34,567.89"));
}

TEST(FormatCurrency, ReadsBackAsTheSameAmountInEveryLocale) {
    const std::int64_t amounts[] = {0, 1, -1, 10, -99, 1234, -123450, 123456789, -9876543210, 99999999999};
    for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH", "nl_NL", "sv_SE", "en_IN", "ar_EG", "C"}) {
        PinnedLocale locale(name);
        for (const std::int64_t amount : amounts) {
            const QString shown = formatCurrency(cents(amount));
            EXPECT_EQ(parseMoneyText(shown), cents(amount)) << name << " " << shown.toStdString();
            EXPECT_EQ(parseMoneyText(moneyToPlainText(cents(amount))), cents(amount)) << name;
            // The report's UTF-8 form is the same text.
            EXPECT_EQ(formatCurrencyUtf8(cents(amount)), shown.toStdString()) << name;
        }
    }
}

TEST(FormatCurrencyText, FormatsNumbersAndLeavesOtherTextAlone) {
    EXPECT_EQ(formatCurrencyText(QStringLiteral("25")), QStringLiteral("$25.00"));
    EXPECT_EQ(formatCurrencyText(QStringLiteral("$1,234.5")), QStringLiteral("$1,234.50"));
    EXPECT_EQ(formatCurrencyText(QStringLiteral("($2)")), QStringLiteral("($2.00)"));
    EXPECT_EQ(formatCurrencyText(QStringLiteral("1.2.3")), QStringLiteral("1.2.3"));
    EXPECT_EQ(formatCurrencyText(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(formatCurrencyText(QString()), QString());
}

TEST(ParseNumberText, AcceptsTheCurrencyFormAndRefusesEmptyText) {
    EXPECT_EQ(parseNumberText(QStringLiteral("$1,234.50")), 1234.5);
    EXPECT_EQ(parseNumberText(QStringLiteral("($2.00)")), -2.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("12345678901234567890")), 12345678901234567890.0);
    EXPECT_FALSE(parseNumberText(QString()));
    EXPECT_FALSE(parseNumberText(QStringLiteral("1.2.3")));
}

TEST(WholeNumbers, RoundHalfToEvenWithinSixteenBits) {
    const std::pair<double, int> cases[] = {{2.5, 2}, {3.5, 4},    {-2.5, -2},
                                            {0.5, 0}, {1.4999, 1}, {-32768.4, -32768}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundToWholeNumber(value), expected) << value;
    EXPECT_FALSE(roundToWholeNumber(32767.5)); // rounds to 32768
    EXPECT_FALSE(roundToWholeNumber(-32769));

    EXPECT_EQ(parseWholeNumberText(QStringLiteral("0000")), 0);
    EXPECT_EQ(parseWholeNumberText(QStringLiteral("$3.50")), 4);
    EXPECT_EQ(parseWholeNumberText(QStringLiteral("9999")), 9999);
    EXPECT_FALSE(parseWholeNumberText(QStringLiteral("40000")));
    EXPECT_FALSE(parseWholeNumberText(QString()));
}

TEST(MoneyToPlainText, UsesTheLocaleDecimalPoint) {
    EXPECT_EQ(moneyToPlainText(cents(2500)), QStringLiteral("25"));
    EXPECT_EQ(moneyToPlainText(cents(150)), QStringLiteral("1.5"));
    PinnedLocale german("de_DE");
    EXPECT_EQ(moneyToPlainText(Money::fromTenThousandths(-125)), QStringLiteral("-0,0125"));
}

} // namespace
} // namespace pellimo
