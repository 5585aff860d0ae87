#include "money.h"

#include <cmath>
#include <limits>

namespace pellimo {

std::optional<Money> Money::fromDouble(double value) {
    double units = std::nearbyint(value * Scale); // the default rounding mode ties to even
    if (!std::isfinite(units) || std::fabs(units) >= 9.2e18)
        return std::nullopt;
    return Money(static_cast<std::int64_t>(units));
}

std::optional<Money> Money::parse(std::string_view text) {
    bool negative = false;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    std::int64_t units = 0;
    int digits = 0;
    int decimals = -1; // -1 until the decimal point
    // Extra decimals are kept to one more than we hold plus a sticky flag, enough to round correctly.
    bool stickyBeyond = false;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 100;
    for (; at < text.size(); ++at) {
        char c = text[at];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        ++digits;
        if (decimals >= 5) {
            stickyBeyond = stickyBeyond || c != '0';
            continue;
        }
        if (units > limit)
            return std::nullopt;
        units = units * 10 + (c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return std::nullopt;
    int held = decimals < 0 ? 0 : decimals;
    for (; held < 5; ++held) {
        if (units > limit)
            return std::nullopt;
        units *= 10;
    }
    // units now holds five decimals: round the fifth away, a tie to even unless more digits follow.
    std::int64_t quotient = units / 10;
    std::int64_t last = units % 10;
    if (last > 5 || (last == 5 && (stickyBeyond || quotient % 2 != 0)))
        ++quotient;
    return Money(negative ? -quotient : quotient);
}

std::string Money::toPlainString(char decimalPoint) const {
    std::int64_t magnitude = units_ < 0 ? -units_ : units_;
    std::string text = std::to_string(magnitude / Scale);
    std::int64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + Scale).substr(1);
        while (decimals.back() == '0')
            decimals.pop_back();
        text += decimalPoint;
        text += decimals;
    }
    return units_ < 0 ? "-" + text : text;
}

} // namespace pellimo
