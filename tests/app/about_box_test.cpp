#include "about_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

int openBoxes() {
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmAbout") && window->isVisible())
            ++count;
    return count;
}

// Unloading a box deletes it later; this runs those deletes now.
void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class AboutBoxTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QStringLiteral("frmAbout"))
                window->close();
        runDeferredDeletes();
        QCoreApplication::setApplicationVersion(QString());
    }
};

TEST_F(AboutBoxTest, ShowingTwiceKeepsTheOneBoxOpen) {
    FrmAbout* first = showAboutBox();
    FrmAbout* second = showAboutBox();
    EXPECT_EQ(first, second);
    EXPECT_EQ(openBoxes(), 1);
}

TEST_F(AboutBoxTest, OpensOwnerlessNotModalAndFixedWithOkReadyForEnter) {
    FrmAbout* box = showAboutBox();
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About"));
    auto* cmdOK = box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(cmdOK, nullptr);
    EXPECT_EQ(cmdOK->text(), QStringLiteral("OK"));
    EXPECT_TRUE(cmdOK->isDefault());
    EXPECT_EQ(box->focusWidget(), cmdOK);
}

TEST_F(AboutBoxTest, VersionLineEndsWithALineBreak) {
    const QString expected = QStringLiteral("Version: 1.0.0\r\n");
    EXPECT_EQ(versionLine(), expected);

    auto* lblDetails = showAboutBox()->findChild<QLabel*>(QStringLiteral("lblDetails"));
    ASSERT_NE(lblDetails, nullptr);
    EXPECT_EQ(lblDetails->text(), expected);
}

// A dark desktop palette gives light text, which would vanish on the light picture.
TEST_F(AboutBoxTest, VersionLineIsDarkOnADarkPalette) {
    const QPalette desktop = QApplication::palette();
    QPalette dark = desktop;
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    FrmAbout* box = showAboutBox();
    auto* lblDetails = box->findChild<QLabel*>(QStringLiteral("lblDetails"));
    ASSERT_NE(lblDetails, nullptr);
    const QImage drawn = box->grab(lblDetails->geometry()).toImage();
    QApplication::setPalette(desktop);
    int darkest = 255;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            darkest = std::min(darkest, QColor(drawn.pixel(x, y)).lightness());
    EXPECT_LT(darkest, 80);
}

// The version text and OK must stand on a plain part of the picture to read well.
TEST_F(AboutBoxTest, PictureCoversTheBoxAndIsPlainBehindTheTextAndOk) {
    FrmAbout* box = showAboutBox();
    auto* imgAbout = box->findChild<QLabel*>(QStringLiteral("imgAbout"));
    ASSERT_NE(imgAbout, nullptr);
    const QImage picture = imgAbout->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(480, 240));
    EXPECT_TRUE(imgAbout->hasScaledContents());
    EXPECT_TRUE(imgAbout->geometry().contains(box->rect()));

    const QRect behind = box->findChild<QLabel*>(QStringLiteral("lblDetails"))
                             ->geometry()
                             .united(box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->geometry());
    const double scaleX = double(picture.width()) / imgAbout->width();
    const double scaleY = double(picture.height()) / imgAbout->height();
    const QRect inPicture(QPoint(int(behind.left() * scaleX), int(behind.top() * scaleY)),
                          QPoint(int(behind.right() * scaleX), int(behind.bottom() * scaleY)));
    const QRgb plain = picture.pixel(inPicture.topLeft());
    for (int y = inPicture.top(); y <= inPicture.bottom(); ++y)
        for (int x = inPicture.left(); x <= inPicture.right(); ++x)
            ASSERT_EQ(picture.pixel(x, y), plain) << "at " << x << "," << y;
}

struct Closing {
    const char* name;
    std::function<void(FrmAbout*)> close;
};

class AboutBoxClosingTest : public AboutBoxTest, public ::testing::WithParamInterface<Closing> {};

QPushButton* okOf(FrmAbout* box) {
    return box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

TEST_P(AboutBoxClosingTest, UnloadsTheBoxSoTheNextShowLoadsAFreshOne) {
    QPointer<FrmAbout> box = showAboutBox();
    GetParam().close(box);
    runDeferredDeletes();
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(openBoxes(), 0);

    QPointer<FrmAbout> fresh = showAboutBox();
    EXPECT_FALSE(fresh.isNull());
    EXPECT_EQ(openBoxes(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, AboutBoxClosingTest,
    ::testing::Values(Closing{"Ok", [](FrmAbout* box) { QTest::mouseClick(okOf(box), Qt::LeftButton); }},
                      Closing{"Enter", [](FrmAbout* box) { QTest::keyClick(okOf(box), Qt::Key_Return); }},
                      Closing{"Escape", [](FrmAbout* box) { QTest::keyClick(okOf(box), Qt::Key_Escape); }},
                      Closing{"CloseButton", [](FrmAbout* box) { box->close(); }}),
    [](const ::testing::TestParamInfo<Closing>& closing) { return std::string(closing.param.name); });

} // namespace
} // namespace pellimo
