// Reading "hhmmss" and "yyyymmdd" texts, narrow and wide alike.
#include <string>
#include <string_view>

#include "util/decimal_readers.h"
#include "tesk/format_time.h"

namespace TeskUtility {
namespace {

template <class Char>
constexpr bool IsDigit(Char c) {
    return c >= Char('0') && c <= Char('9');
}

// Three consecutive fields of the given widths (2-2-2 for a time, 4-2-2 for a date).
struct FieldLayout {
    int widths[3];
    int Total() const { return widths[0] + widths[1] + widths[2]; }
};

constexpr FieldLayout kTimeLayout{{2, 2, 2}};
constexpr FieldLayout kDateLayout{{4, 2, 2}};

// Splits the text into the layout's three raw field values; false when the text is
// too short or, in digits-only mode, runs out before enough digits are found.
template <class Char>
bool ReadFields(const Char* text, int length, const FieldLayout& layout, int digitsOnly, long (&fields)[3]) {
    if (text == nullptr) return false;
    if (length < 0) length = static_cast<int>(std::char_traits<Char>::length(text));
    const int total = layout.Total();
    if (length < total) return false;

    Char digits[8];
    const Char* source = text;
    if (digitsOnly) {
        int found = 0;
        for (int i = 0; i < length && found < total; ++i)
            if (IsDigit(text[i])) digits[found++] = text[i];
        if (found < total) return false;
        source = digits;
    }
    for (int f = 0, at = 0; f < 3; at += layout.widths[f], ++f) fields[f] = detail::ReadMinusAndDigits<long>(
            std::basic_string_view<Char>(source + at, static_cast<std::size_t>(layout.widths[f])));
    return true;
}

template <class Char>
int ParseTime(const Char* text, int length, unsigned char& hour, unsigned char& minute, unsigned char& second,
              int digitsOnly) {
    long fields[3];
    if (!ReadFields(text, length, kTimeLayout, digitsOnly, fields)) return 0;
    const auto h = static_cast<unsigned char>(fields[0]);
    const auto m = static_cast<unsigned char>(fields[1]);
    const auto s = static_cast<unsigned char>(fields[2]);
    if (!IsValidTime(h, m, s)) return 0;
    hour = h;
    minute = m;
    second = s;
    return 1;
}

template <class Char>
int ParseDate(const Char* text, int length, std::uint16_t& year, unsigned char& month, unsigned char& day,
              int digitsOnly) {
    long fields[3];
    if (!ReadFields(text, length, kDateLayout, digitsOnly, fields)) return 0;
    const auto y = static_cast<std::uint16_t>(fields[0]);
    const auto m = static_cast<unsigned char>(fields[1]);
    const auto d = static_cast<unsigned char>(fields[2]);
    if (!IsValidDate(y, m, d)) return 0;
    year = y;
    month = m;
    day = d;
    return 1;
}

}  // namespace

int TimeStringToByteA(const char* text, int length, unsigned char& hour, unsigned char& minute,
                      unsigned char& second, int digitsOnly) {
    return ParseTime(text, length, hour, minute, second, digitsOnly);
}

int TimeStringToByteA(const CStringA& text, unsigned char& hour, unsigned char& minute, unsigned char& second,
                      int digitsOnly) {
    return ParseTime(text.data(), static_cast<int>(text.size()), hour, minute, second, digitsOnly);
}

int TimeStringToByteW(const char16_t* text, int length, unsigned char& hour, unsigned char& minute,
                      unsigned char& second, int digitsOnly) {
    return ParseTime(text, length, hour, minute, second, digitsOnly);
}

int TimeStringToByteW(const CStringW& text, unsigned char& hour, unsigned char& minute, unsigned char& second,
                      int digitsOnly) {
    return ParseTime(text.data(), static_cast<int>(text.size()), hour, minute, second, digitsOnly);
}

int DateStringToByteA(const char* text, int length, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly) {
    return ParseDate(text, length, year, month, day, digitsOnly);
}

int DateStringToByteA(const CStringA& text, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly) {
    return ParseDate(text.data(), static_cast<int>(text.size()), year, month, day, digitsOnly);
}

int DateStringToByteW(const char16_t* text, int length, std::uint16_t& year, unsigned char& month,
                      unsigned char& day, int digitsOnly) {
    return ParseDate(text, length, year, month, day, digitsOnly);
}

int DateStringToByteW(const CStringW& text, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly) {
    return ParseDate(text.data(), static_cast<int>(text.size()), year, month, day, digitsOnly);
}

}  // namespace TeskUtility
