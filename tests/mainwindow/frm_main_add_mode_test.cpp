#include "engine_error.h"
#include "frm_main_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>

namespace pellimo {
namespace {

class FrmMainAddModeTest : public FrmMainTest {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0)");
        for (int card = 1; card <= 12; ++card)
            catalogue.exec(QString("INSERT INTO Basics (Code, Card_Num) VALUES ('S1', %1)").arg(card));
    }

    // The page as entering it leaves it, then New on it.
    FrmMain& newOnCardPage(int page) {
        FrmMain& w = start();
        DataSource& source = page == 2 ? w.datBasics : w.DatSpecials;
        w.TabMode = static_cast<std::int16_t>(page);
        w.CurData = &source;
        source.Refresh();
        source.Recordset().AddNew();
        return w;
    }

    static void showPicture(QLabel* box, QSize size) {
        QPixmap picture(10, 10);
        picture.fill(Qt::blue);
        box->setPixmap(picture);
        box->resize(size);
    }
};

TEST_F(FrmMainAddModeTest, NewOnTheBasicsPageProposesTheNextCardNumber) {
    FrmMain& w = newOnCardPage(2);
    w.BasRecCount = 12;
    const QSize wide(200, 90);
    showPicture(w.picBasFront, wide);
    showPicture(w.picBasBack, wide);

    w.cmdNew();

    EXPECT_EQ(w.BasRecCount, 13);
    EXPECT_EQ(w.txtBasCardNum->text(), "13");
    EXPECT_EQ(w.txtBasSet->text(), "S1");
    EXPECT_TRUE(w.picBasFront->pixmap().isNull());
    EXPECT_TRUE(w.picBasBack->pixmap().isNull());
    // Emptied, not resized: the boxes keep the size of the picture shown before.
    EXPECT_EQ(w.picBasFront->size(), wide);
    EXPECT_EQ(w.focusWidget(), w.txtBasCardNum);

    w.datBasics.Recordset().Update();
    w.datBasics.Recordset().AddNew();
    w.cmdNew();
    EXPECT_EQ(w.txtBasCardNum->text(), "14");
}

TEST_F(FrmMainAddModeTest, NewOnTheSpecialsPageFillsTheSetButProposesNoNumber) {
    FrmMain& w = newOnCardPage(3);
    w.cmdNew();
    EXPECT_EQ(w.txtSpecCode->text(), "S1");
    EXPECT_EQ(w.txtSpecCardNum->text(), "");
    EXPECT_EQ(w.focusWidget(), w.txtSpecCardNum);
    EXPECT_EQ(w.BasRecCount, 0);
}

TEST_F(FrmMainAddModeTest, ToolbarTurnsToAddModeAndCancelKeepsItsState) {
    FrmMain& w = start();
    w.Buttons(CancelButton).setEnabled(false);
    w.datSets.Recordset().AddNew();
    w.cmdNew();
    for (ToolbarButton i :
         {NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton, FindButton, ReportButton})
        EXPECT_FALSE(w.Buttons(i).isEnabled()) << i;
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());
    EXPECT_FALSE(w.Buttons(CancelButton).isEnabled());
    EXPECT_FALSE(w.txtCode->isReadOnly());
    EXPECT_EQ(w.focusWidget(), w.txtCode);
}

TEST_F(FrmMainAddModeTest, CardNumberPastTheLargestFailsAfterTheToolbar) {
    FrmMain& w = newOnCardPage(2);
    w.BasRecCount = 32767;
    try {
        w.cmdNew();
        FAIL() << "no overflow";
    } catch (const EngineError& failure) {
        EXPECT_EQ(failure.number(), 6);
    }
    EXPECT_EQ(w.BasRecCount, 32767);
    EXPECT_EQ(w.txtBasCardNum->text(), "");
    EXPECT_TRUE(w.Buttons(SaveButton).isEnabled());
    EXPECT_FALSE(w.Buttons(NewButton).isEnabled());
}

} // namespace
} // namespace pellimo
