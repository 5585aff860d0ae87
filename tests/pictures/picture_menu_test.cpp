#include "picture_files.h"
#include "picture_fixture.h"

#include <QCryptographicHash>
#include <QDir>

namespace pellimo {
namespace {

class PictureMenu : public PictureFixture {
protected:
    QString folder() const { return files.path() + '/'; }
};

TEST_F(PictureMenu, LoadFrontOnBasicsWaitsInSlotOneUntilTheSave) {
    const QByteArray jpeg = jpegOf({80, 60}, Qt::blue);
    const QString path = writeFile("card1.jpg", jpeg);
    cd1.fileName = "report.HTM";
    cd1.initDir = "/program";
    const QSize size = picBasFront->size();
    dialogs.queueFile(path);
    pictures.mnuPicFront_Click(BasicsPage);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    const CommonDialog& shown = dialogs.calls[0].settings;
    EXPECT_TRUE(shown.cancelError);
    EXPECT_EQ(shown.dialogTitle, "Load Picture");
    EXPECT_EQ(shown.filter, "Picture Files (*.jpg; *.gif) |*.jpg;*.gif");
    EXPECT_EQ(shown.defaultExt, "JPG");
    EXPECT_EQ(shown.flags, 8194);
    EXPECT_EQ(shown.fileName, "report.HTM"); // both as the dialog's last use left them
    EXPECT_EQ(shown.initDir, "/program");
    EXPECT_EQ(dialogs.pointerHistory, (std::vector<int>{0, 11, 0}));

    EXPECT_EQ(pictures.PicFile()[1], path);
    EXPECT_EQ(pictures.PicChanged()[1], "Y");
    EXPECT_EQ(picBasFront->size(), size); // stretched over the box as it stands
    EXPECT_EQ(picBasFront->pixmap().deviceIndependentSize().toSize(), picBasFront->contentsRect().size());
    EXPECT_EQ(pictures.PicFolder, folder());
    EXPECT_EQ(cd1.initDir, folder());
    EXPECT_FALSE(stored("SELECT Front FROM Basics WHERE Card_Num = 1").isValid());

    saveSlots(datBasics, {1});
    EXPECT_EQ(stored("SELECT Front FROM Basics WHERE Card_Num = 1").toByteArray(), jpeg);
}

TEST_F(PictureMenu, LoadBackOnSpecialsTakesAGif) {
    const QString path = writeFile("back.gif", gifOf({40, 30}));
    dialogs.queueFile(path);
    pictures.mnuPicBack_Click(SpecialsPage);
    EXPECT_EQ(pictures.PicFile()[4], path);
    EXPECT_EQ(pictures.PicChanged()[4], "Y");
    EXPECT_FALSE(picSpecBack->pixmap().isNull());
    EXPECT_EQ(pictures.PicChanged()[2], "");
    EXPECT_TRUE(picBasBack->pixmap().isNull());
}

TEST_F(PictureMenu, ClearAfterALoadStoresTheEmptyValue) {
    store("Basics", "Front", jpegOf({64, 48}, Qt::red));
    dialogs.queueFile(writeFile("card1.jpg", jpegOf({80, 60}, Qt::blue)));
    pictures.mnuPicFront_Click(BasicsPage);
    pictures.mnuPicClrFront_Click(BasicsPage);
    EXPECT_EQ(pictures.PicFile()[1], "NULL");
    EXPECT_EQ(pictures.PicChanged()[1], "Y");
    EXPECT_TRUE(picBasFront->pixmap().isNull());
    saveSlots(datBasics, {1});
    EXPECT_EQ(stored("SELECT typeof(Front) || length(Front) FROM Basics WHERE Card_Num = 1").toString(),
              "blob0");
}

TEST_F(PictureMenu, ClearFrontOnSpecialsNeedsNoDialogAndWidensTheBox) {
    picSpecFront->setPixmap(QPixmap(10, 10));
    pictures.mnuPicClrFront_Click(SpecialsPage);
    EXPECT_EQ(pictures.PicFile()[3], "NULL");
    EXPECT_EQ(pictures.PicChanged()[3], "Y");
    EXPECT_TRUE(picSpecFront->pixmap().isNull());
    EXPECT_EQ(picSpecFront->size(), boxPixels(2172, 2532));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(dialogs.pointerHistory.empty());
}

TEST_F(PictureMenu, CancelBeepsAndChangesNothing) {
    const QString earlier = choose(BasicsPage, PictureSide::Front, "earlier.jpg", jpegOf({80, 60}, Qt::blue));
    dialogs.calls.clear();
    cd1.initDir = "/program";
    dialogs.queueCancel();
    pictures.mnuPicFront_Click(BasicsPage);
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "The Picture operation was cancelled");
    EXPECT_EQ(dialogs.messages()[0].flags, 64);
    EXPECT_EQ(dialogs.messages()[0].title, "HTML Export File");
    EXPECT_EQ(dialogs.mousePointer(), 0);
    EXPECT_EQ(pictures.PicFile()[1], earlier);
    EXPECT_EQ(pictures.PicChanged()[1], "Y");
    EXPECT_FALSE(picBasFront->pixmap().isNull());
    EXPECT_EQ(cd1.initDir, "/program");
}

TEST_F(PictureMenu, AFileThatCannotBeShownChangesNothing) {
    const QString good = writeFile("good.jpg", jpegOf({80, 60}, Qt::blue));
    dialogs.queueFile(good);
    pictures.mnuPicFront_Click(BasicsPage);
    const qint64 shown = picBasFront->pixmap().cacheKey();
    ASSERT_TRUE(QDir(files.path()).mkdir("other"));
    dialogs.queueFile(writeFile("other/bad.jpg", "not a picture at all"));
    dialogs.queueFile(files.filePath("other/new.jpg")); // a name the user agreed to create
    for (int attempt = 0; attempt < 2; ++attempt)
        pictures.mnuPicFront_Click(BasicsPage);
    EXPECT_EQ(pictures.PicFile()[1], good);
    EXPECT_EQ(pictures.PicChanged()[1], "Y");
    EXPECT_EQ(picBasFront->pixmap().cacheKey(), shown);
    EXPECT_EQ(pictures.PicFolder, folder());
    EXPECT_EQ(cd1.initDir, folder());
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.mousePointer(), 0);
}

