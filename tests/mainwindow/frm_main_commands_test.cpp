#include "records_fixture.h"
#include "window_control.h"

#include <QLabel>

namespace pellimo {
namespace {

using FindTest = RecordsTest;
using CancelTest = RecordsTest;
using SaveTest = RecordsTest;

TEST_F(FindTest, SetsPageFindsByPartOfTheCodeAndKeepsTheSetShownOtherwise) {
    catalogue.exec("INSERT INTO Sets (Code, Desc) VALUES ('X01', 'Ex'), ('Y01', 'Why')");
    FrmMain& w = start();
    dialogs.inputAnswers = {"01", "zz", ""};
    press("Find");
    EXPECT_EQ(textBox("txtCode").text(), "X01");
    press("Find");
    EXPECT_EQ(textBox("txtCode").text(), "X01");
    press("Find");
    EXPECT_EQ(shown(), QStringList({"Set Found|64|Find Set", "Set Not Found|16|Find Error"}));
    EXPECT_EQ(dialogs.calls.front().text, "Enter the set ID you wish to find");
    EXPECT_EQ(dialogs.calls.front().title, "Find Set");
    EXPECT_EQ(w.pageState().OldDesc, "First Set");
}

TEST_F(FindTest, CardPageSearchesTheSetShownAndAlwaysTakesTheCardShown) {
    storeFront("Basics", "Card_Num = 1");
    catalogue.exec("UPDATE Basics SET Desc = 'The \"Best\"' WHERE Card_Num = 1");
    FrmMain& w = showCardPage(BasicsPage, "S1", 2);
    choosePicture(PictureSide::Front, pictureFile("front.png", Qt::blue));
    dialogs.calls.clear();
    dialogs.inputAnswers = {"Delta", "\"best\""};
    press("Find");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_EQ(w.pageState().OldDesc, "Beta");
    EXPECT_EQ(pending()[1], "") << "a picture no longer shown is not saved";
    press("Find");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
    EXPECT_EQ(w.pageState().OldDesc, "The \"Best\"");
    EXPECT_FALSE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    EXPECT_EQ(shown(), QStringList({"Card Not Found|16|Find Error", "Card Found|64|Find Card"}));
    EXPECT_EQ(dialogs.calls.front().text, "Enter the card description you wish to find");
}

TEST_F(FindTest, MalformedPatternFindsNothing) {
    showCardPage(SpecialsPage);
    dialogs.inputAnswers = {"Shiny", "[a"};
    press("Find");
    press("Find");
    EXPECT_EQ(shown(), QStringList({"Card Found|64|Find Card", "Card Not Found|16|Find Error"}));
}

TEST_F(CancelTest, CancelAfterNewOnTheBasicsPageTakesBackTheCardNumber) {
    storeFront("Basics", "Card_Num = 1");
    FrmMain& w = showCardPage(BasicsPage);
    ASSERT_EQ(w.pageState().BasRecCount, 3);
    press("New");
    ASSERT_EQ(w.pageState().BasRecCount, 4);
    choosePicture(PictureSide::Back, pictureFile("back.png", Qt::blue));
    // Cancel's own button is left as it was, even when it was off.
    w.Buttons(CancelButton).setEnabled(false);
    w.Toolbar1_ButtonClick(w.Buttons(CancelButton));
    EXPECT_EQ(w.pageState().BasRecCount, 3);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha");
    EXPECT_EQ(textBox("txtBasValue").text(), "$1.00")
        << "the toolbar's tail shows the value in currency form";
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_FALSE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    EXPECT_EQ(pending()[2], "");
    expectToolbarAfterAddMode(w);
    EXPECT_FALSE(w.Buttons(CancelButton).isEnabled());
}

TEST_F(CancelTest, CancelAfterNewOnTheSetsPageLocksTheCodeAgain) {
    FrmMain& w = start();
    press("Next");
    press("New");
    retype(&textBox("txtCode"), "NEW");
    press("Cancel");
    EXPECT_EQ(textBox("txtCode").text(), "S2");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_TRUE(textBox("txtCode").isReadOnly());
    EXPECT_EQ(control<QLabel>(w, "lblSetVal").text(), "Total Value");
    EXPECT_EQ(w.focusWidget(), &textBox("txtDesc"));
    expectToolbarAfterAddMode(w);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Sets"), 3);

    // Nothing pending: the cancel is passed over and the set shown is edited.
    w.datSets.Recordset().CancelUpdate();
    press("Cancel");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
}

class SaveSetTest : public RecordsTest {
protected:
    FrmMain& typeNewSet(const QString& code, const QString& name, const QString& cards,
                        const QString& value) {
        FrmMain& w = start();
        keyInNewSet(code, name, cards, value);
        return w;
    }
};

TEST_F(SaveSetTest, NewSetGetsItsBasicCardsAndTheirTotalValue) {
    FrmMain& w = typeNewSet("NEW", "Bob's *", "10", "2.50");
    press("Save");
    EXPECT_EQ(shown(),
              QStringList({"Set record has been added\r\n10 Basic Cards records has been created.|0|Set "
                           "Added"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'NEW' AND Value = 25000"), 10);
    EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'NEW'"), 250000);
    EXPECT_EQ(count("SELECT Cards FROM Sets WHERE Code = 'NEW'"), 10);
    EXPECT_DOUBLE_EQ(w.pageState().NewSetValue, 25);
    EXPECT_EQ(w.pageState().FindCrit, "Desc like 'Bob's *'");
    EXPECT_EQ(textBox("txtCode").text(), "NEW");
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_TRUE(textBox("txtCode").isReadOnly());
    EXPECT_EQ(control<QLabel>(w, "lblSetVal").text(), "Total Value");
    expectToolbarAfterAddMode(w);
}

TEST_F(SaveSetTest, ACardThatFailsKeepsNeitherTheSetNorItsCardsAndTheSetStaysTyped) {
    catalogue.exec("CREATE TRIGGER NoThirdCard BEFORE INSERT ON Basics WHEN NEW.Card_Num = 3"
                   " BEGIN SELECT RAISE(ABORT, 'no third card'); END");
    FrmMain& w = typeNewSet("NEW", "New Set", "5", "1");
    press("Save");
    EXPECT_EQ(shown(), QStringList({"no third card|0|Pellimo"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Sets WHERE Code = 'NEW'"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'NEW'"), 0);
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtCode").text(), "NEW");
    EXPECT_EQ(textBox("txtDesc").text(), "New Set");
    EXPECT_EQ(textBox("txtTot").text(), "5");
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());

    catalogue.exec("DROP TRIGGER NoThirdCard");
    retype(&textBox("txtvalue"), "1");
    press("Save");
    EXPECT_EQ(shown().last(),
              "Set record has been added\r\n5 Basic Cards records has been created.|0|Set Added");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'NEW'"), 5);
}

TEST_F(SaveSetTest, RefusedOrUnnumberedSetStaysInAddModeAndStoresNothing) {
    FrmMain& w = typeNewSet("s1", "Again", "2", "1.2.3");
    press("Save");
    retype(&textBox("txtvalue"), "1");
    press("Save");
    EXPECT_EQ(shown(),
              QStringList({"You must either enter a number into this field|64|Pellimo",
                           "The record was not stored because it would duplicate a key: another record "
                           "already has the same values in its key fields.|0|Pellimo"}));
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtCode").text(), "s1");
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'S1'"), 3);
}

// After the toolbar's Save the count and value boxes would show the totals of the code typed (another
// set's, or none), which the next Save would then store.
TEST_F(SaveSetTest, SaveRefusedThroughTheToolbarKeepsTheCountAndValueTyped) {
    FrmMain& w = start();
    keyInNewSet("s1", "Dup Set", "5", "1.2.3");
    press("Save");
    EXPECT_EQ(textBox("txtTot").text(), "5");
    EXPECT_EQ(textBox("txtvalue").text(), "1.2.3");
    retype(&textBox("txtvalue"), "2.00");
    press("Save");
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(w.datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtTot").text(), "5");
    EXPECT_EQ(textBox("txtvalue").text(), "2.00");

    retype(&textBox("txtCode"), "EF01");
    press("Save");
    EXPECT_EQ(count("SELECT Cards FROM Sets WHERE Code = 'EF01'"), 5);
    EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'EF01'"), 100000);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'EF01' AND Value = 20000"), 5);
    // Saved, the set shows its totals from its cards again.
    EXPECT_EQ(textBox("txtvalue").text(), "$10.00");
}

TEST_F(SaveTest, NewCardIsStoredAndEditedAndADuplicateNumberIsRefused) {
    FrmMain& w = showCardPage(BasicsPage);
    press("New");
    retype(&textBox("txtBasCardNum"), "2");
    retype(&textBox("txtBasDesc"), "Omega");
    press("Save");
    EXPECT_EQ(shown(),
              QStringList({"The record was not stored because it would duplicate a key: another record "
                           "already has the same values in its key fields.|0|Pellimo"}));
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Omega");
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());

    retype(&textBox("txtBasCardNum"), "4");
    press("Save");
    EXPECT_EQ(shown().last(), "Record Added|0|Card Add");
    EXPECT_EQ(basic("Desc", "S1", 4).toString(), "Omega");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "4");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditInProgress);
    expectToolbarAfterAddMode(w);
}

TEST_F(SaveTest, SaveOutsideAddModeDoesNothing) {
    FrmMain& w = start();
    retype(&textBox("txtTot"), "4");
    // The button is off outside add mode; its handler is reached all the same.
    w.Toolbar1_ButtonClick(w.Buttons(SaveButton));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'S1'"), 3);
}

} // namespace
} // namespace pellimo
