#pragma once

#include <string>

namespace pellimo {

enum class FieldKind { Text, Integer, Money, Binary };

// A field as the table declares it; `width` is the most characters a text field holds (0: no limit).
struct FieldInfo {
    std::string name;
    FieldKind kind = FieldKind::Text;
    int width = 0;
};

} // namespace pellimo
