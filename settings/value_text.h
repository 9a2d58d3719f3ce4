// The text forms in which the setting store and the serializable map keep
// typed values, and the readers that take them back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace TeskUtility::detail {

// Room for the longest form of either integer width ("-9223372036854775808").
struct IntegerText {
    char text[24];
};
IntegerText FormatInteger(std::int64_t value);

// 12 significant digits as the C runtime's "g" conversion writes them: the
// exponent decides the notation before rounding, the point is kept, the
// exponent has a sign and at least three digits.
struct DoubleText {
    char text[32];
};
DoubleText FormatDouble(double value);

// The C library's rule (ReadSpaceSignAndDigits): leading white space, an
// optional sign, then digits; no digits reads as 0, values beyond the type
// are clamped. Not the format settings file's rule: there " 45" reads as 0.
std::int32_t ReadInteger(const char* text);
std::int64_t ReadInteger64(const char* text);
// Leading white space, a sign, digits with an optional point and exponent
// (also "inf" and "nan"); anything else reads as 0.0.
double ReadDouble(const char* text);

// Upper-case hexadecimal of the bytes in a zero-filled block of 2 * size + 1
// bytes; null when the block cannot be allocated.
std::unique_ptr<char[]> EncodeBinary(const void* data, std::uint32_t size);

// The binary read protocol. `text` is the stored value, null when missing;
// on entry `size` is the buffer's capacity. Returns the buffer on success;
// otherwise null with `size` set to the bytes needed (null or too small a
// buffer) or to 0 (missing value, odd length, a non-hex character).
void* DecodeBinary(const char* text, std::size_t length, void* buffer, std::uint32_t& size);

}  // namespace TeskUtility::detail
