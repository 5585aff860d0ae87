#pragma once

#include <QImage>
#include <QSize>
#include <optional>

class QIODevice;

namespace pellimo {

// The whole device, when it holds an uncompressed 24- or 32-bit BMP, decoded straight at `size`, one row
// of the file at a time, each pixel the average of the file's pixels it covers: memory stays the size of
// the picture shown, however large the file. Nullopt, with the device where it was, for any other file,
// which the image reader decodes instead; a null image for such a BMP cut short.
std::optional<QImage> decodeBmpScaled(QIODevice& device, QSize size);

} // namespace pellimo
