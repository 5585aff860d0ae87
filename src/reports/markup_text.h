#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pellimo {

// A value as a browser is to show it, not to read as markup: "&", "<" and ">" become their character
// references; every other character stays as it is.
std::string markupText(std::string_view text);
QString markupText(QStringView text);

// Whether markupText changes `text`: most values hold none of the three characters.
bool holdsMarkupCharacters(std::string_view text);

} // namespace pellimo
