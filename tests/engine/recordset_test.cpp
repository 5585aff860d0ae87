#include "engine_fixture.h"

#include <span>
#include <string>
#include <vector>

namespace pellimo {
namespace {

using RecordsetMoves = CatalogueTest;

TEST_F(RecordsetMoves, TableNamePresentsSetsByCodeWithoutRegardToCase) {
    auto rs = open("Sets");
    EXPECT_EQ(text(*rs, "Code"), "A01");
    rs->MoveNext();
    EXPECT_EQ(text(*rs, "Code"), "b02");
    rs->MoveNext();
    EXPECT_EQ(text(*rs, "Code"), "c03");
    EXPECT_EQ(rs->RecordCount(), 3);
}

TEST_F(RecordsetMoves, ColumnReadFirstBringsTheRecordsInTheirOrder) {
    auto rs = open("Sets");
    const auto names = rs->ColumnValues("Desc");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].second.toString(), "First");
    EXPECT_EQ(text(*rs, "Code"), "A01"); // the first record is current, as after any first read
    for (const auto& [bookmark, name] : names) {
        EXPECT_EQ(rs->Bookmark(), bookmark);
        EXPECT_EQ(text(*rs, "Desc"), name.toString());
        rs->MoveNext();
    }
    EXPECT_TRUE(rs->EOF_());
}

TEST_F(RecordsetMoves, MovingPastEitherEndSetsBofOrEof) {
    auto rs = open("Sets");
    EXPECT_FALSE(rs->BOF());
    rs->MovePrevious();
    EXPECT_TRUE(rs->BOF());
    EXPECT_EQ(errorOf([&] { rs->MovePrevious(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->Fields("Code").value(); }), err::NoCurrentRecord);
    rs->MoveLast();
    EXPECT_FALSE(rs->EOF_());
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF_());
    EXPECT_EQ(errorOf([&] { rs->MoveNext(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), err::NoCurrentRecord);
    rs->MoveLast();
    EXPECT_EQ(text(*rs, "Code"), "c03");
}

TEST_F(RecordsetMoves, EmptyRecordSetFailsFirstAndLastWith3021) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("none")}));
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->EOF_());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(errorOf([&] { rs->MoveFirst(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->MoveLast(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->EachRecord([](std::span<const Value>) {}); }), err::NoCurrentRecord);
}

// A table's rows and a snapshot's are walked alike: every one in the record set's order, and the record set
// is then past its end.
TEST_F(RecordsetMoves, EachRecordWalksEveryRowInOrderAndEndsPastTheLast) {
    const RecordSource cards("SELECT Card_Num,Desc FROM Basics WHERE Code = ? ORDER BY Card_Num DESC",
                             {Value("A01")});
    for (RecordsetType type : {RecordsetType::Dynaset, RecordsetType::Snapshot}) {
        auto rs = db.OpenRecordset(cards, type);
        rs->MoveNext();
        std::vector<std::string> walked;
        rs->EachRecord([&](std::span<const Value> row) {
            ASSERT_EQ(row.size(), 2u);
            walked.push_back(row[0].toString() + " " + row[1].toString());
        });
        EXPECT_EQ(walked, (std::vector<std::string>{"3 Card 3", "2 Card 2", "1 Card 1"}));
        EXPECT_TRUE(rs->EOF_());
        EXPECT_EQ(errorOf([&] { rs->Fields("Desc").value(); }), err::NoCurrentRecord);
    }
}

TEST_F(RecordsetMoves, BookmarksReturnToTheirRecord) {
    auto rs = open("Sets");
    rs->MoveLast();
    BookmarkId last = rs->Bookmark();
    rs->MoveFirst();
    rs->SetBookmark(last);
    EXPECT_EQ(text(*rs, "Code"), "c03");
    EXPECT_EQ(errorOf([&] { rs->SetBookmark(987654); }), err::RecordDeleted);
}

TEST_F(RecordsetMoves, QueryWithBoundParameterAndOrder) {
    auto rs = open(RecordSource("SELECT Code, Card_Num, Section, Desc, Value, Front, Back FROM Basics "
                                "WHERE code =? ORDER BY Code, Card_Num",
                                {Value("a01")}));
    EXPECT_EQ(rs->FieldCount(), 7);
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->MoveLast();
    EXPECT_EQ(text(*rs, "Desc"), "Card 3");
    EXPECT_TRUE(rs->Fields("value").value().isNull());
    EXPECT_EQ(rs->Fields(1).value().asInteger(), 3);
    EXPECT_EQ(rs->Fields(1).Name(), "Card_Num");
    EXPECT_EQ(errorOf([&] { rs->Fields(7); }), err::ItemNotFound);
    EXPECT_EQ(errorOf([&] { rs->Fields("Nope"); }), err::ItemNotFound);
}

TEST_F(RecordsetMoves, ReportQueryColumnsByPosition) {
    auto rs = open(
        RecordSource("SELECT Type,Card_Num,Desc,Value FROM Specials WHERE Code = ? ORDER BY Type,Card_Num",
                     {Value("A01")}));
    EXPECT_EQ(rs->FieldCount(), 4);
    EXPECT_EQ(rs->Fields(0).value().toString(), "Foil");
    EXPECT_EQ(rs->Fields(3).value().asMoney().toPlainString(), "0.5");
}

TEST_F(RecordsetMoves, ViewOfSpecialCardsIsReadable) {
    auto rs = open("SpecialCards");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(text(*rs, "Desc"), "Shiny");
}

TEST_F(RecordsetMoves, AggregateQueryIsReadOnly) {
    auto rs = open(RecordSource("SELECT sum(value) as BasTot FROM Basics where Code=?", {Value("A01")}));
    EXPECT_EQ(rs->Fields(0).value().asInteger(), 40000);
    EXPECT_EQ(rs->Fields("bastot").Name(), "BasTot");
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), err::ReadOnly);
    EXPECT_EQ(errorOf([&] { rs->AddNew(); }), err::ReadOnly);
}

