#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QSignalSpy>
#include <utility>

namespace pellimo {
namespace {

// The toolbar catalogue with each set stored with the totals of its cards, and every write to a set or a
// basic card counted.
class BrowsingTest : public ToolbarPagesTest {
protected:
    void SetUp() override {
        ToolbarPagesTest::SetUp();
        catalogue.exec(
            "UPDATE Sets SET Cards = 4, Value = 110000 WHERE Code = 'S1';"
            "UPDATE Sets SET Cards = 1, Value = 40000 WHERE Code = 'S2';"
            "CREATE TABLE Writes (n INTEGER);"
            "CREATE TRIGGER SetWrites AFTER UPDATE ON Sets BEGIN INSERT INTO Writes VALUES (1); END;"
            "CREATE TRIGGER CardWrites AFTER UPDATE ON Basics BEGIN INSERT INTO Writes VALUES (2);"
            " END;");
    }

    qlonglong writes(int table) const {
        return count(QString("SELECT count(*) FROM Writes WHERE n = %1").arg(table));
    }
};

TEST_F(BrowsingTest, MovesOverUnchangedSetsWriteNothing) {
    start();
    QSignalSpy resets(control<QComboBox>(*window, "DBCombo1").model(), &QAbstractItemModel::modelReset);
    for (const char* key : {"Next", "Next", "Prev", "Last", "First"})
        press(key);
    EXPECT_EQ(textBox("txtvalue").text(), "$11.00");
    EXPECT_EQ(writes(1), 0);
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(BrowsingTest, MovesOverUnchangedCardsWriteNothingAndAnEditWritesOnlyItsCard) {
    start();
    selectTab(BasicsPage);
    QSignalSpy resets(control<QComboBox>(*window, "DBCombo2").model(), &QAbstractItemModel::modelReset);
    for (const char* key : {"Next", "Next", "Prev", "First"})
        press(key);
    EXPECT_EQ(textBox("txtBasValue").text(), "$1.00");
    EXPECT_EQ(writes(2), 0);

    QTest::keyClicks(&textBox("txtBasSect"), "Rare");
    press("Next");
    EXPECT_EQ(writes(2), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Basics WHERE Section = 'Rare' AND Card_Num = 1"), 1);
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(BrowsingTest, RecountedSetIsWrittenOnceAndThenLeftAlone) {
    catalogue.exec("UPDATE Sets SET Cards = 0, Value = 0 WHERE Code = 'S1'");
    const qlonglong before = writes(1);
    start(); // shows the value of S1's cards, which its record does not hold yet
    press("Next");
    EXPECT_EQ(writes(1) - before, 1);
    EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'S1'"), 110000);
    press("Prev"); // the card count shows now, and is stored when S1 is left
    press("Next");
    EXPECT_EQ(writes(1) - before, 2);
    EXPECT_EQ(count("SELECT Cards FROM Sets WHERE Code = 'S1'"), 4);
    press("Prev");
    press("Next");
    EXPECT_EQ(writes(1) - before, 2);
}

TEST_F(BrowsingTest, SaveOfANewSetReadsTheSetsOnce) {
    start();
    press("New");
    // Each box's text is replaced, as the user selects it and types over it.
    for (auto [box, text] : {std::pair{&textBox("txtCode"), "S0"},
                             {&textBox("txtDesc"), "New Set"},
                             {&textBox("txtTot"), "3"},
                             {&textBox("txtvalue"), "2.5"}}) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    QSignalSpy refreshes(&window->datSets, &DataSource::refreshed);
    press("Save");
    EXPECT_EQ(refreshes.count(), 1);
    EXPECT_EQ(textBox("txtCode").text(), "S0");
    EXPECT_EQ(control<QComboBox>(*window, "DBCombo1").count(), 4);
    EXPECT_EQ(control<QComboBox>(*window, "DBCombo1").itemText(0), "New Set");
    EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'S0'"), 75000);
    EXPECT_EQ(window->datSets.Recordset().EditMode(), dbEditInProgress);
}

} // namespace
} // namespace pellimo
