#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <string>
#include <sys/mount.h>

namespace pellimo {

// A disk of `bytes` (whole pages) mounted on `folder` while the object lives, where the system lets a test
// mount one: writing past its room fails with the system's "No space left on device".
class SmallDisk {
public:
    SmallDisk(const QString& folder, long bytes) : path_(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        const std::string size = "size=" + std::to_string(bytes);
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, size.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

private:
    QByteArray path_;
    bool mounted_ = false;
};

} // namespace pellimo
