#pragma once

#include "fake_dialogs.h"
#include "frm_main.h"
#include "module1.h"
#include "temp_catalogue.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace pellimo {

// A program folder with its catalogue, and the main window started over it as the program starts it.
class FrmMainTest : public ::testing::Test {
protected:
    void TearDown() override {
        delete window.data();
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Main, then the event loop's first turns, in which the first activation is handled.
    FrmMain& start() {
        window = Main(catalogue.folder(), dialogs);
        EXPECT_NE(window, nullptr);
        settle();
        return *window;
    }

    // A window that is loaded but not shown: no activation runs.
    FrmMain& load() {
        window = new FrmMain(catalogue.folder(), dialogs);
        return *window;
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QTest::qWait(5);
    }

    TempCatalogue catalogue;
    FakeDialogs dialogs;
    QPointer<FrmMain> window;
};

} // namespace pellimo
