#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace pellimo {

// Picture files for the tests, of one colour. Qt writes JPEG but not GIF, so the GIF is put together here.
QByteArray jpegOf(QSize size, QColor colour);
QByteArray gifOf(QSize size);

} // namespace pellimo
