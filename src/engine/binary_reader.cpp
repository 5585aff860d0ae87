#include "binary_reader.h"

#include <algorithm>
#include <span>

namespace pellimo {

namespace {

class ValueReader final : public BinaryReader {
public:
    explicit ValueReader(Value value) : value_(std::move(value)) {
        if (value_.type() == Value::Type::Binary)
            bytes_ = value_.asBytes();
        else if (value_.type() == Value::Type::Text)
            bytes_ = {reinterpret_cast<const unsigned char*>(value_.asText().data()), value_.asText().size()};
    }

    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }

    std::size_t read(unsigned char* buffer, std::size_t capacity) override {
        const std::span<const unsigned char> next =
            bytes_.subspan(offset_, std::min(capacity, bytes_.size() - offset_));
        std::copy(next.begin(), next.end(), buffer);
        offset_ += next.size();
        return next.size();
    }

private:
    Value value_;
    std::span<const unsigned char> bytes_;
    std::size_t offset_ = 0;
};

} // namespace

std::unique_ptr<BinaryReader> readerOfValue(Value value) {
    return std::make_unique<ValueReader>(std::move(value));
}

} // namespace pellimo
