#include "engine_error.h"
#include "pattern.h"

#include <gtest/gtest.h>

namespace pellimo {
namespace {

TEST(Pattern, WildcardsMatchRunsSingleCharactersAndDigits) {
    EXPECT_TRUE(matchesPattern("*01*", "AB01X"));
    EXPECT_TRUE(matchesPattern("*01*", "01"));
    EXPECT_FALSE(matchesPattern("*01*", "0X1"));
    EXPECT_TRUE(matchesPattern("Card ?", "Card 7"));
    EXPECT_FALSE(matchesPattern("Card ?", "Card 12"));
    EXPECT_TRUE(matchesPattern("Card ##", "Card 12"));
    EXPECT_FALSE(matchesPattern("Card ##", "Card 1a"));
    EXPECT_TRUE(matchesPattern("*", ""));
    EXPECT_FALSE(matchesPattern("?", ""));
    EXPECT_TRUE(matchesPattern("a*b*c", "aXXbYYbc"));
}

TEST(Pattern, ComparesWithoutRegardToCase) {
    EXPECT_TRUE(matchesPattern("*dragon*", "Red DRAGON Set"));
    EXPECT_TRUE(matchesPattern("[a-c]x", "Bx"));
    EXPECT_TRUE(matchesPattern("ÉTÉ", "été"));
    EXPECT_TRUE(equalsIgnoringCase("Base Set", "BASE set"));
    EXPECT_FALSE(equalsIgnoringCase("Base Set", "Base Set "));
}

TEST(Pattern, ClassesRangesAndNegation) {
    EXPECT_TRUE(matchesPattern("[abc]1", "b1"));
    EXPECT_FALSE(matchesPattern("[abc]1", "d1"));
    EXPECT_TRUE(matchesPattern("[!x]", "y"));
    EXPECT_FALSE(matchesPattern("[!x]", "X"));
    EXPECT_TRUE(matchesPattern("[*]", "*"));
    EXPECT_FALSE(matchesPattern("[*]", "a"));
    EXPECT_TRUE(matchesPattern("[-a]", "-"));
    EXPECT_TRUE(matchesPattern("a]", "a]"));
}

TEST(Pattern, CountsCharactersNotBytes) {
    EXPECT_TRUE(matchesPattern("?", "ü"));
    EXPECT_TRUE(matchesPattern("Pok?mon", "Pokémon"));
}

TEST(Pattern, MalformedPatternsFail) {
    for (const char* pattern : {"[abc", "[", "a[!", "[z-a]", "[]"}) {
        try {
            matchesPattern(pattern, "abc");
            ADD_FAILURE() << pattern;
        } catch (const EngineError& error) {
            EXPECT_EQ(error.number(), err::InvalidCriterion) << pattern;
        }
    }
}

TEST(Pattern, ManyStarsStayFast) {
    std::string text(5000, 'a');
    EXPECT_FALSE(matchesPattern("*a*a*a*a*a*a*a*b", text));
}

} // namespace
} // namespace pellimo