TEST_F(PictureMenu, OnTheSetsPageNoSlotOrBoxChanges) {
    pictures.mnuPicClrFront_Click(SetsPage);
    pictures.mnuPicClrBack_Click(SetsPage);
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{}));
    EXPECT_EQ(picSpecFront->size(), boxPixels(1692, 2532));
}

// A chosen picture belongs to the card shown on its page: another record made current there drops it,
// and the other page's pictures wait on.
TEST_F(PictureMenu, AnotherRecordOnAPageDropsThatPagesPicturesOnly) {
    const QByteArray jpeg = jpegOf({40, 30}, Qt::red);
    const auto chooseAll = [&] {
        for (std::int16_t page : {BasicsPage, SpecialsPage})
            for (PictureSide side : {PictureSide::Front, PictureSide::Back})
                choose(page, side, "any.jpg", jpeg);
    };
    chooseAll();
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{"", "Y", "Y", "Y", "Y"}));
    datBasics.Recordset().MoveNext();
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{"", "", "", "Y", "Y"}));
    DatSpecials.Refresh();
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{}));

    chooseAll();
    datBasics.Recordset().AddNew();
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{"", "", "", "Y", "Y"}));
    chooseAll();
    datBasics.Recordset().CancelUpdate();
    DatSpecials.Recordset().MoveFirst();
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{}));
}

// Boxes that show the stored pictures again no longer show the chosen ones, which are dropped.
TEST_F(PictureMenu, ShowingTheStoredPicturesDropsThoseChosen) {
    choose(BasicsPage, PictureSide::Back, "back.jpg", jpegOf({40, 30}, Qt::red));
    choose(SpecialsPage, PictureSide::Front, "front.jpg", jpegOf({40, 30}, Qt::blue));
    pictures.GetPicture(BasicsPage);
    EXPECT_EQ(pictures.PicChanged(), (std::array<QString, 5>{"", "", "", "Y", ""}));
}

} // namespace
} // namespace pellimo
