#include "keystroke_code.h"

#include <QKeyEvent>

namespace pellimo {

std::optional<std::int16_t> keystrokeCode(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete: // the platform gives it a text of its own, yet it types nothing
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        break;
    }
    if (key.modifiers() & Qt::AltModifier)
        return std::nullopt;
    if (key.modifiers() & Qt::ControlModifier) {
        if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
            return static_cast<std::int16_t>(key.key() - Qt::Key_A + 1);
        return std::nullopt;
    }
    if (key.text().isEmpty())
        return std::nullopt;
    // One UTF-16 unit; those past 32767 read negative, as a 16-bit signed code does.
    return static_cast<std::int16_t>(key.text().front().unicode());
}

} // namespace pellimo
