#include "scaled_bmp.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace pellimo {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr std::uint32_t Uncompressed = 0;
// A side longer than this is a damaged header rather than a picture.
constexpr std::int32_t LargestSide = 1 << 20;

struct BmpLayout {
    qint64 pixelsAt = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bytesPerPixel = 0;
    qint64 rowBytes = 0;
};

using Headers = std::array<char, FileHeaderSize + InfoHeaderSize>;

template <class T> T little(const Headers& header, int at) {
    return qFromLittleEndian<T>(header.data() + at);
}

std::optional<BmpLayout> layoutOf(const QByteArray& start) {
    Headers header;
    if (start.size() < qsizetype(header.size()) || !start.startsWith("BM"))
        return std::nullopt;
    std::copy_n(start.constData(), header.size(), header.begin());
    const auto infoSize = little<std::uint32_t>(header, 14);
    const auto width = little<std::int32_t>(header, 18);
    const auto height = little<std::int32_t>(header, 22);
    const auto planes = little<std::uint16_t>(header, 26);
    const auto bits = little<std::uint16_t>(header, 28);
    const auto compression = little<std::uint32_t>(header, 30);
    if (infoSize < InfoHeaderSize || planes != 1 || (bits != 24 && bits != 32) ||
        compression != Uncompressed || width <= 0 || width > LargestSide || height == 0 ||
        height < -LargestSide || height > LargestSide)
        return std::nullopt;
    BmpLayout layout;
    layout.pixelsAt = little<std::uint32_t>(header, 10);
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.bottomUp = height > 0;
    layout.bytesPerPixel = bits / 8;
    layout.rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    return layout;
}

// The source pixels that output pixel `out` of `outCount` covers: at least one.
std::pair<int, int> coveredBy(int out, int outCount, int sourceCount) {
    const int first = static_cast<int>(qint64(out) * sourceCount / outCount);
    const int last = static_cast<int>(qint64(out + 1) * sourceCount / outCount);
    return {first, std::max(last, first + 1)};
}

} // namespace

std::optional<QImage> decodeBmpScaled(QIODevice& device, QSize size) {
    const qint64 was = device.pos();
    std::optional<BmpLayout> layout;
    if (device.seek(0))
        layout = layoutOf(device.peek(FileHeaderSize + InfoHeaderSize));
    if (!layout || size.isEmpty()) {
        device.seek(was);
        return std::nullopt;
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    std::vector<char> row(static_cast<std::size_t>(layout->rowBytes));
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(size.width()) * 3);
    // The source columns of each box column, the same on every row.
    std::vector<std::pair<int, int>> columns(static_cast<std::size_t>(size.width()));
    for (int outX = 0; outX < size.width(); ++outX)
        columns[std::size_t(outX)] = coveredBy(outX, size.width(), layout->width);
    for (int outY = 0; outY < size.height(); ++outY) {
        std::fill(sums.begin(), sums.end(), 0);
        const auto [firstY, endY] = coveredBy(outY, size.height(), layout->height);
        for (int y = firstY; y < endY; ++y) {
            const int fileRow = layout->bottomUp ? layout->height - 1 - y : y;
            if (!device.seek(layout->pixelsAt + fileRow * layout->rowBytes) ||
                device.read(row.data(), layout->rowBytes) != layout->rowBytes)
                return QImage();
            for (int outX = 0; outX < size.width(); ++outX) {
                const auto [firstX, endX] = columns[std::size_t(outX)];
                for (int x = firstX; x < endX; ++x) {
                    const auto* pixel = reinterpret_cast<const unsigned char*>(row.data()) +
                                        std::size_t(x) * std::size_t(layout->bytesPerPixel);
                    for (int channel = 0; channel < 3; ++channel) // blue, green, red
                        sums[std::size_t(outX) * 3 + std::size_t(channel)] += pixel[channel];
                }
            }
        }
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(outY));
        for (int outX = 0; outX < size.width(); ++outX) {
            const auto [firstX, endX] = columns[std::size_t(outX)];
            const std::uint64_t count = std::uint64_t(endX - firstX) * std::uint64_t(endY - firstY);
            const std::uint64_t* sum = &sums[std::size_t(outX) * 3];
            line[outX] = qRgb(int(sum[2] / count), int(sum[1] / count), int(sum[0] / count));
        }
    }
    return image;
}

} // namespace pellimo
