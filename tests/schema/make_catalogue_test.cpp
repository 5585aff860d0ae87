#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace pellimo {
namespace {

class MakeCatalogue : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath("Pellimo.mdb");
    QString errors;

    int run(const QString& schema = PELLIMO_SCHEMA_PATH) {
        QProcess tool;
        tool.start(MAKE_CATALOGUE_PATH, {schema, target});
        EXPECT_TRUE(tool.waitForFinished(30000));
        errors = QString::fromUtf8(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

int countSchemaObjects(const QString& path) {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT count(*) FROM sqlite_schema WHERE name IN "
                           "('Sets', 'Basics', 'Specials', 'SpecialCards')",
                           -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return count;
}

TEST_F(MakeCatalogue, MakesTheTablesAndLeavesNoOtherFile) {
    ASSERT_EQ(run(), 0) << errors.toStdString();
    EXPECT_EQ(countSchemaObjects(target), 4);
    EXPECT_EQ(entries(), QStringList{"Pellimo.mdb"});
}

TEST_F(MakeCatalogue, KeepsAFileThatIsThereByteForByte) {
    const QByteArray mine = "not made by the build";
    writeFile("Pellimo.mdb", mine);
    ASSERT_EQ(run(), 0) << errors.toStdString();
    EXPECT_EQ(read(target), mine);

    QFile::remove(target);
    ASSERT_EQ(run(), 0);
    const QByteArray made = read(target);
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(read(target), made);
}

TEST_F(MakeCatalogue, AFailingStatementFailsAndPublishesNothing) {
    const QString schema =
        writeFile("broken.sql", "CREATE TABLE Sets (Code TEXT);\nCREATE TABLE Sets (Code TEXT);\n");
    EXPECT_NE(run(schema), 0);
    EXPECT_TRUE(errors.contains("already exists")) << errors.toStdString();
    EXPECT_EQ(entries(), QStringList{"broken.sql"});
}

TEST_F(MakeCatalogue, AMissingSchemaOrFolderFails) {
    EXPECT_NE(run(dir.filePath("none.sql")), 0);
    EXPECT_FALSE(errors.isEmpty());

    target = dir.filePath("no such folder/Pellimo.mdb");
    EXPECT_NE(run(), 0);
    EXPECT_FALSE(errors.isEmpty());
    EXPECT_TRUE(entries().isEmpty());
}

} // namespace
} // namespace pellimo
