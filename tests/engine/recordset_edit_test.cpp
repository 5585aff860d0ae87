#include "engine_fixture.h"

#include <algorithm>
#include <memory>

namespace pellimo {
namespace {

using RecordsetEdit = CatalogueTest;

TEST_F(RecordsetEdit, EditAndUpdateStoresTheRecord) {
    auto rs = open("Sets");
    EXPECT_EQ(rs->EditMode(), dbEditNone);
    rs->Edit();
    EXPECT_EQ(rs->EditMode(), dbEditInProgress);
    rs->Fields("Desc").setValue("Renamed");
    EXPECT_EQ(text(*rs, "Desc"), "Renamed");
    rs->Update();
    EXPECT_EQ(rs->EditMode(), dbEditNone);
    EXPECT_EQ(*rs->LastModified(), rs->Bookmark());
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'A01'").toString(), "Renamed");
}

TEST_F(RecordsetEdit, UpdateOrCancelWithNothingPendingFails) {
    auto rs = open("Sets");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(errorOf([&] { rs->CancelUpdate(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(errorOf([&] { rs->Fields("Desc").setValue("x"); }), err::UpdateWithoutEdit);
}

TEST_F(RecordsetEdit, CancelUpdateDropsTheEdit) {
    auto rs = open("Sets");
    rs->Edit();
    rs->Fields("Desc").setValue("Dropped");
    rs->CancelUpdate();
    EXPECT_EQ(rs->EditMode(), dbEditNone);
    EXPECT_EQ(text(*rs, "Desc"), "First");
}

TEST_F(RecordsetEdit, AdditionReturnsToThePreviousRecordAndStaysReachable) {
    auto rs = open("Sets");
    rs->MoveNext();
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), dbEditAdd);
    EXPECT_TRUE(rs->Fields("Code").value().isNull());
    rs->Fields("Code").setValue("AAA");
    rs->Fields("Desc").setValue("New set");
    rs->Update();
    EXPECT_EQ(text(*rs, "Code"), "b02");
    rs->MoveLast();
    EXPECT_EQ(text(*rs, "Code"), "AAA"); // appended until the next refresh
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->Bookmark(), *rs->LastModified());
}

TEST_F(RecordsetEdit, CancelledAdditionReturnsToThePreviousRecord) {
    auto rs = open("Sets");
    rs->MoveLast();
    rs->AddNew();
    rs->Fields("Code").setValue("ZZ");
    rs->CancelUpdate();
    EXPECT_EQ(text(*rs, "Code"), "c03");
    EXPECT_EQ(rs->RecordCount(), 3);
}

TEST_F(RecordsetEdit, DuplicateKeyFailsWith3022AndKeepsTheAddition) {
    auto rs = open("Basics");
    rs->AddNew();
    rs->Fields("Code").setValue("a01"); // keys compare without regard to case
    rs->Fields("Card_Num").setValue(2);
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::DuplicateKey);
    EXPECT_EQ(rs->EditMode(), dbEditAdd);
    rs->Fields("Card_Num").setValue(4);
    rs->Update();
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE Code = 'A01'").toLongLong(), 4);

    auto sets = open("Sets");
    sets->AddNew();
    sets->Fields("Code").setValue("b02");
    EXPECT_EQ(errorOf([&] { sets->Update(); }), err::DuplicateKey);
}

// The keys of every record, in the record set's order.
std::vector<BookmarkId> keysOf(Recordset& rs) {
    std::vector<BookmarkId> keys;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
        keys.push_back(rs.Bookmark());
    return keys;
}

TEST_F(RecordsetEdit, RequeryAfterItsOwnWritesReadsThoseAloneAndAgreesWithTheQueryRunAnew) {
    const RecordSource cards("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")});
    auto rs = open(cards);
    const BookmarkId one = rs->Bookmark();
    rs->Edit();
    rs->Fields("Card_Num").setValue(9); // now the last card
    rs->Update();
    rs->MoveNext();
    const BookmarkId two = rs->Bookmark();
    rs->Edit();
    rs->Fields("Desc").setValue("Renamed"); // keeps its place
    rs->Update();
    rs->MoveNext();
    rs->Delete(); // card 3
    rs->AddNew();
    rs->Fields("Code").setValue("A01");
    rs->Fields("Card_Num").setValue(0); // now the first card
    rs->Update();
    const BookmarkId zero = *rs->LastModified();
    rs->AddNew();
    rs->Fields("Code").setValue("b02"); // another set's card, which the query does not select
    rs->Fields("Card_Num").setValue(5);
    rs->Update();
    const BookmarkId other = *rs->LastModified();

