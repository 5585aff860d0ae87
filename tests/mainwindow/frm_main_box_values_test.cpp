#include "toolbar_pages_fixture.h"

#include <QLocale>

namespace pellimo {
namespace {

// Pins the locale for one test and puts the test main's en_US back after it.
class PinnedLocale {
public:
    explicit PinnedLocale(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~PinnedLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;
};

// What the money and count boxes read from what the user types, and what they show and store of what the
// catalogue holds, driven through the toolbar, the tabs and real keys.
class BoxValuesTest : public ToolbarPagesTest {
protected:
    // Amounts typed with a "." in the locale `name`: a card value, a value passed through as shown, and the
    // value of a new set's cards.
    void typedAmountsAreStoredAsTyped(const char* name) {
        catalogue.exec("UPDATE Basics SET Value = 12345000 WHERE Code = 'S1' AND Card_Num = 3");
        PinnedLocale locale(name);
        FrmMain& w = start();
        selectTab(2);
        retype(w.txtBasValue, "1.50");
        QTest::keyClick(w.txtBasValue, Qt::Key_Tab); // the number check passes
        press("Next");
        press("Prev");
        EXPECT_EQ(basicValue("S1", 1), 15000);
        EXPECT_EQ(w.txtBasValue->text(), QLocale().toCurrencyString(1.5));

        // The program's own currency form, only passed through, stores its amount.
        press("Last");
        EXPECT_EQ(w.txtBasValue->text(), QLocale().toCurrencyString(1234.5));
        w.txtBasValue->setFocus();
        QTest::keyClick(w.txtBasValue, Qt::Key_Tab);
        press("First");
        EXPECT_EQ(basicValue("S1", 3), 12345000);

        selectTab(1);
        keyInNewSet("N1", "New Set", "2", "1.50");
        press("Save");
        EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'N1' AND Value = 15000"), 2);
        EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'N1'"), 30000);
        EXPECT_EQ(shown().size(), 1) << shown().join('\n').toStdString();
    }

    qlonglong basicValue(const char* code, int number) const {
        return count(
            QString("SELECT Value FROM Basics WHERE Code = '%1' AND Card_Num = %2").arg(code).arg(number));
    }
};

TEST_F(BoxValuesTest, TypedAmountsInTheUnitedStates) {
    typedAmountsAreStoredAsTyped("en_US");
}

TEST_F(BoxValuesTest, TypedAmountsInGermanyReadThePointAsTheDecimalPoint) {
    typedAmountsAreStoredAsTyped("de_DE");
}

TEST_F(BoxValuesTest, TypedAmountsInFranceReadThePointAsTheDecimalPoint) {
    typedAmountsAreStoredAsTyped("fr_FR");
}

} // namespace
} // namespace pellimo
