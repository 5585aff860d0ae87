#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pellimo {

// A currency amount: fixed point with four decimals, held as ten-thousandths so that sums are exact.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromTenThousandths(std::int64_t units) { return Money(units); }
    // Rounds to four decimals, a tie to the even one; nullopt outside the range of the type.
    static std::optional<Money> fromDouble(double value);
    // Plain decimal text: optional sign, digits, optional '.' and digits ("-12.5", ".25", "3.").
    // Decimals past the fourth are rounded, a tie to the even one.
    static std::optional<Money> parse(std::string_view text);

    constexpr std::int64_t tenThousandths() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / Scale; }
    // The shortest plain form: "25", "1.5", "-0.0125"; `decimalPoint` separates the decimals.
    std::string toPlainString(char decimalPoint = '.') const;

    friend constexpr Money operator+(Money a, Money b) { return Money(a.units_ + b.units_); }
    Money& operator+=(Money other) {
        units_ += other.units_;
        return *this;
    }
    friend constexpr bool operator==(Money, Money) = default;
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace pellimo
