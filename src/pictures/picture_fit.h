#pragma once

namespace pellimo {

// The bound a shown card picture is fitted into, which is also the size of a blank box, in twips.
inline constexpr int PictureBoundWidth = 2172;
inline constexpr int PictureBoundHeight = 2532;

// a when a < b, otherwise b: a tie goes to b.
double MinDouble(double a, double b);

struct TwipsSize {
    double width = 0;
    double height = 0;
};

// The box size for a picture of `natural` size (both sides above zero): scaled with its proportions kept
// until one side meets the bound and the other is within it. Small pictures are enlarged.
TwipsSize fitToBound(TwipsSize natural);

} // namespace pellimo
