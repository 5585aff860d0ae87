#include "records_fixture.h"
#include "window_control.h"

#include <QFile>
#include <QImage>
#include <QLabel>

namespace pellimo {
namespace {

class PendingPictureTest : public RecordsTest {
protected:
    long long cardsWithAFront() const {
        return catalogue.scalar("SELECT count(*) FROM Basics WHERE length(Front) > 0").toLongLong();
    }
    // Basics page of S1: a front picture chosen for Gamma, which Find reached and which is not being edited.
    void chooseForCardReachedByFind() {
        start();
        selectTab(BasicsPage);
        dialogs.inputAnswers = {"Gamma"};
        press("Find");
        choosePicture(PictureSide::Front, pictureFile("front.png", Qt::red));
    }
    // The colour at the centre of a picture box, invalid when it shows none.
    static QColor centreOf(const QLabel* box) {
        const QImage shown = box->pixmap().toImage();
        return shown.isNull() ? QColor() : shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }
};

// A card reached by Find is not being edited, so it cannot take a picture: the picture must not wait for the
// next card that is saved.
TEST_F(PendingPictureTest, PictureForACardThatCannotTakeItReachesNoOtherCard) {
    chooseForCardReachedByFind();
    press("Prev");
    press("Prev");
    selectTab(SetsPage);
    press("Next");
    selectTab(BasicsPage);
    press("Next");
    EXPECT_EQ(cardsWithAFront(), 0);
}

TEST_F(PendingPictureTest, PictureChosenForTheCardShownIsStoredWithIt) {
    start();
    selectTab(BasicsPage);
    choosePicture(PictureSide::Front, pictureFile("front.png", Qt::red));
    press("Next");
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE length(Front) > 0 AND Desc = 'Alpha'")
                  .toLongLong(),
              1);
    EXPECT_EQ(cardsWithAFront(), 1);
}

// A chosen file that stopped being a picture before the save is refused as a store is refused, with the
// picture reader's message; what was typed into the card stays for the user to save again.
TEST_F(PendingPictureTest, PictureFileChangedSinceItWasChosenIsRefusedAndTheCardKeepsItsEdits) {
    start();
    selectTab(BasicsPage);
    const QString chosen = pictureFile("front.png", Qt::red);
    choosePicture(PictureSide::Front, chosen);
    retype(&textBox("txtBasDesc"), "Alpha renamed");
    QFile changed(chosen);
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
    changed.write("not a picture anymore!"); // 22 bytes of text
    changed.close();
    press("Next");
    expectRefusalReported();
    EXPECT_EQ(dialogs.messages()[0].text, "Invalid picture");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha renamed");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(cardsWithAFront(), 0);
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE Desc = 'Alpha'").toLongLong(), 1);

    choosePicture(PictureSide::Front, pictureFile("again.png", Qt::blue));
    press("Next");
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(
        catalogue.scalar("SELECT count(*) FROM Basics WHERE length(Front) > 0 AND Desc = 'Alpha renamed'")
            .toLongLong(),
        1);
}

// Find moves off the card shown, which stores its edit first: a refusal is told as such, not as "not found".
TEST_F(PendingPictureTest, FindThatCannotStoreTheCardShownReportsTheRefusal) {
    start();
    selectTab(BasicsPage);
    textBox("txtBasCardNum").setText("2"); // Beta's number
    dialogs.inputAnswers = {"Gamma"};
    press("Find");
    expectRefusalReported();
    EXPECT_EQ(textBox("txtBasDesc").text(), "Alpha");
    EXPECT_EQ(textBox("txtBasCardNum").text(), "2");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);
}

TEST_F(PendingPictureTest, MoveOnACardPageShowsThePicturesOfTheCardReached) {
    storeFront("Basics", "Desc IN ('Alpha', 'Gamma')");
    start();
    selectTab(BasicsPage);
    EXPECT_EQ(centreOf(&control<QLabel>(*window, "picBasFront")), QColor(Qt::red));
    press("Next");
    EXPECT_FALSE(centreOf(&control<QLabel>(*window, "picBasFront")).isValid()) << "Beta has no front";
    press("Next");
    EXPECT_EQ(centreOf(&control<QLabel>(*window, "picBasFront")), QColor(Qt::red));
    press("Prev");
    EXPECT_FALSE(centreOf(&control<QLabel>(*window, "picBasFront")).isValid());
}

// A picture that a card reached by Find could not take is left pending when the page is left; the page
// entered again for another set shows another card, which must never get it.
TEST_F(PendingPictureTest, EnteringACardPageDropsTheOtherCardsPendingPicture) {
    chooseForCardReachedByFind();
    selectTab(SetsPage);
    ASSERT_EQ(pending()[1], "Y");
    press("Next");
    selectTab(BasicsPage);
    EXPECT_EQ(textBox("txtBasDesc").text(), "Delta");
    EXPECT_EQ(pending()[1], "");
    press("First");
    EXPECT_EQ(cardsWithAFront(), 0);
}

} // namespace
} // namespace pellimo
