#pragma once

#include <QRect>

namespace pellimo {

// Positions and sizes are given in twips, 1440 to the inch.

// Rounded to the nearest pixel, a half away from zero: 15 twips are one pixel at 96 dots per inch.
int twipsToPixels(int twips, int logicalDpi);
// At the primary screen's logical DPI (96 when there is no screen).
int twipsToPixels(int twips);

// Pixels back to twips at the primary screen's logical DPI, unrounded: the picture arithmetic is done in
// twips.
double pixelsToTwips(int pixels);

// A control's place: the edges are converted, not the sizes, so that controls that meet in twips meet on
// the screen too.
QRect twipsToRect(int left, int top, int width, int height, int logicalDpi);
QRect twipsToRect(int left, int top, int width, int height);

} // namespace pellimo
