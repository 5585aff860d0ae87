#include "bound_sets.h"
#include "data_source.h"
#include "engine_error.h"
#include "skipped_failure_log.h"
#include "temp_catalogue.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace pellimo {
namespace {

// datSets over a catalogue of two sets, with a count of every write to Sets.
class DataSourceRule : public ::testing::Test, protected BoundSets {
protected:
    void SetUp() override {
        catalogue.exec(
            "INSERT INTO Sets VALUES ('A1', 'Alpha', 3, 15000), ('B2', 'Beta', 0, 0);"
            "CREATE TABLE Writes (n INTEGER);"
            "CREATE TRIGGER CountWrites AFTER UPDATE ON Sets BEGIN INSERT INTO Writes VALUES (1); END;");
        openSets(catalogue);
    }

    QString stored(const char* column, const char* code) const {
        return catalogue.scalar(QString("SELECT %1 FROM Sets WHERE Code = '%2'").arg(column, code))
            .toString();
    }
    long long writes() const { return catalogue.scalar("SELECT count(*) FROM Writes").toLongLong(); }

    TempCatalogue catalogue;
};

TEST_F(DataSourceRule, BoxesShowTheCurrentRecord) {
    EXPECT_EQ(txtCode.text(), "A1");
    EXPECT_EQ(txtDesc.text(), "Alpha");
    EXPECT_EQ(txtTot.text(), "3");
    EXPECT_EQ(txtvalue.text(), "1.5");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(txtCode.text(), "B2");
    EXPECT_EQ(txtvalue.text(), "0");
    // A box bound to a field the source lacks stays blank, and the steps trace says why.
    SkippedFailureLog log;
    QLineEdit txtMisspelled;
    datSets.bind(&txtMisspelled, "Descr");
    datSets.Recordset().MovePrevious();
    EXPECT_EQ(txtCode.text(), "A1");
    EXPECT_EQ(txtMisspelled.text(), "");
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].endsWith("failure 3265: The record set has no field named 'Descr'."))
        << log.lines()[0].toStdString();
}

TEST_F(DataSourceRule, EditTypedIntoABoxIsStoredAtAMove) {
    datSets.Recordset().Edit();
    txtDesc.setText("Alpha renamed");
    txtvalue.setText("$1,234.50"); // the program's own currency text
    datSets.Recordset().MoveNext();
    EXPECT_EQ(stored("Desc", "A1"), "Alpha renamed");
    EXPECT_EQ(stored("Value", "A1"), "12345000");
    EXPECT_EQ(txtCode.text(), "B2");
}

TEST_F(DataSourceRule, UnchangedRecordIsNotWritten) {
    datSets.Recordset().Edit();
    datSets.Recordset().MoveNext();
    datSets.Recordset().Edit();
    datSets.Recordset().Update();
    EXPECT_EQ(writes(), 0);
}

TEST_F(DataSourceRule, RefusedStoreKeepsTheRecordAndItsEdit) {
    datSets.Recordset().Edit();
    txtTot.setText("many");
    try {
        datSets.Recordset().MoveNext();
        ADD_FAILURE() << "the move should have been refused";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.number(), err::ConversionError);
    }
    EXPECT_EQ(txtCode.text(), "A1");
    EXPECT_EQ(txtTot.text(), "many");
    EXPECT_EQ(datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(stored("Cards", "A1"), "3");
    txtTot.setText("4");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(stored("Cards", "A1"), "4");
}

TEST_F(DataSourceRule, BoxPutBackAfterARefusedStoreStoresWhatItShows) {
    datSets.Recordset().Edit();
    txtCode.setText("B2"); // another set's code
    EXPECT_THROW(datSets.Recordset().MoveNext(), EngineError);
    txtCode.setText("A1");
    txtDesc.setText("Alpha again");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(stored("Desc", "A1"), "Alpha again");
    EXPECT_EQ(txtCode.text(), "B2");
}

