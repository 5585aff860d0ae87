#include "toolbar_pages_fixture.h"
#include "window_control.h"

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
        start();
        selectTab(BasicsPage);
        retype(&textBox("txtBasValue"), "1.50");
        QTest::keyClick(&textBox("txtBasValue"), Qt::Key_Tab); // the number check passes
        press("Next");
        press("Prev");
        EXPECT_EQ(basicValue("S1", 1), 15000);
        EXPECT_EQ(textBox("txtBasValue").text(), QLocale().toCurrencyString(1.5));

        // The program's own currency form, only passed through, stores its amount.
        press("Last");
        EXPECT_EQ(textBox("txtBasValue").text(), QLocale().toCurrencyString(1234.5));
        textBox("txtBasValue").setFocus();
        QTest::keyClick(&textBox("txtBasValue"), Qt::Key_Tab);
        press("First");
        EXPECT_EQ(basicValue("S1", 3), 12345000);

        selectTab(SetsPage);
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

    // Sets past S3: T1 with 10,000 cards worth 123,387.67 in all; T2 with cards numbered from the least to
    // the largest 16-bit number, the least worth the least amount the boxes show; T3 with one card worth
    // the largest.
    void addLongValues() {
        catalogue.exec(
            "INSERT INTO Sets VALUES ('T1', 'Big Set', 0, 0), ('T2', 'Wide Cards', 0, 0),"
            " ('T3', 'Largest', 0, 0);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9999)"
            " INSERT INTO Basics (Code, Card_Num, Desc, Value) SELECT 'T1', i, 'Card', 123400 FROM n;"
            "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('T1', 10000, 'Last', 100),"
            " ('T2', -32768, 'Least', -9223372036854775800), ('T2', 1, 'Dear', 1234567800),"
            " ('T2', 32767, 'Cheap', 500), ('T3', 9999, 'Largest', 9223372036854775800)");
    }

    QString basicsRows() const {
        return catalogue
            .scalar("SELECT group_concat(quote(Code) || quote(Card_Num) || quote(Desc) || quote(Value), ';')"
                    " FROM (SELECT * FROM Basics ORDER BY rowid)")
            .toString();
    }

    // Browses the long sets and their cards with the toolbar: every value is shown whole, and stored
    // again as it was.
    void longValuesSurviveBrowsing(const char* name) {
        addLongValues();
        const QString before = basicsRows();
        PinnedLocale locale(name);
        start();
        press("Last");
        press("Prev");
        press("Prev");
        ASSERT_EQ(textBox("txtCode").text(), "T1");
        EXPECT_EQ(textBox("txtTot").text(), "10000");
        EXPECT_EQ(textBox("txtvalue").text(), QLocale().toCurrencyString(123387.67));
        press("Next");
        EXPECT_EQ(count("SELECT Cards FROM Sets WHERE Code = 'T1'"), 10000);
        EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'T1'"), 1233876700);

        selectTab(BasicsPage);
        EXPECT_EQ(textBox("txtBasCardNum").text(), "-32768");
        press("Next");
        EXPECT_EQ(textBox("txtBasValue").text(), QLocale().toCurrencyString(123456.78));
        press("Next");
        EXPECT_EQ(textBox("txtBasCardNum").text(), "32767");
        press("Next");
        selectTab(SetsPage);
        press("Next");
        selectTab(BasicsPage);
        press("Next");
        selectTab(SetsPage);
        EXPECT_EQ(basicsRows(), before);
        EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'T3'"), 9223372036854775800);
        EXPECT_TRUE(shown().isEmpty()) << shown().join('\n').toStdString();
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

TEST_F(BoxValuesTest, LongAmountsAndCountsAreShownAndStoredWhole) {
    longValuesSurviveBrowsing("en_US");
}

// "R$" in front of the amount: the longest text the boxes show.
TEST_F(BoxValuesTest, LongAmountsWithASymbolOfSeveralCharacters) {
    longValuesSurviveBrowsing("pt_BR");
}

TEST_F(BoxValuesTest, TypingStopsAtTheBoxLimit) {
    FrmMain& w = start();
    // No box cuts what the program writes into it, wherever the write comes from.
    for (const QLineEdit* box : w.findChildren<QLineEdit*>())
        EXPECT_EQ(box->maxLength(), QLineEdit().maxLength()) << box->objectName().toStdString();
    retype(&textBox("txtTot"), "123456");
    EXPECT_EQ(textBox("txtTot").text(), "1234");
    selectTab(BasicsPage);
    retype(&textBox("txtBasValue"), "123456789012");
    EXPECT_EQ(textBox("txtBasValue").text(), "1234567890");
    retype(&textBox("txtBasCardNum"), "98765");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "9876");
}

// A name longer than its box shows its first characters wherever it comes from: the data source, or the
// page entry that copies the set's name.
TEST_F(BoxValuesTest, LongNamesShowFromTheirStart) {
    const QString name = "Topps Chrome Update Series Refractor Parallels 199";
    ASSERT_EQ(name.size(), 50);
    catalogue.exec(QString("UPDATE Sets SET Desc = '%1' WHERE Code = 'S1';"
                           "UPDATE Basics SET Desc = '%1' WHERE Code = 'S1'")
                       .arg(name));
    start();
    const auto expectShownFromStart = [&](const QLineEdit* box) {
        ASSERT_EQ(box->text(), name) << box->objectName().toStdString();
        ASSERT_GT(box->fontMetrics().horizontalAdvance(name), box->width());
        EXPECT_EQ(box->cursorPosition(), 0) << box->objectName().toStdString();
    };
    selectTab(BasicsPage);
    expectShownFromStart(&textBox("txtBasName"));
    expectShownFromStart(&textBox("txtBasDesc"));
    selectTab(SpecialsPage);
    expectShownFromStart(&textBox("txtSpecName"));
}

} // namespace
} // namespace pellimo
