#include "host/typelib_reader.h"

#include <cstring>
#include <fstream>

namespace TeskUtility::detail {
namespace {

constexpr std::uint32_t kMagic = 0x5446534D;     // "MSFT"
constexpr std::size_t kHeaderSize = 0x54;
constexpr std::uint32_t kHelpDllFlag = 0x100;    // an extra 32-bit field follows the header
constexpr std::size_t kSegmentCount = 15;        // the segment directory after the type-info offsets
constexpr std::size_t kSegmentEntrySize = 16;    // offset, length, two reserved words
constexpr std::size_t kTypeInfoSegment = 0;
constexpr std::size_t kGuidSegment = 5;
constexpr std::size_t kTypeInfoSize = 0x64;
constexpr std::size_t kTypeInfoGuidField = 0x2C;
constexpr std::uint32_t kKindCoclass = 5;
constexpr std::size_t kMaxFileSize = 64u << 20;

// Little-endian fields, each read only after its range was checked.
class Bytes {
public:
    Bytes(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    bool Has(std::uint64_t offset, std::uint64_t length) const { return offset <= size_ && length <= size_ - offset; }
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
               static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    GUID Guid(std::size_t at) const {
        GUID g;
        g.Data1 = U32(at);
        g.Data2 = static_cast<std::uint16_t>(data_[at + 4] | data_[at + 5] << 8);
        g.Data3 = static_cast<std::uint16_t>(data_[at + 6] | data_[at + 7] << 8);
        std::memcpy(g.Data4, data_ + at + 8, 8);
        return g;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
};

struct Segment {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// A GUID at `pos` of the GUID table (each entry: the GUID and two 32-bit words).
bool GuidAt(const Bytes& b, const Segment& guids, std::int32_t pos, GUID& out) {
    if (pos < 0 || static_cast<std::uint64_t>(pos) + 16 > guids.length) return false;
    out = b.Guid(static_cast<std::size_t>(guids.offset + static_cast<std::uint64_t>(pos)));
    return true;
}

}  // namespace

bool ReadTypeLib(const unsigned char* data, std::size_t size, TypeLibAttributes& out) {
    const Bytes b(data, size);
    if (data == nullptr || !b.Has(0, kHeaderSize) || b.U32(0) != kMagic) return false;
    const std::int32_t posGuid = b.I32(0x08);
    const std::uint32_t varFlags = b.U32(0x14);
    const std::uint32_t version = b.U32(0x18);
    const std::int32_t typeInfoCount = b.I32(0x20);
    if (typeInfoCount < 0) return false;

    std::uint64_t at = kHeaderSize + ((varFlags & kHelpDllFlag) ? 4 : 0);
    const std::uint64_t offsetsAt = at;
    at += static_cast<std::uint64_t>(typeInfoCount) * 4;
    if (!b.Has(at, kSegmentCount * kSegmentEntrySize)) return false;
    Segment seg[kSegmentCount];
    for (std::size_t i = 0; i < kSegmentCount; ++i) {
        const std::int32_t o = b.I32(static_cast<std::size_t>(at + i * kSegmentEntrySize));
        const std::int32_t l = b.I32(static_cast<std::size_t>(at + i * kSegmentEntrySize + 4));
        if (o < 0 || l <= 0) continue;  // an absent segment
        seg[i] = {static_cast<std::uint64_t>(o), static_cast<std::uint64_t>(l)};
        if (!b.Has(seg[i].offset, seg[i].length)) return false;
    }

    TypeLibAttributes attrs;
    if (!GuidAt(b, seg[kGuidSegment], posGuid, attrs.libid)) return false;
    attrs.lcid = b.U32(0x10);
    attrs.syskind = varFlags & 0x0F;
    attrs.major = static_cast<std::uint16_t>(version & 0xFFFF);
    attrs.minor = static_cast<std::uint16_t>(version >> 16);

    const Segment& infos = seg[kTypeInfoSegment];
    for (std::int32_t i = 0; i < typeInfoCount; ++i) {
        const std::int32_t rel = b.I32(static_cast<std::size_t>(offsetsAt + static_cast<std::uint64_t>(i) * 4));
        if (rel < 0 || static_cast<std::uint64_t>(rel) + kTypeInfoSize > infos.length) return false;
        const auto entry = static_cast<std::size_t>(infos.offset + static_cast<std::uint64_t>(rel));
        if ((b.U32(entry) & 0x0F) != kKindCoclass) continue;
        GUID clsid;
        if (!GuidAt(b, seg[kGuidSegment], b.I32(entry + kTypeInfoGuidField), clsid)) return false;
        attrs.coclasses.push_back(clsid);
    }
    out = std::move(attrs);
    return true;
}

bool ReadTypeLibFile(const std::string& path, TypeLibAttributes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileSize) return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    return ReadTypeLib(bytes.data(), bytes.size(), out);
}

}  // namespace TeskUtility::detail
