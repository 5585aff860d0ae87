#include "picture_reader.h"

#include "scaled_bmp.h"

#include <optional>

namespace pellimo {

namespace {

// A picture decoded whole takes a few tenths of a second at this size.
constexpr qint64 MostPixelsDecodedWhole = 40'000'000;

} // namespace

PictureReader::PictureReader(const QString& path) : reader_(path) {
    // The stored copy is named picture.tmp, and a chosen file's extension may not tell its kind.
    reader_.setDecideFormatFromContent(true);
}

PictureReader::PictureReader(QIODevice* device) : reader_(device) {}

QSize PictureReader::naturalSize() {
    return reader_.size();
}

QImage PictureReader::decodeAt(QSize size) {
    QIODevice* device = reader_.device();
    if (device->isOpen() || device->open(QIODevice::ReadOnly))
        if (std::optional<QImage> bmp = decodeBmpScaled(*device, size))
            return *bmp;
    // Only a JPEG is decoded scaled inside its decoder; any other kind goes through every pixel of the
    // file, a PNG at about ten milliseconds a million pixels, and would hold the window for seconds.
    const QSize natural = naturalSize();
    if (reader_.format() != "jpeg" && qint64(natural.width()) * natural.height() > MostPixelsDecodedWhole)
        return QImage();
    reader_.setScaledSize(size);
    return reader_.read();
}

} // namespace pellimo
