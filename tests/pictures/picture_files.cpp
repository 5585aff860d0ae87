#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <cstdlib>

namespace pellimo {

QByteArray jpegOf(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// Every pixel is colour 1 of a four-colour table. The LZW table is cleared after every two pixels, so each
// code keeps three bits.
QByteArray gifOf(QSize size) {
    QByteArray gif("GIF89a");
    auto word = [&gif](int value) {
        gif.append(static_cast<char>(value & 0xFF));
        gif.append(static_cast<char>(value >> 8));
    };
    word(size.width());
    word(size.height());
    gif.append("\x81\0\0", 3); // a global table of four colours, colour 1 dark green
    gif.append(QByteArray::fromHex("000000008000000000000000"));
    gif.append(',');
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    gif.append('\0');
    gif.append('\x02'); // the smallest code size: clear is 4, end of information 5

    QByteArray data;
    unsigned bits = 0;
    int count = 0;
    auto code = [&](unsigned value) {
        bits |= value << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8)
            data.append(static_cast<char>(bits & 0xFF));
    };
    for (int left = size.width() * size.height(); left > 0; left -= 2) {
        code(4);
        code(1);
        if (left > 1)
            code(1);
    }
    code(5);
    if (count > 0)
        data.append(static_cast<char>(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(static_cast<char>(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}

bool showsColour(const QLabel& box, QColor colour) {
    const QImage shown = box.pixmap().toImage();
    if (shown.isNull())
        return false;
    const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    const auto near = [](int a, int b) { return std::abs(a - b) < 24; };
    return near(centre.red(), colour.red()) && near(centre.green(), colour.green()) &&
           near(centre.blue(), colour.blue());
}

} // namespace pellimo
