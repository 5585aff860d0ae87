#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace pellimo {

// The character code a key press types into a text box, control characters included: Backspace 8,
// Enter 13, Escape 27, Ctrl with a letter 1 to 26 (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24). Keys that type no
// character (arrows, Delete, function keys, Tab, Alt combinations) give nullopt.
std::optional<std::int16_t> keystrokeCode(const QKeyEvent& key);

} // namespace pellimo
