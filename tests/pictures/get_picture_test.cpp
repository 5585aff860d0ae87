#include "picture_files.h"
#include "picture_fixture.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>

namespace pellimo {
namespace {

using GetPicture = PictureFixture;

bool showsPicture(const QLabel* box) {
    return !box->pixmap().isNull() &&
           box->pixmap().deviceIndependentSize().toSize() == box->contentsRect().size();
}

TEST_F(GetPicture, FitsTheStoredPictureKeepsTheCornerAndLeavesNoFile) {
    store("Basics", "Front", jpegOf({400, 300}, Qt::blue));
    picBasBack->resize(20, 30);
    const QPoint corner = picBasFront->pos();
    pictures.GetPicture(BasicsPage);
    EXPECT_EQ(picBasFront->pos(), corner);
    EXPECT_EQ(picBasFront->size(), boxPixels(2172, 1629));
    EXPECT_TRUE(showsPicture(picBasFront));
    EXPECT_TRUE(picBasFront->hasScaledContents());
    EXPECT_FALSE(picBasFront->isHidden());
    const QColor centre = picBasFront->pixmap().toImage().pixelColor(70, 50);
    EXPECT_GT(centre.blue(), 200);
    EXPECT_LT(centre.red(), 50);
    // A Null back is a blank box at the full size.
    EXPECT_TRUE(picBasBack->pixmap().isNull());
    EXPECT_EQ(picBasBack->size(), boxPixels(2172, 2532));
    EXPECT_TRUE(temporaryFiles().isEmpty());
    EXPECT_EQ(datBasics.Recordset().EditMode(), dbEditNone);
    EXPECT_EQ(datBasics.Recordset().Fields("Card_Num").value(), Value(1));
}

// A second running copy shows another card's picture in the same TEMP all the while: each copy shows its
// own picture every time, never a half-written one of the other's.
TEST_F(GetPicture, TwoRunningCopiesShowTheirOwnPicturesAtOnce) {
    store("Basics", "Front", jpegOf({800, 600}, Qt::blue));
    store("Specials", "Front", jpegOf({800, 600}, Qt::red));
    QProcess other;
    other.start(PELLIMO_SHOW_PICTURES_CHILD, {catalogue.dbPath(), "300"});
    ASSERT_TRUE(other.waitForStarted());
    int displays = 0;
    int wrong = 0;
    for (; !other.waitForFinished(0); ++displays) {
        pictures.GetPicture(BasicsPage);
        if (!showsColour(*picBasFront, Qt::blue))
            ++wrong;
    }
    EXPECT_GT(displays, 0) << "the other copy ended before this one showed a picture";
    EXPECT_EQ(other.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardOutput().toStdString();
    EXPECT_EQ(wrong, 0) << "of " << displays << " displays here";
    EXPECT_TRUE(temporaryFiles().isEmpty());
}

// A large BMP is decoded straight at the size of its box, the top of the picture at the top.
TEST_F(GetPicture, ALargeBmpIsShownAtTheSizeOfItsBox) {
    const QByteArray bmp = redOverBlueBmp({3000, 2000});
    store("Basics", "Front", bmp);
    pictures.GetPicture(BasicsPage);
    EXPECT_EQ(picBasFront->size(), boxPixels(2172, 1448));
    ASSERT_TRUE(showsPicture(picBasFront));
    const QImage shown = picBasFront->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, 2), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() - 3), QColor(Qt::blue));

    choose(BasicsPage, PictureSide::Back, "chosen.bmp", bmp);
    EXPECT_TRUE(showsPicture(picBasBack)); // decoded at the box's size as it stands
    EXPECT_EQ(pictures.PicChanged()[2], "Y");
}

// A picture of 900 million pixels would hold the window for seconds to be decoded: its box is blank
// instead, at once, and the file is not taken when chosen.
TEST_F(GetPicture, APictureTooLargeToDecodeInAMomentShowsBlank) {
    store("Basics", "Front", blackPng({3000, 2000}));
    pictures.GetPicture(BasicsPage);
    EXPECT_EQ(picBasFront->size(), boxPixels(2172, 1448));
    EXPECT_TRUE(showsColour(*picBasFront, Qt::black));

    const QByteArray png = blackPng({30000, 30000});
    store("Basics", "Front", png);
    pictures.GetPicture(BasicsPage);
    EXPECT_TRUE(picBasFront->pixmap().isNull());
    EXPECT_EQ(picBasFront->size(), boxPixels(2172, 2532));
    EXPECT_TRUE(temporaryFiles().isEmpty());

    choose(BasicsPage, PictureSide::Back, "huge.png", png);
    EXPECT_EQ(pictures.PicChanged()[2], "");
    EXPECT_TRUE(dialogs.messages().empty());
}

