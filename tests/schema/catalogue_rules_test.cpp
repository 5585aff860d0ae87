#include "temp_catalogue.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace pellimo {
namespace {

class CatalogueRules : public ::testing::Test {
protected:
    CatalogueRules() {
        catalogue.exec("INSERT INTO Sets (Code, Desc) VALUES ('TOPPS91', 'Topps 1991');"
                       "INSERT INTO Basics (Code, Card_Num, Desc) VALUES ('TOPPS91', 1, 'Ace');"
                       "INSERT INTO Specials (Code, Type, Desc) VALUES ('TOPPS91', 'Foil', 'Gold');");
    }
    TempCatalogue catalogue;
};

TEST_F(CatalogueRules, DeletingASetDeletesItsCards) {
    catalogue.exec("DELETE FROM Sets WHERE Code = 'topps91'");
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics"), 0);
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM SpecialCards"), 0);
}

TEST_F(CatalogueRules, RefusesCardsOfNoSetAndKeysThatDifferOnlyInCase) {
    EXPECT_THROW(catalogue.exec("INSERT INTO Basics (Code, Card_Num) VALUES ('NONE', 1)"),
                 std::runtime_error);
    EXPECT_THROW(catalogue.exec("INSERT INTO Sets (Code) VALUES ('Topps91')"), std::runtime_error);
    EXPECT_THROW(catalogue.exec("INSERT INTO Basics (Code, Card_Num) VALUES ('topps91', 1)"),
                 std::runtime_error);
    catalogue.exec("INSERT INTO Basics (Code, Card_Num) VALUES ('TOPPS91', 2)");
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics"), 2);
}

TEST_F(CatalogueRules, ScalarGivesEachKindOfValue) {
    catalogue.exec("UPDATE Basics SET Value = 12500, Front = x'00ff10' WHERE Card_Num = 1");
    EXPECT_EQ(catalogue.scalar("SELECT Value FROM Basics"), 12500);
    EXPECT_EQ(catalogue.scalar("SELECT Front FROM Basics"), QByteArray("\x00\xff\x10", 3));
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets"), QString("Topps 1991"));
    EXPECT_FALSE(catalogue.scalar("SELECT Back FROM Basics").isValid());
    EXPECT_FALSE(catalogue.scalar("SELECT Code FROM Sets WHERE Code = 'X'").isValid());
}

} // namespace
} // namespace pellimo