    const RequeryChanges changes = rs->Requery();
    EXPECT_FALSE(changes.everyRow);
    std::vector<BookmarkId> touched{one, two, zero, other};
    std::sort(touched.begin(), touched.end());
    EXPECT_EQ(changes.touched, touched);
    EXPECT_EQ(changes.placed, (std::vector<std::pair<long, BookmarkId>>{{0, zero}, {1, two}, {2, one}}));
    EXPECT_EQ(rs->Bookmark(), zero); // the first record is current
    EXPECT_EQ(keysOf(*rs), keysOf(*open(cards)));
    EXPECT_EQ(rs->ColumnValues("Desc")[1].second.toString(), "Renamed");

    // What another program writes can have changed any row: every row is read again.
    catalogue.exec("UPDATE Basics SET Card_Num = 10 WHERE Desc = 'Renamed'");
    EXPECT_TRUE(rs->Requery().everyRow);
    EXPECT_EQ(keysOf(*rs), (std::vector<BookmarkId>{zero, one, two}));
    // So can a rollback, which takes back writes the record set made.
    db.BeginTrans();
    rs->MoveFirst();
    rs->Delete();
    db.Rollback();
    EXPECT_TRUE(rs->Requery().everyRow);
    EXPECT_EQ(keysOf(*rs), (std::vector<BookmarkId>{zero, one, two}));

    // A lone write: a row renamed keeps its place, first, between others or last; a row whose sort field
    // changed leaves it, also to the far end.
    const auto requeryAfter = [&](long position, const char* field, const Value& value) {
        rs->MoveFirst();
        for (long at = 0; at < position; ++at)
            rs->MoveNext();
        const BookmarkId written = rs->Bookmark();
        rs->Edit();
        rs->Fields(field).setValue(value);
        rs->Update();
        const RequeryChanges lone = rs->Requery();
        EXPECT_EQ(lone.touched, std::vector<BookmarkId>{written});
        const std::vector<BookmarkId> keys = keysOf(*rs);
        EXPECT_EQ(keys, keysOf(*open(cards))) << field << " of row " << position;
        const long now = static_cast<long>(std::find(keys.begin(), keys.end(), written) - keys.begin());
        return lone.placed == std::vector<std::pair<long, BookmarkId>>{{now, written}} ? now : -1;
    };
    EXPECT_EQ(requeryAfter(0, "Desc", Value("First renamed")), 0);
    EXPECT_EQ(requeryAfter(1, "Desc", Value("Middle renamed")), 1);
    EXPECT_EQ(requeryAfter(2, "Desc", Value("Last renamed")), 2);
    EXPECT_EQ(requeryAfter(0, "Card_Num", Value(20)), 2);
    EXPECT_EQ(requeryAfter(2, "Card_Num", Value(-1)), 0);
    EXPECT_EQ(requeryAfter(1, "Card_Num", Value(30)), 2);
    rs->MoveFirst();
    rs->Edit();
    rs->Fields("Code").setValue("b02"); // no longer selected
    rs->Update();
    const RequeryChanges gone = rs->Requery();
    EXPECT_TRUE(gone.placed.empty());
    EXPECT_EQ(keysOf(*rs), keysOf(*open(cards)));
    EXPECT_EQ(keysOf(*rs).size(), 2U);
}

