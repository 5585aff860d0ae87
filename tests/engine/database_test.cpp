#include "engine_fixture.h"

#include <QDir>
#include <QFile>

namespace pellimo {
namespace {

using DatabaseFile = CatalogueTest;

TEST_F(DatabaseFile, NameIsMatchedWithoutRegardToCase) {
    Database lower = OpenDatabase((catalogue.folder() + "/pellimo.mdb").toStdString());
    auto rs = lower.OpenRecordset("Sets");
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_FALSE(QFile::exists(catalogue.folder() + "/pellimo.mdb"));
}

TEST_F(DatabaseFile, MissingFileFailsAndIsNotCreated) {
    QString missing = catalogue.folder() + "/other/Pellimo.mdb";
    EXPECT_EQ(errorOf([&] { OpenDatabase(missing.toStdString()); }), err::FileNotFound);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(DatabaseFile, FileThatIsNoCatalogueFailsToOpen) {
    QFile junk(catalogue.folder() + "/junk.mdb");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_EQ(errorOf([&] { OpenDatabase(junk.fileName().toStdString()); }), err::CannotOpen);
}

TEST_F(DatabaseFile, ASecondConnectionSeesWhatTheFirstStored) {
    auto rs = open("Sets");
    rs->Edit();
    rs->Fields("Desc").setValue("Seen");
    rs->Update();
    Database other = OpenDatabase(catalogue.dbPath().toStdString());
    EXPECT_EQ(other.OpenRecordset("Sets")->Fields("Desc").value().toString(), "Seen");
}

TEST_F(DatabaseFile, RolledBackAdditionsAreGone) {
    db.BeginTrans();
    auto rs = open("Basics");
    rs->AddNew();
    rs->Fields("Code").setValue("c03");
    rs->Fields("Card_Num").setValue(1);
    rs->Update();
    db.Rollback();
    EXPECT_EQ(catalogue.scalar("SELECT count(*) FROM Basics WHERE Code = 'c03'").toLongLong(), 0);
}

TEST_F(DatabaseFile, UnknownRecordSourceFails) {
    EXPECT_EQ(errorOf([&] { open("Nothing"); }), err::ItemNotFound);
    EXPECT_EQ(errorOf([&] { open("SELECT Nope FROM Sets"); }), err::ItemNotFound);
}

} // namespace
} // namespace pellimo
