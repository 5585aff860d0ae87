#include "bench_picture.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <random>

namespace pellimo {

// A photograph-like gradient under fine noise, so that the JPEG is as large as a real scan.
QByteArray noisyJpeg(QSize size, int noise) {
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> grain(-noise, noise);
    auto channel = [&](int base) { return std::clamp(base + grain(random), 0, 255); };
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(channel(x * 255 / size.width()), channel(y * 255 / size.height()), channel(128));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

} // namespace pellimo
