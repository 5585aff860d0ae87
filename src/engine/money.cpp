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
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    std::int64_t units = 0;
    int digits = 0;
    int decimals = -1; // -1 until the decimal point
    // The decimal past the fourth, and whether any other follows it: enough to round, over the whole range.
    int fifth = 0;
    bool stickyBeyond = false;
    for (; at < text.size(); ++at) {
        char c = text[at];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        ++digits;
        const int digit = c - '0';
        if (decimals >= 4) {
            if (decimals == 4)
                fifth = digit;
            else
                stickyBeyond = stickyBeyond || digit != 0;
            ++decimals;
            continue;
        }
        if (units > (largest - digit) / 10)
            return std::nullopt;
        units = units * 10 + digit;
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return std::nullopt;
    for (int held = decimals < 0 ? 0 : decimals; held < 4; ++held) {
        if (units > largest / 10)
            return std::nullopt;
        units *= 10;
    }
    // A tie goes to the even one unless more digits follow.
    if (fifth > 5 || (fifth == 5 && (stickyBeyond || units % 2 != 0))) {
        if (units == largest)
            return std::nullopt;
        ++units;
    }
    return Money(negative ? -units : units);
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
