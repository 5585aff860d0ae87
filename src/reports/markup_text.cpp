#include "markup_text.h"

#include <algorithm>

namespace pellimo {

namespace {

template <typename Text, typename View> Text escaped(View text) {
    Text out;
    out.reserve(text.size() + 8);
    for (const auto c : text) {
        if (c == u'&')
            out += "&amp;";
        else if (c == u'<')
            out += "&lt;";
        else if (c == u'>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string markupText(std::string_view text) {
    return escaped<std::string>(text);
}

QString markupText(QStringView text) {
    return escaped<QString>(text);
}

// One pass of plain comparisons: find_first_of searches the three characters for each character of the text.
bool holdsMarkupCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '&' || c == '<' || c == '>'; });
}

} // namespace pellimo
