#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdint>

namespace pellimo {

namespace {

constexpr int TwipsPerInch = 1440;

int screenLogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

} // namespace

int twipsToPixels(int twips, int logicalDpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * logicalDpi;
    const std::int64_t half = scaled < 0 ? -TwipsPerInch / 2 : TwipsPerInch / 2;
    return static_cast<int>((scaled + half) / TwipsPerInch);
}

int twipsToPixels(int twips) {
    return twipsToPixels(twips, screenLogicalDpi());
}

double pixelsToTwips(int pixels) {
    return static_cast<double>(pixels) * TwipsPerInch / screenLogicalDpi();
}

QRect twipsToRect(int left, int top, int width, int height, int logicalDpi) {
    const int x = twipsToPixels(left, logicalDpi);
    const int y = twipsToPixels(top, logicalDpi);
    return QRect(x, y, twipsToPixels(left + width, logicalDpi) - x,
                 twipsToPixels(top + height, logicalDpi) - y);
}

QRect twipsToRect(int left, int top, int width, int height) {
    return twipsToRect(left, top, width, height, screenLogicalDpi());
}

} // namespace pellimo
