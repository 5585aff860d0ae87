#pragma once

#include "value.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace pellimo {

// How many bytes of a large value are read or written at a time.
inline constexpr std::size_t BinaryPiece = 64 * 1024;

// The bytes of one field, read from the first on a piece at a time, so that a large picture is never held
// whole.
class BinaryReader {
public:
    virtual ~BinaryReader() = default;
    virtual std::int64_t size() const = 0;
    // Copies the next bytes, at most `capacity` of them, into `buffer`; returns how many, 0 once all were
    // read.
    virtual std::size_t read(unsigned char* buffer, std::size_t capacity) = 0;
};

// The bytes of a value held in memory: a binary value's or a text's own; none for Null.
std::unique_ptr<BinaryReader> readerOfValue(Value value);

} // namespace pellimo
