#include <algorithm>
#include <cstring>
#include <utility>

#include "tesk/settings_charset.h"

namespace TeskUtility {
namespace {

struct Mark {
    unsigned char bytes[4];
    int length;
    int unit;  // bytes per character; 0 for byte-oriented text
};

// Indexed by ECharsetType.
constexpr Mark kMarks[] = {
    {{}, 0, 0},                          // CT_UNKNOWN
    {{}, 0, 0},                          // CT_ANSI
    {{0xEF, 0xBB, 0xBF}, 3, 0},          // CT_UTF8
    {{0xFF, 0xFE}, 2, 2},                // CT_UTF16LE
    {{0xFE, 0xFF}, 2, 2},                // CT_UTF16BE
    {{0xFF, 0xFE, 0x00, 0x00}, 4, 4},    // CT_UTF32LE
    {{0x00, 0x00, 0xFE, 0xFF}, 4, 4},    // CT_UTF32BE
};

const Mark* Find(ECharsetType type) {
    return type >= CT_UNKNOWN && type <= CT_UTF32BE ? &kMarks[type] : nullptr;
}

}  // namespace

int GetBOMLength(ECharsetType type) {
    const Mark* m = Find(type);
    return m ? m->length : 0;
}

const unsigned char* GetBOM(ECharsetType type) {
    const Mark* m = Find(type);
    return m && m->length ? m->bytes : nullptr;
}

int GetBytesPerChar(ECharsetType type) {
    const Mark* m = Find(type);
    return m ? m->unit : 0;
}

ECharsetType ProbeCharset(const void* data, int size) {
    if (!data || size <= 0) return CT_UNKNOWN;
    // Longest marks first: the UTF-32LE mark begins with the UTF-16LE one.
    constexpr ECharsetType kOrder[] = {CT_UTF32LE, CT_UTF32BE, CT_UTF8, CT_UTF16LE, CT_UTF16BE};
    for (ECharsetType type : kOrder) {
        const Mark& m = kMarks[type];
        if (size >= m.length && std::memcmp(data, m.bytes, static_cast<std::size_t>(m.length)) == 0) return type;
    }
    return CT_ANSI;
}

int ConvertLEBE(ECharsetType type, void* data, int size) {
    const int unit = GetBytesPerChar(type);
    if (unit == 0 || size < 0 || size % unit != 0) return 0;
    if (size == 0) return 1;
    if (!data) return 0;
    auto* p = static_cast<unsigned char*>(data);
    for (int i = 0; i < size; i += unit) std::reverse(p + i, p + i + unit);
    return 1;
}

}  // namespace TeskUtility
