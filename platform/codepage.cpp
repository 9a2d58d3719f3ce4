#include <bit>
#include <cerrno>
#include <cstring>

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

// Both directions run iconv in a loop; where it stops on a sequence it cannot
// convert, the converter writes '?' and steps over the offending input, as the
// Windows conversions do with their default character.
std::u16string MultiByteToWide(std::string_view text, unsigned codePage) {
    std::u16string out;
    if (text.empty()) return out;
    iconv_t cd = detail::AcquireIconv(CodePageToCharsetName(codePage), kWideCharset);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Unknown code page: pass ASCII through, the rest becomes '?'.
        out.reserve(text.size());
        for (unsigned char c : text) out.push_back(c < 0x80 ? c : u'?');
        return out;
    }
    out.resize(text.size() + 4);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::size_t produced = 0;
    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(out.data() + produced);
        std::size_t outLeft = (out.size() - produced) * sizeof(char16_t);
        const std::size_t before = outLeft;
        const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
        produced += (before - outLeft) / sizeof(char16_t);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 8);
            continue;
        }
        // EILSEQ or EINVAL (a truncated character at the end).
        if (produced == out.size()) out.resize(out.size() * 2 + 8);
        out[produced++] = u'?';
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(produced);
    return out;
}

std::string WideToMultiByte(std::u16string_view text, unsigned codePage) {
    std::string out;
    if (text.empty()) return out;
    iconv_t cd = detail::AcquireIconv(kWideCharset, CodePageToCharsetName(codePage));
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        out.reserve(text.size());
        for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return out;
    }
    out.resize(text.size() * 2 + 8);
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    std::size_t produced = 0;
    while (inLeft > 0) {
        char* dst = out.data() + produced;
        std::size_t outLeft = out.size() - produced;
        const std::size_t before = outLeft;
        const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
        produced += before - outLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 8);
            continue;
        }
        if (produced == out.size()) out.resize(out.size() * 2 + 8);
        out[produced++] = '?';
        // Step over a whole surrogate pair when the character lies outside the code page.
        std::size_t skip = sizeof(char16_t);
        if (inLeft >= 2 * sizeof(char16_t)) {
            char16_t u0, u1;
            std::memcpy(&u0, in, sizeof u0);
            std::memcpy(&u1, in + sizeof u0, sizeof u1);
            if (u0 >= 0xD800 && u0 <= 0xDBFF && u1 >= 0xDC00 && u1 <= 0xDFFF) skip *= 2;
        }
        if (skip > inLeft) skip = inLeft;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(produced);
    return out;
}

std::string AnsiToUtf8(std::string_view text) { return WideToUtf8(AnsiToWide(text)); }
std::string Utf8ToAnsi(std::string_view text) { return WideToAnsi(Utf8ToWide(text)); }

}  // namespace TeskUtility
