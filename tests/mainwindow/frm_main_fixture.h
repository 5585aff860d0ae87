#pragma once

#include "fake_dialogs.h"
#include "frm_main.h"
#include "module1.h"
#include "tab_strip.h"
#include "temp_catalogue.h"
#include "window_control.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QToolButton>
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

    // A click on the enabled toolbar button with this key.
    void press(const char* key) {
        for (ToolbarButton index : allToolbarButtons) {
            QToolButton& button = window->Buttons(index);
            if (button.property("key").toString() == key) {
                ASSERT_TRUE(button.isEnabled()) << key;
                button.click();
                return;
            }
        }
        FAIL() << "no button " << key;
    }

    // Selects the page's tab, as a click on it does.
    // The window's text box of that name, found by its name as the tests find every control.
    QLineEdit& textBox(const char* name) const { return control<QLineEdit>(*window, name); }

    void selectTab(Page page) { control<TabStrip>(*window, "TabStrip1").setCurrentIndex(page - SetsPage); }

    // The set with this code shown on the Sets page, browsed to with First and Next.
    void browseToSet(const QString& code) {
        selectTab(SetsPage);
        if (window->Buttons(FirstButton).isEnabled())
            press("First");
        while (textBox("txtCode").text() != code) {
            ASSERT_TRUE(window->Buttons(NextButton).isEnabled()) << "no set " << code.toStdString();
            const QString before = textBox("txtCode").text();
            press("Next");
            ASSERT_NE(textBox("txtCode").text(), before) << "no set " << code.toStdString();
        }
    }

    // A small picture file in the program folder; its bytes are what a card stores.
    QString pictureFile(const QString& name, Qt::GlobalColor colour) const {
        QImage picture(16, 12, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = QDir(catalogue.folder()).filePath(name);
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }

    // The user's choice of `path` in the Picture menu's Load Front (or Load Back), for the card shown.
    void choosePicture(PictureSide side, const QString& path) {
        dialogs.queueFile(path);
        (side == PictureSide::Front ? &control<QAction>(*window, "mnuPicFront")
                                    : &control<QAction>(*window, "mnuPicBack"))
            ->trigger();
    }

    // Slots 1 to 4: "Y" while a chosen picture waits for the save of its card.
    const std::array<QString, 5>& pending() const { return window->pictures.PicChanged(); }

    TempCatalogue catalogue;
    FakeDialogs dialogs;
    QPointer<FrmMain> window;
};

} // namespace pellimo
