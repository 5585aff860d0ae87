#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// One QApplication for all tests. Offscreen must be set before it exists, as the build also runs each test
// program to list its tests, where no screen may be.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Currency and number checks then read the same on every machine.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
