#include "picture_fit.h"

#include <cmath>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

TEST(MinDouble, TakesTheSmallerAndOnATieTheSecond) {
    EXPECT_EQ(MinDouble(1.5, 2.0), 1.5);
    EXPECT_EQ(MinDouble(2.0, 1.5), 1.5);
    // 0.0 and -0.0 compare equal; only the sign tells which one came back.
    EXPECT_TRUE(std::signbit(MinDouble(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(MinDouble(-0.0, 0.0)));
}

void expectFitted(TwipsSize natural, double width, double height) {
    const TwipsSize fitted = fitToBound(natural);
    EXPECT_NEAR(fitted.width, width, 0.5) << natural.width << " x " << natural.height;
    EXPECT_NEAR(fitted.height, height, 0.5) << natural.width << " x " << natural.height;
}

TEST(FitToBound, KeepsProportionsUntilOneSideMeetsTheBound) {
    expectFitted({4000, 3000}, 2172, 1629);
    expectFitted({3000, 4000}, 1899, 2532);
    expectFitted({1000, 1000}, 2172, 2172); // small pictures are enlarged
    expectFitted({1086, 1266}, 2172, 2532); // exactly the bound's proportions: the ratios tie
}

} // namespace
} // namespace pellimo
