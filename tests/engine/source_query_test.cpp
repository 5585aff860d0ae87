#include "source_query.h"

#include <gtest/gtest.h>

namespace pellimo {
namespace {

// Record sources whose rows can be stored back: the table, the columns read, the condition and the order
// come out as the query names them.
TEST(SourceQuery, ReadsTheShapesWhoseRowsCanBeStored) {
    const std::optional<SourceQuery> bare = parseSourceQuery(" SpecialCards ; ");
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->bareName);
    EXPECT_EQ(bare->table, "SpecialCards");

    const std::optional<SourceQuery> cards =
        parseSourceQuery("SELECT * FROM Specials WHERE code =? ORDER BY Code, Card_Num");
    ASSERT_TRUE(cards);
    EXPECT_FALSE(cards->bareName);
    EXPECT_EQ(cards->table, "Specials");
    EXPECT_TRUE(cards->columns.empty());
    EXPECT_EQ(cards->where, "code =?");
    EXPECT_EQ(cards->orderBy, "Code, Card_Num");

    const std::optional<SourceQuery> quoted =
        parseSourceQuery("select Code, [Card Num], \"Desc\" from `Basics` order by [Card Num] desc;");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->columns, (std::vector<std::string>{"Code", "Card Num", "Desc"}));
    EXPECT_EQ(quoted->table, "Basics");
    EXPECT_TRUE(quoted->where.empty());
    EXPECT_EQ(quoted->orderBy, "[Card Num] desc");
}

// Keywords inside a text, a quoted name or parentheses belong to the condition, not to the query.
TEST(SourceQuery, KeywordsInsideTheConditionStayInIt) {
    const std::optional<SourceQuery> query =
        parseSourceQuery("SELECT * FROM Sets WHERE Desc = 'ORDER BY x' AND Code IN (SELECT Code FROM Basics "
                         "ORDER BY Code) ORDER BY Desc");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->where, "Desc = 'ORDER BY x' AND Code IN (SELECT Code FROM Basics ORDER BY Code)");
    EXPECT_EQ(query->orderBy, "Desc");
}

// Anything else is read as it stands, never stored through: joins, aggregates, groupings, limits, unions,
// other statements and broken queries.
TEST(SourceQuery, AnyOtherQueryIsNotTakenForAStorableOne) {
    for (const char* text :
         {"", ";", "UPDATE Sets SET Cards = 0", "SELECT *", "SELECT FROM Sets", "SELECT * FROM",
          "SELECT Code, FROM Sets", "SELECT * FROM Sets, Basics",
          "SELECT * FROM Sets JOIN Basics ON Sets.Code = Basics.Code", "SELECT COUNT(*) FROM Basics",
          "SELECT DISTINCT Code FROM Basics", "SELECT Code FROM Basics GROUP BY Code",
          "SELECT * FROM Basics WHERE 1 GROUP BY Code", "SELECT * FROM Basics WHERE Value > 0 HAVING 1",
          "SELECT * FROM Sets ORDER Code", "SELECT * FROM Sets ORDER BY Code LIMIT 5",
          "SELECT * FROM Sets WHERE Code = 'A' UNION SELECT * FROM Sets", "'Sets'", "12"})
        EXPECT_FALSE(parseSourceQuery(text).has_value()) << text;
}

} // namespace
} // namespace pellimo
