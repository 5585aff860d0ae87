#pragma once

#include <stdexcept>
#include <string>

namespace pellimo {

// Error numbers that callers test or that users may meet; the numbers follow the engine we replace.
namespace err {
inline constexpr int Overflow = 6; // the language runtime's own failures
inline constexpr int TypeMismatch = 13;
inline constexpr int DeviceIOError = 57;
inline constexpr int PathFileAccessError = 75;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int Reserved = 3000; // an SQLite failure with no closer meaning
inline constexpr int UpdateWithoutEdit = 3020;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int DuplicateKey = 3022;
inline constexpr int FileNotFound = 3024;
inline constexpr int ReadOnly = 3027;
inline constexpr int CannotOpen = 3049;
inline constexpr int InvalidCriterion = 3077;
inline constexpr int FieldTooSmall = 3163;
inline constexpr int RecordDeleted = 3167;
inline constexpr int RelatedRecordRequired = 3201;
inline constexpr int Locked = 3260;
inline constexpr int ItemNotFound = 3265;
inline constexpr int NullNotAllowed = 3314;
inline constexpr int ConversionError = 3421;
inline constexpr int DialogCancelled = 32755;
} // namespace err

// Every numbered failure of the engine and of the platform layer.
class EngineError : public std::runtime_error {
public:
    EngineError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

} // namespace pellimo
