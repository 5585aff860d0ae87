#include "bound_sets.h"
#include "data_source.h"
#include "fast_find_box.h"
#include "temp_catalogue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

// A Fast Find box following datSets over three sets, with the boxes of the Sets page bound.
class FastFindFollowTest : public ::testing::Test, protected BoundSets {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('A1', 'Alpha', 3, 15000), ('B2', 'Beta', 0, 0),"
                       " ('C3', 'Gamma', 0, 0)");
        box.setEditable(true);
        makeFastFindBox(box, [] {});
        followDataSource(box, datSets);
        openSets(catalogue);
    }

    QStringList entries() const {
        QStringList texts;
        for (int row = 0; row < box.count(); ++row)
            texts << box.itemText(row);
        return texts;
    }

    BookmarkId bookmarkOf(int row) {
        box.setCurrentIndex(row);
        return selectedBookmark(box);
    }

    TempCatalogue catalogue;
    QComboBox box;
};

TEST_F(FastFindFollowTest, StoreOfANewDescriptionChangesItsEntryInPlace) {
    QSignalSpy resets(box.model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(box.model(), &QAbstractItemModel::dataChanged);
    datSets.Recordset().MoveNext();
    const BookmarkId beta = datSets.Recordset().Bookmark();
    datSets.Recordset().Edit();
    txtDesc.setText("Beta renamed");
    box.setEditText("typed");
    datSets.Recordset().Update();
    EXPECT_EQ(entries(), QStringList({"Alpha", "Beta renamed", "Gamma"}));
    EXPECT_EQ(box.currentText(), "typed");
    EXPECT_EQ(bookmarkOf(1), beta);
    EXPECT_EQ(resets.count(), 0);
    // The open list and a screen reader learn of the new text through the model, for that entry alone.
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<QModelIndex>().row(), 1);
    EXPECT_EQ(changes.at(0).at(1).value<QModelIndex>().row(), 1);

    // The refresh that finds the renamed set again leaves it in its place: no entry leaves or joins the
    // list, and the text it shows already is not announced again.
    QSignalSpy removals(box.model(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy insertions(box.model(), &QAbstractItemModel::rowsInserted);
    box.setEditText("typed");
    datSets.Refresh();
    EXPECT_EQ(entries(), QStringList({"Alpha", "Beta renamed", "Gamma"}));
    EXPECT_EQ(box.currentText(), "typed");
    EXPECT_EQ(removals.count(), 0);
    EXPECT_EQ(insertions.count(), 0);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(bookmarkOf(1), beta);
}

TEST_F(FastFindFollowTest, StoreThatWritesNothingTouchesNothing) {
    QSignalSpy resets(box.model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(box.model(), &QAbstractItemModel::dataChanged);
    datSets.Recordset().Edit();
    txtvalue.setText("$1.50");
    datSets.Recordset().Update();
    datSets.Recordset().Edit();
    txtTot.setText("3");
    datSets.Recordset().MoveNext();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(entries(), QStringList({"Alpha", "Beta", "Gamma"}));
}

TEST_F(FastFindFollowTest, AdditionJoinsTheEndAndDeleteRemovesExactlyItsEntry) {
    datSets.Recordset().AddNew();
    txtCode.setText("0Z");
    txtDesc.setText("Zero");
    datSets.Recordset().Update();
    const BookmarkId zero = *datSets.Recordset().LastModified();
    // Added records follow the others until the next refresh, in the list as in the data source.
    EXPECT_EQ(entries(), QStringList({"Alpha", "Beta", "Gamma", "Zero"}));
    EXPECT_EQ(bookmarkOf(3), zero);

    datSets.Recordset().MoveNext();
    const BookmarkId gamma = bookmarkOf(2);
    datSets.Recordset().Delete();
    EXPECT_EQ(entries(), QStringList({"Alpha", "Gamma", "Zero"}));
    EXPECT_EQ(bookmarkOf(1), gamma);
    EXPECT_EQ(bookmarkOf(2), zero);
}

TEST_F(FastFindFollowTest, RefreshReadsTheListAgainInTheSourcesOrder) {
    datSets.Recordset().AddNew();
    txtCode.setText("0Z");
    txtDesc.setText("Zero");
    datSets.Recordset().Update();
    const BookmarkId zero = *datSets.Recordset().LastModified();
    datSets.Recordset().MoveNext();
    datSets.Recordset().Edit();
    txtDesc.setText("Beta renamed");
    datSets.Recordset().Update();
    // Only this data source wrote: the entries of its rows alone move or change, to where the query puts
    // them.
    QSignalSpy resets(box.model(), &QAbstractItemModel::modelReset);
    box.setEditText("typed");
    datSets.Refresh();
    EXPECT_EQ(entries(), QStringList({"Zero", "Alpha", "Beta renamed", "Gamma"}));
    EXPECT_EQ(bookmarkOf(0), zero);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(txtCode.text(), "0Z");

    box.setEditText("typed");
    catalogue.exec("UPDATE Sets SET Desc = 'Written elsewhere' WHERE Code = 'C3'");
    datSets.Refresh();
    EXPECT_EQ(entries(), QStringList({"Zero", "Alpha", "Beta renamed", "Written elsewhere"}));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(box.currentText(), "typed");
}

} // namespace
} // namespace pellimo
