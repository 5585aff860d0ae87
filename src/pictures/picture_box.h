#pragma once

class QLabel;

namespace pellimo {

class PictureReader;

// A picture box is placed in pixels; the picture arithmetic is done in twips.
void setBoxHeight(QLabel& box, double twips);
void setBoxWidth(QLabel& box, double twips);

// Empties the picture, then sets Height 2532 and Width 2172; the top-left corner, Stretch and Visible stay.
void blankBox(QLabel& box);

// Decodes the picture at the size of the box's picture area and shows it there. A picture that cannot be
// decoded leaves the box as it was and returns false.
bool showPictureStretched(QLabel& box, PictureReader& picture);

} // namespace pellimo
