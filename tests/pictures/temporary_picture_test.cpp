#include "engine_error.h"
#include "temporary_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellimo {
namespace {

// Sets an environment variable for the length of a test; a null value unsets it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name), saved_(qgetenv(name)) {
        set(value);
    }
    ~ScopedVariable() { set(saved_); }

private:
    void set(const QByteArray& value) const {
        if (value.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, value);
    }
    const char* name_;
    QByteArray saved_;
};

TEST(TemporaryPicturePath, TempThenTmpdirThenTmp) {
    ScopedVariable temp("TEMP", "/work/t");
    ScopedVariable tmpdir("TMPDIR", "/work/d");
    EXPECT_EQ(temporaryPicturePath(), "/work/t/picture.tmp");
    qputenv("TEMP", "");
    EXPECT_EQ(temporaryPicturePath(), "/work/d/picture.tmp");
    qunsetenv("TMPDIR");
    EXPECT_EQ(temporaryPicturePath(), "/tmp/picture.tmp");
}

class OwnerOnlyFile : public ::testing::Test {
protected:
    QByteArray read(const QString& name) const {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int failureOfWrite(const Bytes& bytes) const {
        try {
            writeOwnerOnlyFile(path, bytes);
        } catch (const EngineError& failure) {
            return failure.number();
        }
        return 0;
    }

    QTemporaryDir dir;
    QString path = dir.filePath("picture.tmp");
    QByteArray localPath = QFile::encodeName(path);
};

TEST_F(OwnerOnlyFile, ReplacesAnOldFileOfOursAndLeavesItOwnerOnly) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and longer picture");
    old.close();
    ::chmod(localPath.constData(), 0644);
    writeOwnerOnlyFile(path, {'G', 'I', 'F'});
    EXPECT_EQ(read(path), "GIF");
    struct stat status {};
    ASSERT_EQ(::stat(localPath.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    removeTemporaryPicture(path);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(OwnerOnlyFile, NeverWritesThroughALinkOrIntoAPipe) {
    const QString victim = dir.filePath("victim");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    ASSERT_TRUE(QFile::link(victim, path));
    EXPECT_EQ(failureOfWrite({'x'}), 3004);
    EXPECT_EQ(read(victim), "keep");
    removeTemporaryPicture(path); // the link is not ours to remove
    EXPECT_TRUE(QFileInfo(path).isSymLink());

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(localPath.constData(), 0600), 0);
    EXPECT_EQ(failureOfWrite({'x'}), 3004); // and does not wait for a reader
}

} // namespace
} // namespace pellimo
