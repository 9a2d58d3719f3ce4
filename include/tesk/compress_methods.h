// Compression by eight methods, of memory blocks and of files.
//
//   std::uint32_t cap = sizeof(packed);
//   if (TeskUtility::zlibCompress(text, textLen, packed, &cap) == TeskUtility::RC_OK) ...
//   // cap is left as it was: a compressed stream carries its own end marker.
//
//   CFile in("quotes.dat", CFile::modeRead), out("quotes.z", CFile::modeCreate | CFile::modeWrite);
//   TeskUtility::Compress(TeskUtility::CompressMethod_Zlib, &in, &out);   // 1 on success
#pragma once

#include <cstdint>

class CFile;

namespace TeskUtility {

enum EReturnCode : std::int32_t {
    RC_OK = 0,
    RC_FAILED = 1,
    RC_DATA_ERROR = -3,
    RC_MEMORY_ERROR = -4,
    RC_BUFFER_ERROR = -5,
};

// A method id is its four-character code, first character in the lowest byte.
constexpr std::uint32_t MakeCompressMethodId(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

constexpr std::uint32_t CompressMethod_Zlib = MakeCompressMethodId("Z15 ");
constexpr std::uint32_t CompressMethod_Gzip = MakeCompressMethodId("GZ  ");
constexpr std::uint32_t CompressMethod_RawDeflate = MakeCompressMethodId("GZC ");
constexpr std::uint32_t CompressMethod_RLE = MakeCompressMethodId("RLE ");
constexpr std::uint32_t CompressMethod_Filtered = MakeCompressMethodId("FILT");
constexpr std::uint32_t CompressMethod_Huffman = MakeCompressMethodId("HUFM");
constexpr std::uint32_t CompressMethod_Bzip2 = MakeCompressMethodId("BZ  ");
constexpr std::uint32_t CompressMethod_Raw = MakeCompressMethodId("RAW ");

// Buffer variants: the whole source in one pass. *capacity is read, never written.
EReturnCode zlibCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode RLECompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode FilteredCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode HuffmanCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode gzCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode gzcCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode bzlibCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);

EReturnCode zlibUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode gzUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode gzcUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
EReturnCode bzlibUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity);
// The strategy variants write ordinary zlib streams, so one decoder serves them all.
inline constexpr auto& RLEUncompress = zlibUncompress;
inline constexpr auto& FilteredUncompress = zlibUncompress;
inline constexpr auto& HuffmanUncompress = zlibUncompress;

// File variants: read from the input's position to its end, write at the output's
// position. Neither file is opened, seeked, flushed or closed here; errors the
// files raise reach the caller (coder and buffers are released first).
EReturnCode zlibCompressVC(CFile* input, CFile* output);
EReturnCode RLECompressVC(CFile* input, CFile* output);
EReturnCode FilteredCompressVC(CFile* input, CFile* output);
EReturnCode HuffmanCompressVC(CFile* input, CFile* output);
EReturnCode gzCompressVC(CFile* input, CFile* output);
EReturnCode gzcCompressVC(CFile* input, CFile* output);
EReturnCode bzlibCompressVC(CFile* input, CFile* output);

EReturnCode zlibUncompressVC(CFile* input, CFile* output);
EReturnCode gzUncompressVC(CFile* input, CFile* output);
EReturnCode gzcUncompressVC(CFile* input, CFile* output);
EReturnCode bzlibUncompressVC(CFile* input, CFile* output);
inline constexpr auto& RLEUncompressVC = zlibUncompressVC;
inline constexpr auto& FilteredUncompressVC = zlibUncompressVC;
inline constexpr auto& HuffmanUncompressVC = zlibUncompressVC;

// Plain copy; on an input that ends early both files return to their entry positions.
EReturnCode rawCompressVC(CFile* input, CFile* output);
inline constexpr auto& rawUncompressVC = rawCompressVC;

// The file variants behind one method id; nullptr for an id that is not one of the eight.
struct SCompressMethod {
    std::uint32_t id;
    EReturnCode (*compress)(CFile* input, CFile* output);
    EReturnCode (*uncompress)(CFile* input, CFile* output);
};
const SCompressMethod* FindCompressMethod(std::uint32_t methodId);

// 1 when the method's file variant gave RC_OK, else 0 (also for an unknown id).
int Compress(std::uint32_t methodId, CFile* input, CFile* output);
int Uncompress(std::uint32_t methodId, CFile* input, CFile* output);

}  // namespace TeskUtility