// The stored bytes reach the file whole across several pieces (the seams themselves are the engine's and
// the file writer's tests).
TEST_F(GetPicture, TheFileHoldsExactlyTheStoredBytes) {
    QByteArray bytes(static_cast<qsizetype>(3 * BinaryPiece + 5), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    store("Basics", "Front", bytes);
    const QString copy = files.filePath("copy.tmp");
    pictures.ReadPicturefromDatabase(datBasics, "Front", copy);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

// Another program deleted the card after it was shown: its picture cannot be read, so its box shows blank,
// and nothing is left on the disk.
TEST_F(GetPicture, ACardDeletedMeanwhileShowsBlankAndLeavesNoFile) {
    store("Basics", "Front", redOverBlueBmp({300, 200}));
    pictures.GetPicture(BasicsPage);
    ASSERT_TRUE(showsPicture(picBasFront));
    catalogue.exec("DELETE FROM Basics WHERE rowid = 1");
    pictures.GetPicture(BasicsPage);
    EXPECT_TRUE(picBasFront->pixmap().isNull());
    EXPECT_FALSE(picBasFront->isHidden());
    EXPECT_TRUE(temporaryFiles().isEmpty());
}

TEST_F(GetPicture, SpecialsBoxesWidenToTheFullBound) {
    store("Specials", "Front", gifOf({300, 400}));
    CurData = &DatSpecials;
    pictures.GetPicture(SpecialsPage);
    EXPECT_EQ(picSpecFront->size(), boxPixels(1899, 2532));
    EXPECT_TRUE(showsPicture(picSpecFront));
    EXPECT_EQ(picSpecBack->size(), boxPixels(2172, 2532));
    EXPECT_TRUE(picBasFront->pixmap().isNull()); // the Basics boxes are not touched
}

TEST_F(GetPicture, SevenBytesAreNoPictureAndEightGoThroughTheLoader) {
    store("Basics", "Back", jpegOf({64, 48}, Qt::red));
    for (int bytes : {7, 8}) {
        store("Basics", "Front", QByteArray(bytes, 'x'));
        picBasFront->hide();
        picBasFront->setScaledContents(false);
        pictures.GetPicture(BasicsPage);
        // A blank box keeps Visible and Stretch; only a picture that failed to load comes back shown.
        EXPECT_EQ(picBasFront->isHidden(), bytes == 7);
        EXPECT_EQ(picBasFront->hasScaledContents(), bytes == 8);
        EXPECT_TRUE(picBasFront->pixmap().isNull());
        EXPECT_EQ(picBasFront->size(), boxPixels(2172, 2532));
        EXPECT_TRUE(showsPicture(picBasBack)); // the other side is still shown
        EXPECT_TRUE(temporaryFiles().isEmpty());
    }
}

TEST_F(GetPicture, WithNoCurrentRecordBothBoxesAreBlank) {
    datBasics.setRecordSource(RecordSource("SELECT * FROM Basics WHERE Code = ?", {"none"}));
    datBasics.Refresh();
    picBasFront->setPixmap(QPixmap(10, 10));
    pictures.GetPicture(BasicsPage);
    EXPECT_TRUE(picBasFront->pixmap().isNull());
    EXPECT_EQ(picBasBack->size(), boxPixels(2172, 2532));
}

TEST_F(GetPicture, AnyOtherIndexTouchesNoBox) {
    store("Basics", "Front", jpegOf({64, 48}, Qt::red));
    picBasFront->setPixmap(QPixmap(10, 10));
    const QRect before = picBasFront->geometry();
    for (std::int16_t index : {0, 1, 4})
        pictures.GetPicture(index);
    EXPECT_FALSE(picBasFront->pixmap().isNull());
    EXPECT_EQ(picBasFront->geometry(), before);
    EXPECT_EQ(picSpecFront->size(), boxPixels(1692, 2532));
}

} // namespace
} // namespace pellimo
