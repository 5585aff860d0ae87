#pragma once

#include "value.h"

#include <QString>
#include <utility>

namespace pellimo {

// The one file a stored picture passes through to be shown: picture.tmp in the folder named by TEMP where
// it is set and not empty, else by TMPDIR, else in /tmp.
QString temporaryPicturePath();

// Writes the bytes to `path`, creating the file owner-only or replacing what a file of ours held. Anything
// but a regular file of our own there (a symbolic link, a pipe, another user's file) is never written
// through: the write fails with EngineError WriteToFileFailed instead.
void writeOwnerOnlyFile(const QString& path, const Bytes& bytes);

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
