// Makes an empty catalogue from the schema script, unless a file of that name is already there.
// Usage: make_catalogue <schema.sql> <catalogue file>
// A user's catalogue is never touched: the new one is built under a temporary name in the same folder and
// then published only if the name is still free.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <memory>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pellimo {
namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool isThere(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

std::string readScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Failure(systemError("cannot read", path));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file that is removed again unless it is kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside) : path_(beside + ".XXXXXX") {
        const int fd = mkstemp(path_.data());
        if (fd < 0)
            throw Failure(systemError("cannot create a file beside", beside));
        // mkstemp makes the file private; the catalogue gets the permissions of any new file.
        const mode_t mask = umask(0);
        umask(mask);
        const int changed = fchmod(fd, 0666 & ~mask);
        close(fd);
        if (changed != 0) {
            std::remove(path_.c_str());
            throw Failure(systemError("cannot set the permissions of", path_));
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!kept_)
            std::remove(path_.c_str());
    }
    const std::string& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

void exec(sqlite3* db, const std::string& sql, const std::string& path) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw Failure(path + ": " + text);
    }
}

// Runs the whole script in one transaction, so a failing statement leaves no half-made catalogue.
void build(const std::string& path, const std::string& script, const std::string& scriptPath) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Connection db(raw, &sqlite3_close);
    if (opened != SQLITE_OK)
        throw Failure(path + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened)));
    // No journal file beside the catalogue: a failed build is thrown away whole anyway.
    exec(db.get(), "PRAGMA journal_mode=MEMORY", path);
    exec(db.get(), "BEGIN", path);
    exec(db.get(), script, scriptPath);
    exec(db.get(), "COMMIT", path);
    if (sqlite3_close(db.release()) != SQLITE_OK)
        throw Failure("cannot close " + path);
}

// Gives the temporary file the target's name unless that name was taken meanwhile; a file that appeared
// is kept and the temporary one is dropped.
void publish(TemporaryFile& temporary, const std::string& target) {
    if (link(temporary.path().c_str(), target.c_str()) == 0 || errno == EEXIST)
        return;
    // File systems without hard links can still rename without replacing.
    if (renameat2(AT_FDCWD, temporary.path().c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        temporary.keep();
        return;
    }
    if (errno != EEXIST)
        throw Failure(systemError("cannot create", target));
}

void makeCatalogue(const std::string& scriptPath, const std::string& target) {
    if (isThere(target))
        return;
    const std::string script = readScript(scriptPath);
    TemporaryFile temporary(target);
    build(temporary.path(), script, scriptPath);
    publish(temporary, target);
}

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_catalogue <schema.sql> <catalogue file>\n";
        return 2;
    }
    try {
        pellimo::makeCatalogue(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "make_catalogue: " << failure.what() << '\n';
        return 1;
    }
}
