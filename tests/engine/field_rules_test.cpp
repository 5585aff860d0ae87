#include "engine_error.h"
#include "field_rules.h"

#include <gtest/gtest.h>

namespace pellimo {
namespace {

const FieldInfo Desc{"Desc", FieldKind::Text, 5};
const FieldInfo CardNum{"Card_Num", FieldKind::Integer, 0};
const FieldInfo Amount{"Value", FieldKind::Money, 0};
const FieldInfo Front{"Front", FieldKind::Binary, 0};

Money money(std::int64_t tenThousandths) {
    return Money::fromTenThousandths(tenThousandths);
}

// The failure's number when the field refuses the value, 0 when it takes it.
int refusal(const FieldInfo& field, const Value& value) {
    try {
        valueForField(field, value);
        return 0;
    } catch (const EngineError& failure) {
        return failure.number();
    }
}

// Null is stored as Null in every kind of field; empty text is Null too, except in a binary field, where
// it is the empty value a cleared picture holds.
TEST(FieldRules, NullAndEmptyText) {
    for (const FieldInfo& field : {Desc, CardNum, Amount, Front})
        EXPECT_TRUE(valueForField(field, Value()).isNull()) << field.name;
    for (const FieldInfo& field : {Desc, CardNum, Amount})
        EXPECT_TRUE(valueForField(field, Value("")).isNull()) << field.name;
    EXPECT_EQ(valueForField(Front, Value("")), Value(Bytes{}));
}

// A text field counts characters, not bytes, against its width.
TEST(FieldRules, TextFitsItsWidthAndTakesNumbersAsText) {
    EXPECT_EQ(valueForField(Desc, Value("Ärger")), Value("Ärger"));
    EXPECT_EQ(refusal(Desc, Value("Ärgern")), err::FieldTooSmall);
    EXPECT_EQ(valueForField(Desc, Value(12)), Value("12"));
    EXPECT_EQ(valueForField(FieldInfo{"Any", FieldKind::Text, 0}, Value(std::string(300, 'x'))),
              Value(std::string(300, 'x')));
    EXPECT_EQ(refusal(Desc, Value(Bytes{1, 2})), err::ConversionError);
}

// Whole numbers hold 16 bits; a fraction rounds to the nearest, a half to the even one.
TEST(FieldRules, WholeNumbersRoundAndStayInSixteenBits) {
    EXPECT_EQ(valueForField(CardNum, Value("2.5")), Value(2));
    EXPECT_EQ(valueForField(CardNum, Value("3.5")), Value(4));
    EXPECT_EQ(valueForField(CardNum, Value("-2.5")), Value(-2));
    EXPECT_EQ(valueForField(CardNum, Value("2.5001")), Value(3));
    EXPECT_EQ(valueForField(CardNum, Value(money(15000))), Value(2));
    EXPECT_EQ(valueForField(CardNum, Value(32767)), Value(32767));
    EXPECT_EQ(valueForField(CardNum, Value("-32768")), Value(-32768));
    for (const Value& refused :
         {Value(32768), Value("-32768.6"), Value("32767.5"), Value("twelve"), Value("1,5"), Value(Bytes{1})})
        EXPECT_EQ(refusal(CardNum, refused), err::ConversionError) << refused.toString();
}

// Money is exact to four decimals, from text or a whole number, as far as the type reaches.
TEST(FieldRules, MoneyIsExactFromTextOrWholeNumbers) {
    EXPECT_EQ(valueForField(Amount, Value("1.25")), Value(money(12500)));
    EXPECT_EQ(valueForField(Amount, Value(3)), Value(money(30000)));
    EXPECT_EQ(valueForField(Amount, Value(money(-1))), Value(money(-1)));
    EXPECT_EQ(valueForField(Amount, Value(std::int64_t{922337203685477})), Value(money(9223372036854770000)));
    for (const Value& refused :
         {Value(std::int64_t{922337203685478}), Value("$1"), Value("1.2.3"), Value(Bytes{1})})
        EXPECT_EQ(refusal(Amount, refused), err::ConversionError) << refused.toString();
}

// A binary field keeps bytes as they are and takes text as its bytes; a number is refused.
TEST(FieldRules, BinaryKeepsBytesAndRefusesNumbers) {
    EXPECT_EQ(valueForField(Front, Value(Bytes{0, 255, 7})), Value(Bytes{0, 255, 7}));
    EXPECT_EQ(valueForField(Front, Value("ab")), Value(Bytes{'a', 'b'}));
    EXPECT_EQ(refusal(Front, Value(1)), err::ConversionError);
    EXPECT_EQ(refusal(Front, Value(money(1))), err::ConversionError);
}

} // namespace
} // namespace pellimo
