#include "toolbar_pages_fixture.h"

#include <QAction>
#include <QDir>
#include <QImage>

namespace pellimo {
namespace {

class PendingPictureTest : public ToolbarPagesTest {
protected:
    QString pictureFile() const {
        const QString path = QDir(catalogue.folder()).filePath("front.jpg");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path, "JPG");
        return path;
    }
    long long cardsWithAFront() const {
        return catalogue.scalar("SELECT count(*) FROM Basics WHERE length(Front) > 0").toLongLong();
    }
};

// A card reached by Find is not being edited, so it cannot take a picture: the picture must not wait for the
// next card that is saved.
TEST_F(PendingPictureTest, PictureForACardThatCannotTakeItReachesNoOtherCard) {
    start();
    selectTab(2);
    dialogs.inputAnswers = {"Gamma"};
    press("Find");
    dialogs.queueFile(pictureFile());
    window->mnuPicFront->trigger();
    press("Prev");
    press("Prev");
    selectTab(1);
    press("Next");
    selectTab(2);
    press("Next");
    EXPECT_EQ(cardsWithAFront(), 0);
}

TEST_F(PendingPictureTest, PictureChosenForTheCardShownIsStoredWithIt) {
    start();
    selectTab(2);
    dialogs.queueFile(pictureFile());
    window->mnuPicFront->trigger();
    press("Next");
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE length(Front) > 0 AND Desc = 'Alpha'")
                  .toLongLong(),
              1);
    EXPECT_EQ(cardsWithAFront(), 1);
}

// Find moves off the card shown, which stores its edit first: a refusal is told as such, not as "not found".
TEST_F(PendingPictureTest, FindThatCannotStoreTheCardShownReportsTheRefusal) {
    start();
    selectTab(2);
    window->txtBasCardNum->setText("2"); // Beta's number
    dialogs.inputAnswers = {"Gamma"};
    press("Find");
    expectRefusalReported();
    EXPECT_EQ(window->txtBasDesc->text(), "Alpha");
    EXPECT_EQ(window->txtBasCardNum->text(), "2");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);
}

} // namespace
} // namespace pellimo