TEST_F(RecordsetMoves, SnapshotReadsTheRowsWithTheirKindsAndCannotChange) {
    auto rs = db.OpenRecordset(
        RecordSource("SELECT Card_Num,Section,Desc,Value FROM Basics WHERE Code = ? ORDER BY Card_Num",
                     {Value("A01")}),
        RecordsetType::Snapshot);
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->Fields(3).value().asMoney().toPlainString(), "1.5");
    EXPECT_TRUE(rs->Fields(1).value().isNull());
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(0).value().asInteger(), 3);
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), err::ReadOnly);
    // Each row keeps its own values, whichever way it is reached.
    rs->MovePrevious();
    EXPECT_EQ(rs->Fields(2).value().asText(), "Card 2");
    EXPECT_EQ(rs->Fields(3).value().asMoney().toPlainString(), "2.5");
    EXPECT_EQ(rs->Fields(0).FieldSize(), 1);
    EXPECT_EQ(rs->Fields(2).FieldSize(), 6);
    rs->FindFirst(Criterion::like("Desc", "*3"));
    EXPECT_TRUE(rs->Fields(3).value().isNull());
    const auto values = rs->ColumnValues("Desc");
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1].second.asText(), "Card 2");
}

using RecordsetFind = CatalogueTest;

TEST_F(RecordsetFind, FindsTheFirstMatchInTheRecordSetsOrder) {
    auto rs = open("Sets");
    rs->FindFirst(Criterion::like("Code", "*0*"));
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_EQ(text(*rs, "Code"), "A01");
    rs->FindFirst(Criterion::like("Desc", "*IRD"));
    EXPECT_EQ(text(*rs, "Code"), "c03");
}

TEST_F(RecordsetFind, NoMatchLeavesThePosition) {
    auto rs = open("Sets");
    rs->MoveNext();
    rs->FindFirst(Criterion::like("Code", "*zz*"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(text(*rs, "Code"), "b02");
}

TEST_F(RecordsetFind, LiteralCriterionTreatsPatternCharactersAsText) {
    catalogue.exec("INSERT INTO Sets VALUES ('d04', 'Star*', 0, 0), ('e05', 'Quote \"''', 0, 0)");
    auto rs = open("Sets");
    rs->FindFirst(Criterion::equals("Desc", "STAR*"));
    EXPECT_EQ(text(*rs, "Code"), "d04");
    rs->FindFirst(Criterion::equals("Desc", "Quote \"'"));
    EXPECT_EQ(text(*rs, "Code"), "e05");
    rs->FindFirst(Criterion::equals("Desc", "Star"));
    EXPECT_TRUE(rs->NoMatch());
}

TEST_F(RecordsetFind, KeyEqualityFindsTheSetWhateverTheCaseOfItsLetters) {
    catalogue.exec("INSERT INTO Sets VALUES ('ÉTÉ', 'Summer', 0, 0)");
    auto rs = open("Sets");
    rs->FindFirst(Criterion::equals("Code", "C03"));
    EXPECT_EQ(text(*rs, "Desc"), "Third");
    rs->FindFirst(Criterion::equals("Code", "été"));
    EXPECT_EQ(text(*rs, "Desc"), "Summer");
    rs->FindFirst(Criterion::equals("Code", "C0"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(text(*rs, "Desc"), "Summer");
}

TEST_F(RecordsetFind, EqualityWithinAQueryFindsTheFirstMatchInItsOrder) {
    auto rs = open(
        RecordSource("SELECT * FROM Basics WHERE Card_Num < ? ORDER BY Card_Num DESC, Code", {Value(3)}));
    rs->FindFirst(Criterion::equals("Code", "B02"));
    EXPECT_EQ(text(*rs, "Desc"), "Other");
    rs->FindFirst(Criterion::equals("Code", "a01"));
    EXPECT_EQ(text(*rs, "Desc"), "Card 2");
    rs->FindFirst(Criterion::equals("Code", "c03"));
    EXPECT_TRUE(rs->NoMatch());
}

TEST_F(RecordsetFind, NumberFieldsMatchByTheirDigits) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")}));
    rs->FindFirst(Criterion::like("Card_Num", "3"));
    EXPECT_EQ(text(*rs, "Desc"), "Card 3");
}

TEST_F(RecordsetFind, MalformedPatternFailsAndKeepsThePosition) {
    auto rs = open("Sets");
    rs->MoveLast();
    EXPECT_EQ(errorOf([&] { rs->FindFirst(Criterion::like("Desc", "[abc")); }), err::InvalidCriterion);
    EXPECT_EQ(text(*rs, "Code"), "c03");
    EXPECT_EQ(errorOf([&] { rs->FindFirst(Criterion::like("Nope", "a")); }), err::ItemNotFound);
}

TEST_F(RecordsetFind, FindsRowsAddedSinceTheQueryRan) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")}));
    rs->AddNew();
    rs->Fields("Code").setValue("b02");
    rs->Fields("Card_Num").setValue(9);
    rs->Fields("Desc").setValue("Late");
    rs->Update();
    rs->FindFirst(Criterion::equals("Desc", "late"));
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("Card_Num").value().asInteger(), 9);
    auto values = rs->ColumnValues("Desc");
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values.back().second.toString(), "Late");
    EXPECT_EQ(values.back().first, *rs->LastModified());
}

} // namespace
} // namespace pellimo
