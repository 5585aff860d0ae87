#include "money.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

TEST(Money, ParsesPlainDecimalForms) {
    EXPECT_EQ(Money::parse("1.5")->tenThousandths(), 15000);
    EXPECT_EQ(Money::parse("-12")->tenThousandths(), -120000);
    EXPECT_EQ(Money::parse("+.25")->tenThousandths(), 2500);
    EXPECT_EQ(Money::parse("3.")->tenThousandths(), 30000);
    EXPECT_EQ(Money::parse("0.0001")->tenThousandths(), 1);
}

TEST(Money, RefusesTextThatIsNoNumber) {
    for (const char* text : {"", "-", ".", "1.2.3", "1,5", "12a", " 1", "$1", "1e3"})
        EXPECT_FALSE(Money::parse(text).has_value()) << text;
    EXPECT_FALSE(Money::parse("99999999999999999999").has_value());
    EXPECT_FALSE(Money::parse("922337203685477.5808").has_value());
    EXPECT_FALSE(Money::parse("922337203685477.58075").has_value()); // rounds past the largest
}

TEST(Money, ReadsTheWholeRangeOfTheType) {
    EXPECT_EQ(Money::parse("922337203685477.5807")->tenThousandths(), INT64_MAX);
    EXPECT_EQ(Money::parse("-922337203685477.5807")->tenThousandths(), -INT64_MAX);
    EXPECT_EQ(Money::parse("922337203685477.58")->tenThousandths(), 9223372036854775800);
    EXPECT_EQ(Money::parse("922337203685477.58065")->tenThousandths(), 9223372036854775806);
}

TEST(Money, RoundsPastTheFourthDecimalHalfToEven) {
    EXPECT_EQ(Money::parse("0.00005")->tenThousandths(), 0);
    EXPECT_EQ(Money::parse("0.00015")->tenThousandths(), 2);
    EXPECT_EQ(Money::parse("0.000051")->tenThousandths(), 1);
    EXPECT_EQ(Money::parse("-0.00015")->tenThousandths(), -2);
    EXPECT_EQ(Money::fromDouble(0.00025)->tenThousandths(), 2);
    EXPECT_FALSE(Money::fromDouble(1e300).has_value());
}

TEST(Money, WritesTheShortestPlainForm) {
    EXPECT_EQ(Money::parse("25.00")->toPlainString(), "25");
    EXPECT_EQ(Money::parse("1.50")->toPlainString(), "1.5");
    EXPECT_EQ(Money::parse("-0.0125")->toPlainString(), "-0.0125");
    EXPECT_EQ(Money::parse("1234.5")->toPlainString(','), "1234,5");
    EXPECT_EQ(Money().toPlainString(), "0");
}

TEST(Money, SumsAreExact) {
    Money total;
    for (int i = 0; i < 10; ++i)
        total += *Money::parse("0.10");
    EXPECT_EQ(total, *Money::parse("1.00"));
    EXPECT_EQ(total.toPlainString(), "1");
}

} // namespace
} // namespace pellimo
