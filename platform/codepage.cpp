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

// Code pages in which every byte below 0x80 that does not follow a byte of
// 0x80 or more is that ASCII character: the single-byte pages, the double-byte
// ones (whose trail bytes below 0x80 always follow a lead byte) and UTF-8.
// Stateful encodings (ISO-2022, UTF-7) and the UTF-16/32 pages are not.
bool AsciiTransparent(unsigned codePage) {
    const unsigned cp = Resolve(codePage);
    switch (cp) {
        case 874: case 932: case 936: case 949: case 950: case 20127: case 54936: case 65001: return true;
        default: return (cp >= 1250 && cp <= 1258) || (cp >= 28591 && cp <= 28605);
    }
}

// The conversion loop of both directions, appending to `out`. Where iconv stops
// on a sequence it cannot convert (or a truncated one at the end), the converter
// writes '?' and steps over `skipBad(in, inLeft)` input bytes, as the Windows
// conversions do with their default character; a full output buffer grows and
// the loop goes on.
template <class OutString, class SkipBad>
void AppendConverted(iconv_t cd, const char* data, std::size_t bytes, std::size_t extraUnits, OutString& out,
                     SkipBad skipBad) {
    using Unit = typename OutString::value_type;
    std::size_t produced = out.size();
    out.resize(produced + extraUnits, Unit(0));
    char* in = const_cast<char*>(data);
    std::size_t inLeft = bytes;
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
}

std::size_t BadNarrowLength(const char*, std::size_t) { return 1; }

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

void AppendToWide(iconv_t cd, std::string_view text, std::u16string& out) {
    AppendConverted(cd, text.data(), text.size(), text.size() + 4, out, BadNarrowLength);
}

void AppendToMultiByte(iconv_t cd, std::u16string_view text, std::string& out) {
    AppendConverted(cd, reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t),
                    text.size() * 2 + 8, out, BadWideLength);
}

// UTF-8 needs no table: encoded directly, an unpaired surrogate as '?' like iconv's refusals.
std::string WideToUtf8Direct(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                const char32_t cp = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
                out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
                out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            } else {
                out.push_back('?');
            }
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace

// In ASCII-transparent code pages, runs of ASCII are copied directly and only
// the stretches between them go through iconv: markup-heavy text converts
// several times faster. A stretch ends at an ASCII byte that follows another
// ASCII byte, which is always a character boundary there.
std::u16string MultiByteToWide(std::string_view text, unsigned codePage) {
    std::u16string out;
    if (text.empty()) return out;
    iconv_t cd = detail::AcquireIconv(CodePageToCharsetName(codePage), kWideCharset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOrDefault<std::u16string>(text);
    if (!AsciiTransparent(codePage)) {
        AppendToWide(cd, text, out);
        return out;
    }
    out.reserve(text.size());
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        while (i < n && b[i] < 0x80) out.push_back(b[i++]);
        if (i == n) break;
        std::size_t j = i + 1;
        while (j < n && (b[j] >= 0x80 || b[j - 1] >= 0x80)) ++j;
        AppendToWide(cd, text.substr(i, j - i), out);
        i = j;
    }
    return out;
}

std::string WideToMultiByte(std::u16string_view text, unsigned codePage) {
    std::string out;
    if (text.empty()) return out;
    if (Resolve(codePage) == CP_UTF8) return WideToUtf8Direct(text);
    iconv_t cd = detail::AcquireIconv(kWideCharset, CodePageToCharsetName(codePage));
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOrDefault<std::string>(text);
    if (!AsciiTransparent(codePage)) {
        AppendToMultiByte(cd, text, out);
        return out;
    }
    out.reserve(text.size() + text.size() / 4);
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        while (i < n && text[i] < 0x80) out.push_back(static_cast<char>(text[i++]));
        if (i == n) break;
        std::size_t j = i + 1;
        while (j < n && text[j] >= 0x80) ++j;
        AppendToMultiByte(cd, text.substr(i, j - i), out);
        i = j;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view text) { return WideToUtf8(AnsiToWide(text)); }
std::string Utf8ToAnsi(std::string_view text) { return WideToAnsi(Utf8ToWide(text)); }

}  // namespace TeskUtility
