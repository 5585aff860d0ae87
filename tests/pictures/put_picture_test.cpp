#include "engine_error.h"
#include "picture_files.h"
#include "picture_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <string>
#include <utility>

namespace pellimo {
namespace {

using PutPicture = PictureFixture;

QByteArray sha1(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

TEST_F(PutPicture, APathStoresTheFilesBytesThroughTheSlotsOwnDataSource) {
    const QByteArray jpeg = jpegOf({120, 90}, Qt::green);
    const QByteArray gif = gifOf({30, 20});
    choose(BasicsPage, PictureSide::Front, "front.jpg", jpeg);
    choose(SpecialsPage, PictureSide::Back, "back.gif", gif);
    saveSlots(datBasics, {1});
    CurData = &datBasics; // a path does not go through CurData
    saveSlots(DatSpecials, {4});
    EXPECT_EQ(sha1(stored("SELECT Front FROM Basics WHERE Card_Num = 1").toByteArray()), sha1(jpeg));
    EXPECT_EQ(sha1(stored("SELECT Back FROM Specials").toByteArray()), sha1(gif));
    EXPECT_FALSE(stored("SELECT Back FROM Basics WHERE Card_Num = 1").isValid());
}

TEST_F(PutPicture, NullStoresTheEmptyValueThroughCurDataAndShowsBlank) {
    store("Specials", "Front", jpegOf({64, 48}, Qt::red));
    pictures.mnuPicClrFront_Click(SpecialsPage);
    CurData = &DatSpecials;
    saveSlots(DatSpecials, {3});
    EXPECT_EQ(stored("SELECT typeof(Front) || length(Front) FROM Specials").toString(), "blob0");
    pictures.GetPicture(SpecialsPage);
    EXPECT_TRUE(picSpecFront->pixmap().isNull());
    EXPECT_EQ(picSpecFront->size(), boxPixels(2172, 2532));
}

// A file gone, or no longer a picture, since it was chosen fails the store as the reader failed it.
TEST_F(PutPicture, NothingPendingOrAFileGoneOrChangedLeavesTheFieldAsItWas) {
    store("Basics", "Front", "stored picture");
    const QString chosen = choose(BasicsPage, PictureSide::Front, "chosen.jpg", jpegOf({20, 10}, Qt::red));
    datBasics.Recordset().Edit();
    for (std::int16_t slot : {0, 2, 5})
        pictures.PutPicture(slot);
    EXPECT_EQ(datBasics.Recordset().Fields("Back").FieldSize(), 0);
    for (const auto& [change, number] : {std::pair{"changed", 481}, std::pair{"gone", 3002}}) {
        if (change == std::string("changed"))
            writeFile("chosen.jpg", "not a picture anymore!");
        else
            QFile::remove(chosen);
        try {
            pictures.PutPicture(1);
            ADD_FAILURE() << "a file " << change << " since it was chosen was stored";
        } catch (const EngineError& failure) {
            EXPECT_EQ(failure.number(), number) << change;
        }
    }
    datBasics.Recordset().Update();
    EXPECT_EQ(stored("SELECT Front FROM Basics WHERE Card_Num = 1").toByteArray(), "stored picture");
    EXPECT_FALSE(stored("SELECT Back FROM Basics WHERE Card_Num = 1").isValid());
}

} // namespace
} // namespace pellimo
