#include "frm_main_fixture.h"
#include "tab_strip.h"
#include "window_control.h"

#include <QAbstractItemView>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QToolButton>
#include <optional>

namespace pellimo {
namespace {

// Set S1 holds six basic cards, two of them both "Twin", card 5 with a front picture, and two special
// cards; S2 holds no cards, though it is stored with 9 cards worth $12.50. The window is started and active.
class FrmMainFastFindTest : public FrmMainTest {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0), ('S2', 'Second Set', 9, 125000);"
                       "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('S1', 1, 'Card one', 10000),"
                       " ('S1', 2, 'Card two', 20000), ('S1', 3, 'Twin', 30000), ('S1', 4, 'Twin', 40000),"
                       " ('S1', 5, 'Card five', 50000), ('S1', 6, 'Card six', 60000);"
                       "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value)"
                       " VALUES ('S1', 'Foil', 1, 'Foil A', 70000), ('S1', 'Foil', 2, 'Foil B', 80000)");
        QImage front(40, 30, QImage::Format_RGB32);
        front.fill(Qt::green);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        front.save(&buffer, "PNG");
        catalogue.exec(QString("UPDATE Basics SET Front = x'%1' WHERE Card_Num = 5").arg(bytes.toHex()));
    }

    FrmMain& startActive() {
        FrmMain& w = start();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    void selectTab(int tab) { control<TabStrip>(*window, "TabStrip1").setCurrentIndex(tab - 1); }

    // Opens the list and picks the entry with the keyboard, as the user does with the mouse.
    static void chooseFromList(QComboBox* box, int row) {
        box->showPopup();
        QAbstractItemView* list = box->view();
        list->setCurrentIndex(box->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitForWindowActive(box->window()));
    }

    static QStringList entries(const QComboBox* box) {
        QStringList texts;
        for (int row = 0; row < box->count(); ++row)
            texts << box->itemText(row);
        return texts;
    }

    // A click through the window, as the platform delivers it: at the point given, or the widget's centre.
    void clickOn(QWidget* widget, std::optional<QPoint> at = std::nullopt) const {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(window, at.value_or(widget->rect().center())));
    }

    // The drop-down button lies at the right end of the box.
    void clickDropDownButton(QComboBox* box) const {
        clickOn(box, QPoint(box->width() - 4, box->height() / 2));
    }
};

TEST_F(FrmMainFastFindTest, EachListHoldsItsRecordsInOrderAndFollowsTheirChanges) {
    FrmMain& w = startActive();
    EXPECT_EQ(entries(&control<QComboBox>(w, "DBCombo1")), (QStringList{"First Set", "Second Set"}));
    selectTab(BasicsPage);
    EXPECT_EQ(entries(&control<QComboBox>(w, "DBCombo2")),
              (QStringList{"Card one", "Card two", "Twin", "Twin", "Card five", "Card six"}));
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText(), "");
    selectTab(SpecialsPage);
    EXPECT_EQ(entries(&control<QComboBox>(w, "DBCombo3")), (QStringList{"Foil A", "Foil B"}));

    // A store and a delete through the data source; what the user typed into the box stays.
    control<QComboBox>(w, "DBCombo3").setEditText("Fo");
    Recordset& specials = w.DatSpecials.Recordset();
    textBox("txtSpecDesc").setText("Foil Z");
    specials.Update();
    EXPECT_EQ(entries(&control<QComboBox>(w, "DBCombo3")), (QStringList{"Foil Z", "Foil B"}));
    specials.MoveLast();
    specials.Delete();
    EXPECT_EQ(entries(&control<QComboBox>(w, "DBCombo3")), QStringList{"Foil Z"});
    EXPECT_EQ(control<QComboBox>(w, "DBCombo3").currentText(), "Fo");
}

TEST_F(FrmMainFastFindTest, FifthCardChosenOnBasicsIsShownWithItsPicture) {
    FrmMain& w = startActive();
    selectTab(BasicsPage);
    ASSERT_TRUE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 4);

    EXPECT_EQ(textBox("txtBasCardNum").text(), "5");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Card five");
    EXPECT_EQ(textBox("txtBasValue").text(), "$5.00");
    EXPECT_FALSE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    EXPECT_EQ(QApplication::focusWidget(), &textBox("txtBasCardNum"));
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText(), "");
    EXPECT_EQ(w.datBasics.Recordset().EditMode(), dbEditNone);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrmMainFastFindTest, EntriesOfOneDescriptionLeadToTheirOwnCardsAndTheCardShownStaysShown) {
    FrmMain& w = startActive();
    selectTab(BasicsPage);
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 3);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "4");
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 2);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "3");

    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 4);
    control<QLabel>(w, "picBasFront").setPixmap(QPixmap());
    control<QComboBox>(w, "DBCombo2").setEditText("Card");
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 4);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "5");
    EXPECT_FALSE(control<QLabel>(w, "picBasFront").pixmap().isNull());
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText(), "");
}

