#pragma once

#include "field_info.h"
#include "value.h"

#include <string_view>

namespace pellimo {

// Sets the kind and width of a field from its declared type: TEXT(n), SMALLINT, MONEY, LONGBINARY.
void applyDeclaredType(FieldInfo& field, std::string_view declared);

// The value as the field stores it, or EngineError when the field cannot hold it: text longer than the
// field's width, a whole number out of the 16-bit range, text that is no number. Empty text stores Null,
// except in a binary field, where it is the empty value.
Value valueForField(const FieldInfo& field, Value value);

// The number of characters of UTF-8 text.
std::size_t characterCount(std::string_view text);

} // namespace pellimo
