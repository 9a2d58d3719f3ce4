#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <type_traits>

#include "platform/iconv_cache.h"
#include "tesk/platform.h"

static_assert(std::endian::native == std::endian::little, "UTF-16 units are passed to iconv as UTF-16LE");

namespace TeskUtility {
namespace {

thread_local unsigned t_codePage = CP_BIG5;

constexpr const char* kWideCharset = "UTF-16LE";

unsigned Resolve(unsigned codePage) { return codePage == CP_ACP ? t_codePage : codePage; }

}  // namespace

void SetThreadAnsiCodePage(unsigned codePage) {
    if (codePage != CP_ACP) t_codePage = codePage;
}

unsigned GetThreadAnsiCodePage() { return t_codePage; }

std::string CodePageToCharsetName(unsigned codePage) {
    switch (Resolve(codePage)) {
        case 65001: return "UTF-8";
        case 1200: return "UTF-16LE";
        case 1201: return "UTF-16BE";
        case 12000: return "UTF-32LE";
        case 12001: return "UTF-32BE";
        case 20127: return "ASCII";
        case 28591: return "ISO-8859-1";
        case 936: return "CP936";
        case 54936: return "GB18030";
        default: break;
    }
    return "CP" + std::to_string(Resolve(codePage));
}

// The conversions mark what they cannot decode with '?', so a text that does
// not come back unchanged held a sequence that the code page lacks.
bool IsWellFormed(std::string_view text, unsigned codePage) {
    return WideToMultiByte(MultiByteToWide(text, codePage), codePage) == text;
}

bool IsDBCSLeadByte(unsigned char c) {
    switch (t_codePage) {
        case 932: return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        case 936:
        case 949:
        case 950:
        case 54936: return c >= 0x81 && c <= 0xFE;
        default: return false;
    }
}

namespace {

// Unknown code page: ASCII passes through, everything else becomes '?'.
template <class OutString, class Unit>
OutString AsciiOrDefault(std::basic_string_view<Unit> text) {
    OutString out;
    out.reserve(text.size());
    for (Unit u : text) {
        const auto c = static_cast<std::make_unsigned_t<Unit>>(u);
        out.push_back(c < 0x80 ? static_cast<typename OutString::value_type>(c) : '?');
    }
    return out;
}

// The conversion loop of both directions. Where iconv stops on a sequence it
// cannot convert (or a truncated one at the end), the converter writes '?' and
// steps over `skipBad(in, inLeft)` input bytes, as the Windows conversions do
// with their default character; a full output buffer grows and the loop goes on.
template <class OutString, class SkipBad>
OutString ConvertLoop(iconv_t cd, const char* data, std::size_t bytes, std::size_t initialUnits, SkipBad skipBad) {
    using Unit = typename OutString::value_type;
    OutString out(initialUnits, Unit(0));
    char* in = const_cast<char*>(data);
    std::size_t inLeft = bytes;
    std::size_t produced = 0;
    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(out.data() + produced);
        std::size_t outLeft = (out.size() - produced) * sizeof(Unit);
        const std::size_t before = outLeft;
        const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
        produced += (before - outLeft) / sizeof(Unit);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 8);
            continue;
        }
        if (produced == out.size()) out.resize(out.size() * 2 + 8);
        out[produced++] = Unit('?');
        const std::size_t skip = std::min(skipBad(in, inLeft), inLeft);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(produced);
    return out;
}

// A bad UTF-16 input is one unit, or a whole surrogate pair that lies outside the code page.
std::size_t BadWideLength(const char* in, std::size_t inLeft) {
    if (inLeft >= 2 * sizeof(char16_t)) {
        char16_t u0, u1;
        std::memcpy(&u0, in, sizeof u0);
        std::memcpy(&u1, in + sizeof u0, sizeof u1);
        if (u0 >= 0xD800 && u0 <= 0xDBFF && u1 >= 0xDC00 && u1 <= 0xDFFF) return 2 * sizeof(char16_t);
    }
    return sizeof(char16_t);
}

}  // namespace

std::u16string MultiByteToWide(std::string_view text, unsigned codePage) {
    if (text.empty()) return {};
    iconv_t cd = detail::AcquireIconv(CodePageToCharsetName(codePage), kWideCharset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOrDefault<std::u16string>(text);
    return ConvertLoop<std::u16string>(cd, text.data(), text.size(), text.size() + 4,
                                       [](const char*, std::size_t) -> std::size_t { return 1; });
}

std::string WideToMultiByte(std::u16string_view text, unsigned codePage) {
    if (text.empty()) return {};
    iconv_t cd = detail::AcquireIconv(kWideCharset, CodePageToCharsetName(codePage));
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOrDefault<std::string>(text);
    return ConvertLoop<std::string>(cd, reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t),
                                    text.size() * 2 + 8, BadWideLength);
}

std::string AnsiToUtf8(std::string_view text) { return WideToUtf8(AnsiToWide(text)); }
std::string Utf8ToAnsi(std::string_view text) { return WideToAnsi(Utf8ToWide(text)); }

}  // namespace TeskUtility
