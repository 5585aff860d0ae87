#include "temporary_picture.h"

#include "engine_error.h"
#include "picture_errors.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pellimo {

namespace {

[[noreturn]] void writeFailed() {
    throw EngineError(picture_err::WriteToFileFailed, "Write to file failed.");
}

// Closes the descriptor on every path; close() reports the last chance of a write error.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// The file's status when it is a regular file of ours with one name; nullopt for anything else.
std::optional<struct stat> ourRegularFile(int fd) {
    struct stat status {};
    // A second name for the file would let the picture land in a file someone else chose.
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        status.st_nlink == 1)
        return status;
    return std::nullopt;
}

void writeAll(int fd, const unsigned char* next, std::size_t left) {
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            writeFailed();
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
}

} // namespace

QString temporaryFolder() {
    for (const char* variable : {"TEMP", "TMPDIR"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty())
            return folder;
    }
    return QStringLiteral("/tmp");
}

PrivatePictureFolder::~PrivatePictureFolder() {
    remove();
}

QString PrivatePictureFolder::picturePath() {
    if (folder_.isEmpty() || !isStillPrivate()) {
        remove();
        // mkdtemp makes it owner-only, under a name no other copy has.
        QByteArray name = QFile::encodeName(temporaryFolder() + QStringLiteral("/pellimo-XXXXXX"));
        if (::mkdtemp(name.data()) == nullptr)
            writeFailed();
        folder_ = QFile::decodeName(name);
    }
    return folder_ + QStringLiteral("/picture.tmp");
}

// A folder a cleaner removed may have come back as another's, or as a link to another place: never write
// through it.
bool PrivatePictureFolder::isStillPrivate() const {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder_).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 07777) == S_IRWXU;
}

// Only the one file we keep there, and the folder once it is empty: nothing is removed through a link.
void PrivatePictureFolder::remove() const {
    if (folder_.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(folder_);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid())
        return;
    removeTemporaryPicture(folder_ + QStringLiteral("/picture.tmp"));
    ::rmdir(name.constData());
}

void writeOwnerOnlyFile(const QString& path, BinaryReader& bytes) {
    // No O_TRUNC: the file is emptied only once it is known to be ours. O_NONBLOCK keeps a pipe left at the
    // path from blocking the open.
    FileDescriptor file(::open(QFile::encodeName(path).constData(),
                               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, S_IRUSR | S_IWUSR));
    const std::optional<struct stat> status = file.get() < 0 ? std::nullopt : ourRegularFile(file.get());
    if (!status)
        writeFailed();
    // A file left by an earlier run may have been given wider permissions since. Only a file that holds
    // something is emptied: a file cut to nothing is written to the disk as soon as it is closed, a cost
    // every picture shown would pay.
    if (::fchmod(file.get(), S_IRUSR | S_IWUSR) != 0 ||
        (status->st_size > 0 && ::ftruncate(file.get(), 0) != 0))
        writeFailed();
    std::vector<unsigned char> piece(BinaryPiece);
    for (std::size_t count; (count = bytes.read(piece.data(), piece.size())) > 0;)
        writeAll(file.get(), piece.data(), count);
    if (!file.close())
        writeFailed();
}

void removeTemporaryPicture(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) == 0 && S_ISREG(status.st_mode))
        ::unlink(name.constData());
}

} // namespace pellimo
