// CRC-32 (the zlib/PNG polynomial) and sealed configuration files.
//
//   std::uint32_t reg = TeskUtility::Crc32(data, len, 0xFFFFFFFF);   // no complement in or out
//   std::uint32_t crc = ~reg;                                        // the usual check value
//
//   TeskUtility::PrepareConfigHeader(&file);   // "TESK" + FF FF FF FF, position 8
//   file.Write(content, n);
//   TeskUtility::ChecksumConfig(&file);        // seal
//   ...
//   if (TeskUtility::VerifyConfig(&file)) { /* read the content from offset 8 */ }
#pragma once

#include <cstdint>

class CFile;

namespace TeskUtility {

// w0 lowest, w3 highest; the parts are not sign-extended.
constexpr std::int64_t MakeI64(std::uint16_t w0, std::uint16_t w1, std::uint16_t w2, std::uint16_t w3) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(w0) | static_cast<std::uint64_t>(w1) << 16 |
                                     static_cast<std::uint64_t>(w2) << 32 | static_cast<std::uint64_t>(w3) << 48);
}

// Updates `crc` with the bytes; neither complements it at the start nor at the end.
std::uint32_t Crc32(const void* data, std::uint32_t length, std::uint32_t crc);

// Updates `crc` with the file's bytes [start, start + count), clipped to its end; a start
// beyond the end or a null file returns `crc`. The file position is restored.
std::uint32_t Crc32File(CFile* file, std::uint64_t start, std::uint64_t count, std::uint32_t crc);

// Writes the header "TESK" FF FF FF FF over the first 8 bytes; leaves the file at 8.
int PrepareConfigHeader(CFile* file);
// Stores the check value of everything behind the header; 0 for a null or short file.
int ChecksumConfig(CFile* file);
// 1 when the stored check value matches the content; leaves the file at offset 8.
int VerifyConfig(CFile* file);

}  // namespace TeskUtility
