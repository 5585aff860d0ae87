#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

class QLabel;

namespace pellimo {

// Picture files for the tests, of one colour. Qt writes JPEG but not GIF, so the GIF is put together here.
QByteArray jpegOf(QSize size, QColor colour);
QByteArray gifOf(QSize size);

// Whether the centre of the box's picture is this colour, within what a JPEG changes of it.
bool showsColour(const QLabel& box, QColor colour);

} // namespace pellimo
