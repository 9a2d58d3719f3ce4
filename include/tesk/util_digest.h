// MD5 digests and hexadecimal text, the forms in which the setting store and the
// serializable map keep binary values.
//
//   TeskUtility::CalcMD5("abc", 3);                    // "900150983CD24FB0D6963F7D28E17F72"
//   char hex[5];
//   TeskUtility::BinToHex("\xAB\x01", 2, hex, 5, 0);   // "AB01", terminated
//   unsigned char raw[2];
//   TeskUtility::HexToBin("aB01", 4, raw, 2);          // raw = AB 01
//   TeskUtility::SaveFileEncode("note.txt");           // "abcd\r\n" becomes "YWJjZAo="
#pragma once

#include <cstddef>
#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// The RFC 1321 digest of `length` bytes as 32 upper-case hex digits; empty for a null pointer.
CStringA CalcMD5(const void* data, std::uint32_t length);

// The same digest over data that arrives in pieces (a file read in chunks):
//   CMD5Stream md5;  while (n = read(...)) md5.Update(chunk, n);  CStringA hex = md5.Finish();
class CMD5Stream {
public:
    CMD5Stream() { Reset(); }
    ~CMD5Stream();  // clears the state, which may hold message bytes
    void Update(const void* data, std::size_t length);
    // The digest of everything given since construction or the last Finish, as
    // 32 upper-case hex digits; the stream then starts over.
    CStringA Finish();

    struct State {
        std::uint32_t a, b, c, d;
        std::uint64_t byteCount;
        unsigned char block[64];
    };

private:
    void Reset();
    State state_;
};

// Two digits per byte, high nibble first. 0 (nothing written) when capacity < 2 * length;
// a terminator follows only when there is room for it.
int BinToHex(const void* source, std::uint32_t length, char* dest, std::uint32_t capacity, int lowerCase);

// Decodes pairs of hex digits of either case. 0 on an odd length, a capacity below
// length / 2, or a non-hex character (bytes decoded before it stay written).
int HexToBin(const char* source, std::uint32_t length, void* dest, std::uint32_t capacity);

// Rewrites a text file in place as the Base64 encoding of its lines (each
// taken with one LF), in CR LF-broken lines of 76 characters; the file is cut
// to the encoded length. 0 when the file cannot be opened for reading and
// writing; file errors after that are thrown.
int SaveFileEncode(const CStringA& path);

}  // namespace TeskUtility
