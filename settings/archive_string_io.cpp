#include <cstdint>
#include <cstring>

#include "tesk/settings_string_io.h"

namespace TeskUtility {
namespace {

constexpr unsigned kLineChunk = 128;

// Reads one line into buffer; answers the units stored, or -1 when the archive
// ended before any unit was read.
template <typename Char, typename Unit>
long ReadLineUnits(CArchive& ar, Char* buffer, unsigned max) {
    const bool keepEnd = static_cast<int>(max) < 0;
    const unsigned limit = keepEnd ? 0u - max : max;
    unsigned stored = 0;
    bool readAny = false;
    try {
        while (stored < limit) {
            Unit unit;
            ar >> unit;
            readAny = true;
            if (unit == '\n') {
                if (keepEnd) buffer[stored++] = static_cast<Char>(unit);
                break;
            }
            if (unit == '\r') {
                // The unit after CR belongs to the line end, whatever it is.
                ar >> unit;
                if (keepEnd) buffer[stored++] = static_cast<Char>(unit);
                break;
            }
            buffer[stored++] = static_cast<Char>(unit);
        }
    } catch (const CArchiveException& e) {
        if (e.m_cause != CArchiveException::endOfFile) throw;
        if (!readAny) return -1;
    }
    buffer[stored] = Char(0);
    return static_cast<long>(stored);
}

template <typename Char, typename Unit, typename String>
int ReadWholeLine(CArchive& ar, String& line) {
    line.clear();
    Char chunk[kLineChunk + 1];
    long n;
    while ((n = ReadLineUnits<Char, Unit>(ar, chunk, 0u - kLineChunk)) >= 0) {
        line.append(chunk, static_cast<std::size_t>(n));
        if (n < static_cast<long>(kLineChunk) || chunk[n - 1] == Char('\n')) break;
    }
    if (!line.empty() && line.back() == Char('\n')) line.pop_back();
    return n >= 0 ? 1 : 0;
}

}  // namespace

char* ArchiveReadStringA(CArchive& ar, char* buffer, unsigned max) {
    if (!buffer) return nullptr;
    return ReadLineUnits<char, std::uint8_t>(ar, buffer, max) < 0 ? nullptr : buffer;
}

char16_t* ArchiveReadStringW(CArchive& ar, char16_t* buffer, unsigned max) {
    if (!buffer) return nullptr;
    return ReadLineUnits<char16_t, std::uint16_t>(ar, buffer, max) < 0 ? nullptr : buffer;
}

int ArchiveReadStringA(CArchive& ar, CStringA& line) { return ReadWholeLine<char, std::uint8_t>(ar, line); }

int ArchiveReadStringW(CArchive& ar, CStringW& line) { return ReadWholeLine<char16_t, std::uint16_t>(ar, line); }

void ArchiveWriteStringA(CArchive& ar, const char* text) {
    if (text) ar.Write(text, static_cast<unsigned>(std::strlen(text)));
}

void ArchiveWriteStringW(CArchive& ar, const char16_t* text) {
    if (!text) return;
    // UTF-16LE in memory on every target we build for (CArchive asserts it).
    const std::size_t units = std::char_traits<char16_t>::length(text);
    ar.Write(text, static_cast<unsigned>(units * sizeof(char16_t)));
}

}  // namespace TeskUtility
