#include "markup_text.h"

namespace pellimo {

namespace {

constexpr std::string_view MarkupCharacters = "&<>";

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

bool holdsMarkupCharacters(std::string_view text) {
    return text.find_first_of(MarkupCharacters) != std::string_view::npos;
}

} // namespace pellimo
