#pragma once

#include <QString>

class QLineEdit;

namespace pellimo {

// Writes text into a box the way the program shows a value: from its start, so that a name longer than
// its box shows its first characters, not its last (QLineEdit::setText puts the cursor at the end).
void showText(QLineEdit& box, const QString& text);
// The box's amount shown again in the "Currency" form, from its start.
void showAsCurrency(QLineEdit& box);

} // namespace pellimo
