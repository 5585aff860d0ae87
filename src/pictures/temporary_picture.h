#pragma once

#include "binary_reader.h"

#include <QString>
#include <utility>

namespace pellimo {

// The folder temporary files go in: the one TEMP names where it is set and not empty, else TMPDIR's, else
// /tmp.
QString temporaryFolder();

// The folder of this running copy's own picture.tmp, the one file a stored picture passes through to be
// shown, so that two copies never read each other's half-written picture. It is made at its first use inside
// the temporary folder, named pellimo-XXXXXX, owner-only, and removed with what it holds when the copy's
// pictures go (at exit). One that was removed or changed meanwhile is made again.
class PrivatePictureFolder {
public:
    PrivatePictureFolder() = default;
    ~PrivatePictureFolder();
    PrivatePictureFolder(const PrivatePictureFolder&) = delete;
    PrivatePictureFolder& operator=(const PrivatePictureFolder&) = delete;

    // picture.tmp in the folder. Fails with EngineError WriteToFileFailed when the folder cannot be made;
    // the next call tries again.
    QString picturePath();

private:
    bool isStillPrivate() const;
    void remove() const;

    QString folder_; // empty until made
};

// Writes the bytes, a piece at a time, to `path`, creating the file owner-only or replacing what a file of
// ours held. Anything but a regular file of our own there (a symbolic link, a pipe, another user's file) is
// never written through: the write fails with EngineError WriteToFileFailed instead.
void writeOwnerOnlyFile(const QString& path, BinaryReader& bytes);

// Removes the regular file at `path`, if there is one; a symbolic link there is left alone.
void removeTemporaryPicture(const QString& path);

// Removes the temporary picture when it goes out of scope, whether the display worked or not.
class TemporaryPictureCleanup {
public:
    explicit TemporaryPictureCleanup(QString path) : path_(std::move(path)) {}
    ~TemporaryPictureCleanup() { removeTemporaryPicture(path_); }
    TemporaryPictureCleanup(const TemporaryPictureCleanup&) = delete;
    TemporaryPictureCleanup& operator=(const TemporaryPictureCleanup&) = delete;

private:
    QString path_;
};

} // namespace pellimo
