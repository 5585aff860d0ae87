#include "data_source.h"
#include "set_totals.h"
#include "temp_catalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

class SetTotalsTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.exec(
            "INSERT INTO Sets VALUES ('A1', 'Alpha', 0, 0), ('O''K', 'Quoted', 0, 0), ('E', 'Empty', 0, 0);"
            "INSERT INTO Basics (Code, Card_Num, Value) VALUES ('A1', 1, 1000), ('A1', 2, 1000),"
            " ('A1', 3, NULL), ('O''K', 1, 25000);"
            "INSERT INTO Specials (Code, Card_Num, Value) VALUES ('A1', 1, 5000), ('A1', NULL, NULL),"
            " ('O''K', 1, 7500);");
    }
    TempCatalogue catalogue;
    SetTotals totals{catalogue.folder().toStdString()};
};

TEST_F(SetTotalsTest, SumsAndCountsValuesOfEachKind) {
    EXPECT_EQ(totals.Basvalue("A1").toPlainString(), "0.2");
    EXPECT_EQ(totals.Specvalue("A1").toPlainString(), "0.5");
    // Cards with an empty value are neither summed nor counted.
    EXPECT_EQ(totals.Bascount("A1"), 2);
    EXPECT_EQ(totals.Speccount("A1"), 1);
    EXPECT_EQ(totals.Basvalue("a1").toPlainString(), "0.2"); // codes compare without regard to case
}

TEST_F(SetTotalsTest, SetWithoutCardsTotalsZero) {
    EXPECT_EQ(totals.Basvalue("E"), Money());
    EXPECT_EQ(totals.Specvalue("E"), Money());
    EXPECT_EQ(totals.Bascount("E"), 0);
    EXPECT_EQ(totals.Speccount("E"), 0);
    EXPECT_EQ(totals.Basvalue(""), Money());
}

TEST_F(SetTotalsTest, CodeWithAnApostropheGetsItsTrueTotals) {
    EXPECT_EQ(totals.Basvalue("O'K").toPlainString(), "2.5");
    EXPECT_EQ(totals.Speccount("O'K"), 1);
    EXPECT_EQ(totals.Bascount("' OR 1=1 --"), 0);
}

TEST_F(SetTotalsTest, SumOfTenthsIsExact) {
    for (int n = 10; n < 20; ++n)
        catalogue.exec(QString("INSERT INTO Basics (Code, Card_Num, Value) VALUES ('E', %1, 1000)").arg(n));
    EXPECT_EQ(totals.Basvalue("E").toPlainString(), "1");
}

TEST_F(SetTotalsTest, SeeACardStoredAMomentBeforeThroughADataSource) {
    EXPECT_EQ(totals.Bascount("E"), 0); // the totals' connection is open from here on
    DataSource datBasics("datBasics");
    datBasics.setDatabaseName(catalogue.dbPath().toStdString());
    datBasics.setRecordSource(RecordSource("Basics"));
    datBasics.Refresh();
    Recordset& cards = datBasics.Recordset();
    cards.AddNew();
    cards.Fields("Code").setValue(Value("E"));
    cards.Fields("Card_Num").setValue(Value(1));
    cards.Fields("Value").setValue(Value(Money::fromTenThousandths(12500)));
    cards.Update();
    EXPECT_EQ(totals.Bascount("E"), 1);
    cards.SetBookmark(*cards.LastModified());
    cards.Edit();
    cards.Fields("Value").setValue(Value(Money::fromTenThousandths(30000)));
    cards.Update(); // a total's read must not keep the store waiting
    EXPECT_EQ(totals.Basvalue("E").toPlainString(), "3");
}

TEST_F(SetTotalsTest, MissingFileTotalsZero) {
    SetTotals elsewhere((catalogue.folder() + "/nowhere").toStdString());
    EXPECT_EQ(elsewhere.Basvalue("A1"), Money());
    EXPECT_EQ(elsewhere.Bascount("A1"), 0);
    EXPECT_FALSE(QFile::exists(catalogue.folder() + "/nowhere/pellimo.mdb"));
}

TEST_F(SetTotalsTest, FileThatAppearsLaterIsReadAtTheNextTotal) {
    QTemporaryDir later;
    SetTotals totalsLater(later.path().toStdString());
    EXPECT_EQ(totalsLater.Bascount("A1"), 0);
    ASSERT_TRUE(QFile::copy(catalogue.dbPath(), later.filePath("Pellimo.mdb")));
    EXPECT_EQ(totalsLater.Bascount("A1"), 2);
    EXPECT_EQ(totalsLater.Specvalue("A1").toPlainString(), "0.5");
}

} // namespace
} // namespace pellimo
