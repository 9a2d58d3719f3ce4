// The 8-byte integrity header of configuration files: "TESK" and the CRC register of
// everything behind it, FF FF FF FF until sealed.
#include "tesk/compress_crc.h"
#include "tesk/settings_file.h"

namespace TeskUtility {
namespace {

constexpr unsigned char kMagic[4] = {'T', 'E', 'S', 'K'};
constexpr std::int64_t kCheckValueOffset = 4;
constexpr std::int64_t kContentOffset = 8;
constexpr std::uint32_t kUnsealed = 0xFFFFFFFFu;

std::uint32_t ContentRegister(CFile& file) {
    file.Seek(kContentOffset, CFile::begin);
    unsigned char chunk[4096];
    std::uint32_t crc = 0xFFFFFFFFu;
    while (const std::uint32_t got = file.Read(chunk, sizeof chunk)) crc = Crc32(chunk, got, crc);
    return crc;
}

void StoreLittleEndian(std::uint32_t v, unsigned char (&out)[4]) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t LoadLittleEndian(const unsigned char (&in)[4]) {
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

}  // namespace

int PrepareConfigHeader(CFile* file) {
    if (!file) return 0;
    file->Flush();
    file->Seek(0, CFile::begin);
    unsigned char unsealed[4];
    StoreLittleEndian(kUnsealed, unsealed);
    file->Write(kMagic, sizeof kMagic);
    file->Write(unsealed, sizeof unsealed);
    file->Flush();
    return 1;
}

int ChecksumConfig(CFile* file) {
    if (!file) return 0;
    file->Flush();
    if (file->GetLength() < static_cast<std::uint64_t>(kContentOffset)) return 0;
    const std::uint64_t saved = file->GetPosition();
    unsigned char value[4];
    StoreLittleEndian(ContentRegister(*file), value);
    file->Seek(kCheckValueOffset, CFile::begin);
    file->Write(value, sizeof value);
    file->Flush();
    file->Seek(static_cast<std::int64_t>(saved), CFile::begin);
    return 1;
}

int VerifyConfig(CFile* file) {
    if (!file) return 0;
    if (file->GetLength() < static_cast<std::uint64_t>(kContentOffset)) return 0;
    file->Seek(kCheckValueOffset, CFile::begin);
    unsigned char stored[4];
    if (file->Read(stored, sizeof stored) < sizeof stored) return 0;
    const std::uint32_t computed = ContentRegister(*file);
    file->Seek(kContentOffset, CFile::begin);
    return computed == LoadLittleEndian(stored) ? 1 : 0;
}

}  // namespace TeskUtility
