#include "box_text.h"

#include <QLineEdit>

namespace pellimo {

void showText(QLineEdit& box, const QString& text) {
    box.setText(text);
    box.setCursorPosition(0);
}

} // namespace pellimo
