// Not a test: save_new_set_child <folder> <n> starts the window over the catalogue in <folder>, types a new
// set "KILL" of 5 cards at 1 and saves it with the toolbar. Counted from the Save, the program is killed as
// it is about to make its n-th change to a file (a write, a truncation, a removal). Prints the number of
// changes and exits 0 when the save ends first.

#include "fake_dialogs.h"
#include "frm_main.h"
#include "module1.h"
#include "window_control.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

long killAt = 0;
long changes = 0;
bool armed = false;

void countChange() {
    if (armed && ++changes == killAt)
        raise(SIGKILL);
}

template <class Function> Function realCall(const char* name) {
    sqlite3_vfs* files = sqlite3_vfs_find(nullptr);
    return reinterpret_cast<Function>(files->xGetSystemCall(files, name));
}

using PwriteCall = ssize_t (*)(int, const void*, size_t, off_t);
using WriteCall = ssize_t (*)(int, const void*, size_t);
using TruncateCall = int (*)(int, off_t);
using UnlinkCall = int (*)(const char*);

PwriteCall realPwrite64, realPwrite;
WriteCall realWrite;
TruncateCall realTruncate;
UnlinkCall realUnlink;

ssize_t dyingPwrite64(int fd, const void* data, size_t size, off_t at) {
    countChange();
    return realPwrite64(fd, data, size, at);
}
ssize_t dyingPwrite(int fd, const void* data, size_t size, off_t at) {
    countChange();
    return realPwrite(fd, data, size, at);
}
ssize_t dyingWrite(int fd, const void* data, size_t size) {
    countChange();
    return realWrite(fd, data, size);
}
int dyingTruncate(int fd, off_t size) {
    countChange();
    return realTruncate(fd, size);
}
int dyingUnlink(const char* path) {
    countChange();
    return realUnlink(path);
}

// The catalogue's files are changed only through these calls of SQLite's own file layer.
void interceptFileChanges() {
    realPwrite64 = realCall<PwriteCall>("pwrite64");
    realPwrite = realCall<PwriteCall>("pwrite");
    realWrite = realCall<WriteCall>("write");
    realTruncate = realCall<TruncateCall>("ftruncate");
    realUnlink = realCall<UnlinkCall>("unlink");
    sqlite3_vfs* files = sqlite3_vfs_find(nullptr);
    files->xSetSystemCall(files, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(&dyingPwrite64));
    files->xSetSystemCall(files, "pwrite", reinterpret_cast<sqlite3_syscall_ptr>(&dyingPwrite));
    files->xSetSystemCall(files, "write", reinterpret_cast<sqlite3_syscall_ptr>(&dyingWrite));
    files->xSetSystemCall(files, "ftruncate", reinterpret_cast<sqlite3_syscall_ptr>(&dyingTruncate));
    files->xSetSystemCall(files, "unlink", reinterpret_cast<sqlite3_syscall_ptr>(&dyingUnlink));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return EXIT_FAILURE;
    killAt = std::atol(argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    interceptFileChanges();

    pellimo::FakeDialogs dialogs;
    pellimo::FrmMain* window = pellimo::Main(QString::fromLocal8Bit(argv[1]), dialogs);
    if (window == nullptr)
        return EXIT_FAILURE;
    QTest::qWait(20);
    window->Buttons(pellimo::NewButton).click();
    // Each box's text typed over what it shows, as the user selects it and types.
    for (const auto& [box, text] : {std::pair{&control<QLineEdit>(*window, "txtCode"), "KILL"},
                                    std::pair{&control<QLineEdit>(*window, "txtDesc"), "Killed"},
                                    std::pair{&control<QLineEdit>(*window, "txtTot"), "5"},
                                    std::pair{&control<QLineEdit>(*window, "txtvalue"), "1"}}) {
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(box, text);
    }
    armed = true;
    window->Buttons(pellimo::SaveButton).click();
    armed = false;
    std::printf("%ld\n", changes);
    delete window;
    return EXIT_SUCCESS;
}
