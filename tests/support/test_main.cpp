#include "desktop_sandbox.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>
#include <exception>
#include <gtest/gtest.h>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
// LeakSanitizer trips over the thread-local storage of the image plugins Qt loads (its __tls_get_addr
// interception fails with this glibc) and aborts at exit; without the interception the leak check still
// runs.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

// One QApplication for all tests. Offscreen must be set before it exists, as the build also runs each test
// program to list its tests, where no screen may be; a test entry that runs on a display of its own names
// the platform in PELLIMO_TEST_PLATFORM.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const QByteArray platform = qgetenv("PELLIMO_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    // A temporary folder of this process's own, so test programs run side by side never share picture.tmp
    // or any other temporary file.
    QTemporaryDir processTemp;
    if (!processTemp.isValid())
        return EXIT_FAILURE;
    qputenv("TEMP", processTemp.path().toLocal8Bit());
    qputenv("TMPDIR", processTemp.path().toLocal8Bit());
    // The desktop's file associations too: no test opens a real browser.
    try {
        pellimo::desktop_sandbox::isolate(processTemp.path());
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // Currency and number checks then read the same on every machine.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
