#include "picture_box.h"

#include "picture_fit.h"
#include "picture_reader.h"
#include "twips.h"

#include <QLabel>
#include <QPixmap>
#include <cmath>

namespace pellimo {

namespace {

int twipsToBoxPixels(double twips) {
    return twipsToPixels(static_cast<int>(std::lround(twips)));
}

} // namespace

void setBoxHeight(QLabel& box, double twips) {
    box.resize(box.width(), twipsToBoxPixels(twips));
}

void setBoxWidth(QLabel& box, double twips) {
    box.resize(twipsToBoxPixels(twips), box.height());
}

void blankBox(QLabel& box) {
    box.clear();
    setBoxHeight(box, PictureBoundHeight);
    setBoxWidth(box, PictureBoundWidth);
}

bool showPictureStretched(QLabel& box, PictureReader& picture) {
    const qreal pixelRatio = box.devicePixelRatioF();
    // The area inside the border, where the box draws its picture; never less than one pixel to decode.
    const QSize area = (box.contentsRect().size() * pixelRatio).expandedTo(QSize(1, 1));
    QImage image = picture.decodeAt(area);
    if (image.isNull())
        return false;
    image.setDevicePixelRatio(pixelRatio);
    box.setPixmap(QPixmap::fromImage(std::move(image)));
    return true;
}

} // namespace pellimo
