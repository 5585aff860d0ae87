#pragma once

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

namespace pellimo {

// A picture file read as the boxes need it: its natural size first, without decoding it, then the picture
// decoded straight at the size it is shown at, so that a large picture is never held whole in memory.
class PictureReader {
public:
    explicit PictureReader(const QString& path);
    // Reads from the device, which must stay open while the reader is used.
    explicit PictureReader(QIODevice* device);

    // Empty (or invalid) when the file holds no picture the reader knows.
    QSize naturalSize();
    // A null image when the picture cannot be decoded, or not in a moment: more than 40 million pixels of a
    // kind that is decoded whole.
    QImage decodeAt(QSize size);

private:
    QImageReader reader_;
};

} // namespace pellimo
