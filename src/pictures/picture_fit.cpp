#include "picture_fit.h"

namespace pellimo {

double MinDouble(double a, double b) {
    return a < b ? a : b;
}

TwipsSize fitToBound(TwipsSize natural) {
    const double heightRatio = PictureBoundHeight / natural.height;
    const double widthRatio = PictureBoundWidth / natural.width;
    // On a tie the height ratio wins.
    const double scale = MinDouble(widthRatio, heightRatio);
    return {scale * natural.width, scale * natural.height};
}

} // namespace pellimo
