#include "settings/value_text.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "tesk/util_digest.h"
#include "util/decimal_readers.h"

namespace TeskUtility::detail {
namespace {

constexpr int kSignificant = 12;

// The power of ten of the leading digit of the exact value of a finite,
// non-zero `value`: floor(log10(|value|)), free of floating rounding.
int DecimalExponent(double value, int roundedExponent, bool roundedToPowerOfTen) {
    if (!roundedToPowerOfTen) return roundedExponent;
    // The 12-digit rounding may have carried into the next power of ten; the
    // exact digits (at most 767 significant) tell.
    char exact[800];
    const auto r = std::to_chars(exact, exact + sizeof exact, value, std::chars_format::scientific, 770);
    const char* e = static_cast<const char*>(std::memchr(exact, 'e', static_cast<std::size_t>(r.ptr - exact)));
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), r.ptr, exponent);
    return exponent;
}

char* AppendExponent(char* p, int exponent) {
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const unsigned magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    char digits[8];
    auto r = std::to_chars(digits, digits + sizeof digits, magnitude);
    for (auto n = r.ptr - digits; n < 3; ++n) *p++ = '0';
    std::memcpy(p, digits, static_cast<std::size_t>(r.ptr - digits));
    return p + (r.ptr - digits);
}

// Drops trailing zeros of a fraction in [first, last) that holds a point;
// the point itself stays. Returns the new end.
char* TrimFractionZeros(char* first, char* last) {
    if (!std::memchr(first, '.', static_cast<std::size_t>(last - first))) return last;
    while (last[-1] == '0') --last;
    return last;
}

}  // namespace

IntegerText FormatInteger(std::int64_t value) {
    IntegerText out;
    auto r = std::to_chars(out.text, out.text + sizeof out.text - 1, value);
    *r.ptr = '\0';
    return out;
}

DoubleText FormatDouble(double value) {
    DoubleText out;
    char* p = out.text;
    char* const end = out.text + sizeof out.text;
    if (!std::isfinite(value)) {
        std::strcpy(p, std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf"));
        return out;
    }
    if (value == 0.0) {
        std::strcpy(p, std::signbit(value) ? "-0." : "0.");
        return out;
    }
    // Scientific with 12 significant digits: "d.ddddddddddde[+-]x".
    char sci[32];
    const auto r = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, kSignificant - 1);
    char* ePos = static_cast<char*>(std::memchr(sci, 'e', static_cast<std::size_t>(r.ptr - sci)));
    int rounded = 0;
    std::from_chars(ePos + (ePos[1] == '+' ? 2 : 1), r.ptr, rounded);
    const char* mantissa = sci + (value < 0 ? 1 : 0);
    const bool powerOfTen = mantissa[0] == '1' && std::strspn(mantissa + 2, "0") == static_cast<std::size_t>(kSignificant - 1);
    const int exponent = DecimalExponent(value, rounded, powerOfTen);

    if (exponent < -1 || exponent >= kSignificant) {
        const std::size_t mlen = static_cast<std::size_t>(ePos - sci);
        std::memcpy(p, sci, mlen);
        p = TrimFractionZeros(p, p + mlen);
        p = AppendExponent(p, rounded);
    } else {
        const auto f = std::to_chars(p, end - 1, value, std::chars_format::fixed, kSignificant - 1 - exponent);
        p = TrimFractionZeros(p, f.ptr);
    }
    *p = '\0';
    return out;
}

std::int32_t ReadInteger(const char* text) { return ReadSpaceSignAndDigits<std::int32_t>(std::string_view(text)); }

std::int64_t ReadInteger64(const char* text) { return ReadSpaceSignAndDigits<std::int64_t>(std::string_view(text)); }

double ReadDouble(const char* text) {
    // The C conversion, pinned to the "C" locale: a host that switched
    // LC_NUMERIC must not turn "0.5" into 0.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return cLocale ? strtod_l(text, nullptr, cLocale) : std::strtod(text, nullptr);
}

std::unique_ptr<char[]> EncodeBinary(const void* data, std::uint32_t size) {
    if (!data && size) return nullptr;
    const std::size_t length = std::size_t{size} * 2 + 1;
    std::unique_ptr<char[]> text(new (std::nothrow) char[length]());
    if (!text) return nullptr;
    if (size && !BinToHex(data, size, text.get(), static_cast<std::uint32_t>(std::min<std::size_t>(length, UINT32_MAX)), 0))
        return nullptr;
    return text;
}

void* DecodeBinary(const char* text, std::size_t length, void* buffer, std::uint32_t& size) {
    if (length & 1) {
        size = 0;
        return nullptr;
    }
    const std::size_t need = length / 2;
    if (!buffer || std::size_t{size} * 2 < length) {
        size = static_cast<std::uint32_t>(need);
        return nullptr;
    }
    if (!text || !HexToBin(text, static_cast<std::uint32_t>(length), buffer, size)) {
        size = 0;
        return nullptr;
    }
    return buffer;
}

}  // namespace TeskUtility::detail
