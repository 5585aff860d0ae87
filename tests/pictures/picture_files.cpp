#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>

namespace pellimo {

namespace {

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void appendBigEndian(QByteArray& bytes, quint32 value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    appendBigEndian(png, static_cast<quint32>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png.append(typed);
    appendBigEndian(png, crc32(typed));
}

// A deflate stream written with the fixed codes, whose bits are sent from the first bit of each code.
class FixedCodeWriter {
public:
    void bits(quint32 value, int count) {
        pending_ |= static_cast<quint64>(value) << count_;
        for (count_ += count; count_ >= 8; count_ -= 8, pending_ >>= 8)
            out_.append(static_cast<char>(pending_ & 0xFF));
    }
    void code(quint32 value, int length) {
        quint32 reversed = 0;
        for (int bit = 0; bit < length; ++bit)
            reversed |= ((value >> bit) & 1) << (length - 1 - bit);
        bits(reversed, length);
    }
    QByteArray finish() {
        if (count_ > 0)
            out_.append(static_cast<char>(pending_ & 0xFF));
        return out_;
    }

private:
    QByteArray out_;
    quint64 pending_ = 0;
    int count_ = 0;
};

// n zero bytes, zlib-wrapped: a literal zero, then copies of the 258 bytes before, then literals.
QByteArray zlibOfZeros(qint64 n) {
    FixedCodeWriter writer;
    writer.bits(0x78 | (0x01 << 8), 16); // deflate, no dictionary, fastest
    writer.bits(1, 1);                   // the last block
    writer.bits(1, 2);                   // fixed codes
    const auto literalZero = [&writer] { writer.code(0x30, 8); };
    literalZero();
    qint64 left = n - 1;
    for (; left >= 258; left -= 258) {
        writer.code(0xC5, 8); // length 258
        writer.code(0, 5);    // distance 1
    }
    for (; left > 0; --left)
        literalZero();
    writer.code(0, 7); // end of block
    QByteArray stream = writer.finish();
    appendBigEndian(stream, static_cast<quint32>((n % 65521) << 16 | 1)); // Adler-32 of zeros
    return stream;
}

} // namespace

QByteArray jpegOf(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return encoded(image, "JPG");
}

QByteArray redOverBlueBmp(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < size.height() / 2; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), size.width(), qRgb(255, 0, 0));
    return encoded(image, "BMP");
}

QByteArray blackPng(QSize size) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, static_cast<quint32>(size.width()));
    appendBigEndian(header, static_cast<quint32>(size.height()));
    header.append("\x08\x02\0\0\0", 5); // 8-bit RGB, not interlaced
    appendChunk(png, "IHDR", header);
    // Each row is its filter byte, none, and its black pixels: zeros throughout.
    appendChunk(png, "IDAT", zlibOfZeros(qint64(size.height()) * (1 + 3 * qint64(size.width()))));
    appendChunk(png, "IEND", QByteArray());
    return png;
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
