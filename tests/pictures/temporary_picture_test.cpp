#include "engine_error.h"
#include "temporary_picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
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

TEST(TemporaryFolder, TempThenTmpdirThenTmp) {
    ScopedVariable temp("TEMP", "/work/t");
    ScopedVariable tmpdir("TMPDIR", "/work/d");
    EXPECT_EQ(temporaryFolder(), "/work/t");
    qputenv("TEMP", "");
    EXPECT_EQ(temporaryFolder(), "/work/d");
    qunsetenv("TMPDIR");
    EXPECT_EQ(temporaryFolder(), "/tmp");
}

mode_t modeOf(const QString& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status.st_mode & 07777;
}

void writeBytes(const QString& path, Bytes bytes) {
    const std::unique_ptr<BinaryReader> reader = readerOfValue(Value(std::move(bytes)));
    writeOwnerOnlyFile(path, *reader);
}

int failureOfPicturePath(PrivatePictureFolder& folder) {
    try {
        folder.picturePath();
    } catch (const EngineError& failure) {
        return failure.number();
    }
    return 0;
}

// Each running copy has a folder of its own in TEMP, which only it can enter and which goes with it.
TEST(PrivatePictureFolder, EachCopyHasItsOwnOwnerOnlyFolderRemovedWithIt) {
    QTemporaryDir temp;
    ScopedVariable variable("TEMP", QFile::encodeName(temp.path()));
    QString first;
    {
        PrivatePictureFolder one;
        PrivatePictureFolder other;
        first = one.picturePath();
        EXPECT_EQ(one.picturePath(), first); // made once
        const QFileInfo file(first);
        EXPECT_EQ(file.fileName(), "picture.tmp");
        EXPECT_EQ(file.dir().dirName().left(8), "pellimo-");
        EXPECT_EQ(QFileInfo(file.path()).path(), temp.path());
        EXPECT_EQ(modeOf(file.path()), 0700u);
        EXPECT_NE(QFileInfo(other.picturePath()).path(), file.path());
        writeBytes(first, {'G', 'I', 'F'}); // a display cut short leaves its file behind
    }
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(first).path()));
    EXPECT_TRUE(
        QDir(temp.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

TEST(PrivatePictureFolder, AFolderThatCannotBeMadeFailsUntilItCan) {
    QTemporaryDir temp;
    const QString missing = temp.filePath("not yet");
    ScopedVariable variable("TEMP", QFile::encodeName(missing));
    PrivatePictureFolder folder;
    EXPECT_EQ(failureOfPicturePath(folder), 3004);
    ASSERT_TRUE(QDir().mkdir(missing));
    EXPECT_EQ(QFileInfo(QFileInfo(folder.picturePath()).path()).path(), missing);
}

// A folder a cleaner took away, or one opened to others since, is replaced by a new one.
TEST(PrivatePictureFolder, AFolderRemovedOrOpenedMeanwhileIsMadeAgain) {
    QTemporaryDir temp;
    ScopedVariable variable("TEMP", QFile::encodeName(temp.path()));
    PrivatePictureFolder folder;
    const QString removed = QFileInfo(folder.picturePath()).path();
    ASSERT_TRUE(QDir(removed).removeRecursively());
    const QString opened = QFileInfo(folder.picturePath()).path();
    EXPECT_NE(opened, removed);
    EXPECT_EQ(modeOf(opened), 0700u);
    ASSERT_EQ(::chmod(QFile::encodeName(opened).constData(), 0777), 0);
    EXPECT_NE(QFileInfo(folder.picturePath()).path(), opened);
}

class OwnerOnlyFile : public ::testing::Test {
protected:
    QByteArray read(const QString& name) const {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int failureOfWrite(const Bytes& bytes) const {
        try {
            writeBytes(path, bytes);
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
    writeBytes(path, {'G', 'I', 'F'});
    EXPECT_EQ(read(path), "GIF");
    struct stat status {};
    ASSERT_EQ(::stat(localPath.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    removeTemporaryPicture(path);
    EXPECT_FALSE(QFile::exists(path));
}

// The bytes go a piece at a time: none is lost or repeated at the seams, whatever the size.
TEST_F(OwnerOnlyFile, WritesEveryByteOfAValueOfAnySize) {
    for (std::size_t size :
         {std::size_t{0}, BinaryPiece - 1, BinaryPiece, BinaryPiece + 1, 3 * BinaryPiece + 5}) {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
        writeBytes(path, bytes);
        EXPECT_EQ(read(path),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(size)))
            << size;
    }
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