TEST_F(DataSourceRule, EditsAreStoredBeforeRefreshAndClose) {
    datSets.Recordset().Edit();
    txtDesc.setText("Before refresh");
    datSets.Refresh();
    EXPECT_EQ(stored("Desc", "A1"), "Before refresh");
    datSets.Recordset().Edit();
    txtDesc.setText("Before close");
    datSets.Close();
    EXPECT_EQ(stored("Desc", "A1"), "Before close");
}

TEST_F(DataSourceRule, EditsWithoutEditModeAreNotStored) {
    txtDesc.setText("Typed while browsing");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(stored("Desc", "A1"), "Alpha");
}

TEST_F(DataSourceRule, PendingAdditionIsStoredOnlyByUpdate) {
    datSets.Recordset().AddNew();
    EXPECT_EQ(txtCode.text(), "");
    txtCode.setText("C3");
    txtDesc.setText("Gamma");
    datSets.Recordset().MoveFirst();
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Sets").toLongLong(), 2);

    datSets.Recordset().AddNew();
    txtCode.setText("C3");
    txtDesc.setText("Gamma");
    txtTot.setText("");
    datSets.Recordset().Update();
    EXPECT_EQ(stored("Desc", "C3"), "Gamma");
    EXPECT_FALSE(catalogue.scalar("SELECT Cards FROM Sets WHERE Code = 'C3'").isValid());
    EXPECT_EQ(txtCode.text(), "A1"); // back on the record current before AddNew
}

TEST_F(DataSourceRule, DeletedRecordLeavesTheBoxesEmpty) {
    datSets.Recordset().Delete();
    EXPECT_EQ(txtCode.text(), "");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(txtCode.text(), "B2");
}

TEST_F(DataSourceRule, StoreOfValuesTheRecordHoldsWritesNothing) {
    // The program's own forms of the values read: money in currency form, the count as typed.
    datSets.Recordset().Edit();
    txtvalue.setText("$1.50");
    txtTot.setText("3.0");
    txtDesc.setText("Alpha");
    datSets.Recordset().Update();
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(datSets.Recordset().EditMode(), dbEditNone);
    // A move after the store finds nothing edited either.
    datSets.Recordset().Edit();
    txtvalue.setText("$1.50");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(txtCode.text(), "B2");
}

TEST_F(DataSourceRule, StoreWritesTheChangedValueOnly) {
    datSets.Recordset().Edit();
    txtvalue.setText("$1.75");
    txtDesc.setText("ALPHA"); // letter case is a change
    datSets.Recordset().Update();
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(stored("Value", "A1"), "17500");
    EXPECT_EQ(stored("Desc", "A1"), "ALPHA");
    EXPECT_EQ(stored("Cards", "A1"), "3");
}

TEST_F(DataSourceRule, ListenersHearOfWritesDeletesAndRefreshes) {
    std::vector<BookmarkId> written, removed;
    int refreshes = 0;
    QObject::connect(&datSets, &DataSource::recordWritten, [&](BookmarkId key) { written.push_back(key); });
    QObject::connect(&datSets, &DataSource::recordRemoved, [&](BookmarkId key) { removed.push_back(key); });
    QObject::connect(&datSets, &DataSource::refreshed, [&] { ++refreshes; });
    const BookmarkId alpha = datSets.Recordset().Bookmark();
    datSets.Recordset().Edit();
    datSets.Recordset().Update(); // nothing changed: no one hears of it
    EXPECT_TRUE(written.empty());
    datSets.Recordset().Edit();
    txtDesc.setText("Changed");
    datSets.Recordset().Update();
    EXPECT_EQ(written, std::vector<BookmarkId>{alpha});
    datSets.Recordset().AddNew();
    txtCode.setText("C3");
    datSets.Recordset().Update();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1], datSets.Recordset().LastModified());
    datSets.Recordset().Delete();
    EXPECT_EQ(removed, std::vector<BookmarkId>{alpha});
    EXPECT_EQ(refreshes, 0);
    datSets.Refresh();
    EXPECT_EQ(refreshes, 1);
}

} // namespace
} // namespace pellimo