TEST_F(FrmMainFastFindTest, TypingCompletesFromTheListButMovesNothing) {
    FrmMain& w = startActive();
    selectTab(BasicsPage);
    clickOn(control<QComboBox>(w, "DBCombo2").lineEdit());
    ASSERT_EQ(QApplication::focusWidget(), &control<QComboBox>(w, "DBCombo2"));
    QTest::keyClicks(&control<QComboBox>(w, "DBCombo2"), "card f");
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText().toLower(), "card five");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_PageDown})
        QTest::keyClick(&control<QComboBox>(w, "DBCombo2"), key);
    QWheelEvent wheel(QPointF(5, 5), control<QComboBox>(w, "DBCombo2").mapToGlobal(QPointF(5, 5)), {},
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&control<QComboBox>(w, "DBCombo2"), &wheel);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");

    std::int16_t area = 0;
    w.DBCombo2_Click(area);
    area = 1;
    w.DBCombo2_Click(area);
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText().toLower(), "card five");
    clickOn(&textBox("txtBasSect")); // leaving the box with a matching text picks nothing either
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
    EXPECT_TRUE(dialogs.calls.empty());

    // A description stored while the box is left completes when the user comes back to the box.
    textBox("txtBasDesc").setText("Zebra card");
    w.datBasics.Recordset().Update();
    clickOn(control<QComboBox>(w, "DBCombo2").lineEdit());
    QTest::keyClick(&control<QComboBox>(w, "DBCombo2"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&control<QComboBox>(w, "DBCombo2"), "zeb");
    EXPECT_EQ(control<QComboBox>(w, "DBCombo2").currentText().toLower(), "zebra card");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "1");
}

TEST_F(FrmMainFastFindTest, JumpDropsThePagesPendingPictures) {
    FrmMain& w = startActive();
    selectTab(BasicsPage);
    choosePicture(PictureSide::Front, pictureFile("chosen.png", Qt::red));
    ASSERT_EQ(pending()[1], "Y");
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 1);
    EXPECT_EQ(pending()[1], "");
}

TEST_F(FrmMainFastFindTest, JumpOnTheSetsPageShowsTheStoredCountAndValue) {
    FrmMain& w = startActive();
    chooseFromList(&control<QComboBox>(w, "DBCombo1"), 1);
    EXPECT_EQ(textBox("txtCode").text(), "S2");
    EXPECT_EQ(textBox("txtTot").text(), "9");
    EXPECT_EQ(textBox("txtvalue").text(), "$12.50");
    EXPECT_EQ(QApplication::focusWidget(), &textBox("txtDesc"));
    EXPECT_EQ(control<QComboBox>(w, "DBCombo1").currentText(), "");
    EXPECT_EQ(catalogue.scalar("SELECT Cards FROM Sets WHERE Code = 'S2'").toInt(), 9);
    EXPECT_EQ(catalogue.scalar("SELECT Value FROM Sets WHERE Code = 'S2'").toInt(), 125000);
}

TEST_F(FrmMainFastFindTest, BoxRefusesTheFocusWhileARecordIsAdded) {
    FrmMain& w = startActive();
    const char* const refusal = "You cannot use Fast Find when adding a new record";
    const auto expectRefused = [&](QComboBox* box, QLineEdit* firstField) {
        dialogs.calls.clear();
        clickDropDownButton(box);
        ASSERT_EQ(dialogs.messages().size(), 1u) << box->objectName().toStdString();
        EXPECT_EQ(dialogs.messages()[0].text, refusal);
        EXPECT_EQ(dialogs.messages()[0].flags, vbCritical);
        EXPECT_EQ(dialogs.messages()[0].title, "Select Error");
        EXPECT_EQ(QApplication::focusWidget(), firstField) << box->objectName().toStdString();
        EXPECT_FALSE(box->view()->isVisible());
    };

    // The first fields hold values, so that their own checks let the focus go.
    w.Buttons(NewButton).click();
    textBox("txtCode").setText("NEW");
    expectRefused(&control<QComboBox>(w, "DBCombo1"), &textBox("txtCode"));
    w.Buttons(CancelButton).click();

    selectTab(BasicsPage);
    w.Buttons(NewButton).click();
    expectRefused(&control<QComboBox>(w, "DBCombo2"), &textBox("txtBasCardNum"));
    w.Buttons(CancelButton).click();

    // Entering the Specials page of a set without special cards begins a new one.
    selectTab(SetsPage);
    w.Buttons(NextButton).click();
    selectTab(SpecialsPage);
    ASSERT_EQ(w.DatSpecials.Recordset().EditMode(), dbEditAdd);
    textBox("txtSpecCardNum").setText("1");
    expectRefused(&control<QComboBox>(w, "DBCombo3"), &textBox("txtSpecCardNum"));
}

TEST_F(FrmMainFastFindTest, BoxOpensOutsideAddMode) {
    FrmMain& w = startActive();
    clickDropDownButton(&control<QComboBox>(w, "DBCombo1"));
    EXPECT_EQ(w.focusWidget(), &control<QComboBox>(w, "DBCombo1"));
    EXPECT_TRUE(control<QComboBox>(w, "DBCombo1").view()->isVisible());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrmMainFastFindTest, FailedJumpIsReportedAndLeavesTheCardShown) {
    FrmMain& w = startActive();
    selectTab(BasicsPage);
    // The card shown is in edit mode; a number its set already has cannot be stored on leaving it.
    textBox("txtBasCardNum").setText("2");
    chooseFromList(&control<QComboBox>(w, "DBCombo2"), 5);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].flags, vbCritical);
    EXPECT_EQ(dialogs.messages()[0].title, "Pellimo");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Card one");
    EXPECT_TRUE(w.isVisible());
}

} // namespace
} // namespace pellimo
