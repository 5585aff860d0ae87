#include "box_text.h"

#include "formats.h"

#include <QLineEdit>

namespace pellimo {

void showText(QLineEdit& box, const QString& text) {
    box.setText(text);
    box.setCursorPosition(0);
}

void showAsCurrency(QLineEdit& box) {
    showText(box, formatCurrencyText(box.text()));
}

} // namespace pellimo
