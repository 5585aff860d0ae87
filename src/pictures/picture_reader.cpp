#include "picture_reader.h"

namespace pellimo {

PictureReader::PictureReader(const QString& path) : reader_(path) {
    // The stored copy is named picture.tmp, and a chosen file's extension may not tell its kind.
    reader_.setDecideFormatFromContent(true);
}

PictureReader::PictureReader(QIODevice* device) : reader_(device) {}

QSize PictureReader::naturalSize() {
    return reader_.size();
}

QImage PictureReader::decodeAt(QSize size) {
    reader_.setScaledSize(size);
    return reader_.read();
}

} // namespace pellimo
