#pragma once

#include <QByteArray>
#include <QSize>

namespace pellimo {

// A photograph-like gradient under fine noise, saved as a JPEG as large as a real scan of that size.
QByteArray noisyJpeg(QSize size, int noise);

} // namespace pellimo