TEST_F(RecordsetEdit, CardOfAMissingSetIsRefused) {
    auto rs = open("Specials");
    rs->AddNew();
    rs->Fields("Code").setValue("nosuch");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::RelatedRecordRequired);
}

TEST_F(RecordsetEdit, DeleteLeavesNoRecordUntilTheNextMove) {
    auto rs = open("Sets");
    rs->Delete();
    EXPECT_EQ(errorOf([&] { rs->Fields("Code").value(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), err::NoCurrentRecord);
    rs->MoveNext();
    EXPECT_EQ(text(*rs, "Code"), "b02");
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MovePrevious();
    EXPECT_TRUE(rs->BOF());
}

TEST_F(RecordsetEdit, DeletingASetDeletesItsCards) {
    auto rs = open("Sets");
    rs->Delete();
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE Code = 'A01'").toLongLong(), 0);
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Specials WHERE Code = 'A01'").toLongLong(), 0);
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics").toLongLong(), 1);
}

using FieldKinds = CatalogueTest;

TEST_F(FieldKinds, TextLongerThanItsFieldIsRefused) {
    auto rs = open("Sets");
    rs->Edit();
    EXPECT_EQ(errorOf([&] { rs->Fields("Code").setValue("123456789"); }), err::FieldTooSmall);
    rs->Fields("Code").setValue("ÄÖÜäöüßé"); // eight characters, sixteen bytes
    EXPECT_EQ(text(*rs, "Code"), "ÄÖÜäöüßé");
}

TEST_F(FieldKinds, WholeNumbersHoldSixteenBits) {
    auto rs = open("Sets");
    rs->Edit();
    EXPECT_EQ(errorOf([&] { rs->Fields("Cards").setValue(32768); }), err::ConversionError);
    EXPECT_EQ(errorOf([&] { rs->Fields("Cards").setValue("many"); }), err::ConversionError);
    rs->Fields("Cards").setValue(-32768);
    rs->Fields("Cards").setValue("2.5"); // a tie rounds to the even number
    EXPECT_EQ(rs->Fields("Cards").value().asInteger(), 2);
    rs->Fields("Cards").setValue(Money::parse("3.5").value());
    EXPECT_EQ(rs->Fields("Cards").value().asInteger(), 4);
}

TEST_F(FieldKinds, MoneyIsStoredExactly) {
    auto rs = open("Sets");
    rs->Edit();
    rs->Fields("Value").setValue("12.3456");
    rs->Update();
    EXPECT_EQ(catalogue.scalar("SELECT Value FROM Sets WHERE Code = 'A01'").toLongLong(), 123456);
    rs->Edit();
    EXPECT_EQ(errorOf([&] { rs->Fields("Value").setValue("1,5"); }), err::ConversionError);
}

TEST_F(FieldKinds, EmptyTextStoresNull) {
    auto rs = open("Sets");
    rs->Edit();
    rs->Fields("Desc").setValue("");
    rs->Fields("Value").setValue("");
    rs->Update();
    EXPECT_FALSE(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'A01'").isValid());
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Sets WHERE Code = 'A01' AND Value IS NULL").toLongLong(),
              1);
}

Bytes patterned(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
    return bytes;
}

QByteArray asQByteArray(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

Bytes readWhole(BinaryReader& reader, std::size_t capacity) {
    Bytes whole;
    Bytes piece(capacity);
    for (std::size_t count; (count = reader.read(piece.data(), capacity)) > 0;)
        whole.insert(whole.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
    return whole;
}

// A picture goes into its field and comes out of it a piece at a time, in pieces of any size: nothing is
// lost or repeated at the seams, whether it is stored by an edit or by an addition.
TEST_F(FieldKinds, PicturesAreStoredAndReadAPieceAtATime) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")}));
    for (std::size_t size : {BinaryPiece - 1, BinaryPiece, BinaryPiece + 1, 3 * BinaryPiece + 5}) {
        const Bytes picture = patterned(size);
        rs->Edit();
        rs->Fields("Front").setValue(picture);
        rs->Update();
        EXPECT_EQ(
            catalogue.scalar("SELECT Front FROM Basics WHERE Code = 'A01' AND Card_Num = 1").toByteArray(),
            asQByteArray(picture))
            << size;
        EXPECT_EQ(rs->Fields("Front").value().asBytes(), picture) << size;
        for (std::size_t capacity : {BinaryPiece, std::size_t{1000}}) {
            const std::unique_ptr<BinaryReader> reader = rs->Fields("Front").reader();
            EXPECT_EQ(reader->size(), static_cast<std::int64_t>(size));
            EXPECT_EQ(readWhole(*reader, capacity), picture) << size << " in pieces of " << capacity;
        }
    }
    const Bytes added = patterned(2 * BinaryPiece + 3);
    rs->AddNew();
    rs->Fields("Code").setValue("A01");
    rs->Fields("Card_Num").setValue(9);
    rs->Fields("Back").setValue(added);
    rs->Update();
    EXPECT_EQ(catalogue.scalar("SELECT Back FROM Basics WHERE Card_Num = 9").toByteArray(),
              asQByteArray(added));
    // A card another program deleted takes no picture, and the catalogue is left free for others to write.
    catalogue.exec("DELETE FROM Basics WHERE Code = 'A01' AND Card_Num = 1");
    rs->Edit();
    rs->Fields("Front").setValue(added);
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::RecordDeleted);
    EXPECT_NO_THROW(catalogue.exec("UPDATE Sets SET Cards = 5 WHERE Code = 'A01'"));
}

// What a reader gives is what value() gives: Null as no bytes, a pending picture before it is stored; a
// record another program deleted fails alike.
TEST_F(FieldKinds, APictureReadInPiecesIsTheFieldsValue) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")}));
    EXPECT_EQ(rs->Fields("Front").reader()->size(), 0);
    EXPECT_TRUE(readWhole(*rs->Fields("Front").reader(), BinaryPiece).empty());
    const Bytes stored = patterned(BinaryPiece + 1);
    rs->Edit();
    rs->Fields("Front").setValue(stored);
    rs->Update();
    rs->Edit();
    rs->Fields("Front").setValue(Bytes{1, 2, 3});
    EXPECT_EQ(readWhole(*rs->Fields("Front").reader(), BinaryPiece), (Bytes{1, 2, 3}));
    rs->CancelUpdate();
    EXPECT_EQ(readWhole(*rs->Fields("Front").reader(), BinaryPiece), stored);
    catalogue.exec("DELETE FROM Basics WHERE Code = 'A01' AND Card_Num = 1");
    EXPECT_EQ(errorOf([&] { rs->Fields("Front").reader(); }), err::RecordDeleted);
    EXPECT_EQ(errorOf([&] { rs->Fields("Front").value(); }), err::RecordDeleted);
}

TEST_F(FieldKinds, BinaryFieldsKeepBytesAndReportTheirSize) {
    auto rs = open(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {Value("A01")}));
    EXPECT_EQ(rs->Fields("Front").FieldSize(), 0);
    EXPECT_TRUE(rs->Fields("Front").value().isNull());
    Bytes picture{0xFF, 0xD8, 0x00, 0x01, 0x02, 0x00, 0xFF, 0xD9, 0x10};
    rs->Edit();
    rs->Fields("Front").setValue(picture);
    rs->Fields("Back").setValue(""); // a clear: the empty value, not Null
    EXPECT_EQ(rs->Fields("Front").FieldSize(), 9);
    rs->Update();
    EXPECT_EQ(rs->Fields("Front").FieldSize(), 9);
    EXPECT_EQ(rs->Fields("Front").value().asBytes(), picture);
    EXPECT_EQ(rs->Fields("Back").FieldSize(), 0);
    EXPECT_FALSE(rs->Fields("Back").value().isNull());
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE Back IS NOT NULL").toLongLong(), 1);
}

} // namespace
} // namespace pellimo
