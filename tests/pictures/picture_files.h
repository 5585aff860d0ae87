#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

class QLabel;

namespace pellimo {

// Picture files for the tests, of one colour. Qt writes JPEG but not GIF, so the GIF is put together here.
QByteArray jpegOf(QSize size, QColor colour);
QByteArray gifOf(QSize size);
// A 24-bit BMP, its top half red and its bottom half blue, as Qt writes it: bottom row first.
QByteArray redOverBlueBmp(QSize size);
// A black PNG of any size, put together without going through its pixels: 13 bits for every 86 of them,
// so 30000 x 30000 is 17 MB made in a moment.
QByteArray blackPng(QSize size);

// Whether the centre of the box's picture is this colour, within what a JPEG changes of it.
bool showsColour(const QLabel& box, QColor colour);

} // namespace pellimo
