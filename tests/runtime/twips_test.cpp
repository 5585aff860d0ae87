#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

TEST(Twips, FifteenMakeAPixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
    EXPECT_EQ(twipsToPixels(2172, 96), 145);
}

TEST(Twips, RoundToTheNearestPixelOnEitherSideOfZero) {
    EXPECT_EQ(twipsToPixels(100, 96), 7); // 6.67
    EXPECT_EQ(twipsToPixels(97, 96), 6);  // 6.47
    EXPECT_EQ(twipsToPixels(-100, 96), -7);
    EXPECT_EQ(twipsToPixels(5, 144), 1); // a half
    EXPECT_EQ(twipsToPixels(-5, 144), -1);
}

TEST(Twips, PlacesThatMeetInTwipsMeetInPixels) {
    const QRect first = twipsToRect(0, 0, 100, 100, 96);
    const QRect second = twipsToRect(100, 100, 100, 100, 96);
    EXPECT_EQ(first, QRect(0, 0, 7, 7));
    EXPECT_EQ(second.topLeft(), first.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(second.size(), QSize(6, 6));
}

TEST(Twips, ScreenFormsUseThePrimaryScreensLogicalDpi) {
    const int dpi = static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
    EXPECT_EQ(twipsToPixels(2880), 2 * dpi);
    EXPECT_EQ(twipsToRect(1440, 0, 1440, 720), QRect(dpi, 0, dpi, twipsToPixels(720, dpi)));
}

} // namespace
} // namespace pellimo
