#include "host/system_parsers.h"

#include <cstring>

namespace TeskUtility::detail {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Calls visit(line) for each line; stops when visit returns false.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!visit(line))
            return;
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

// os-release values are shell words: "double" (with \-escapes), 'single', or bare.
std::string Unquote(std::string_view raw) {
    std::string out;
    char quote = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        } else if (c == '\\' && quote != '\'' && i + 1 < raw.size()) {
            out += raw[++i];
        } else {
            out += c;
        }
    }
    return out;
}

std::uint16_t Read16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t Read32(std::string_view b, std::size_t at) { return Read16(b, at) | std::uint32_t{Read16(b, at + 2)} << 16; }

bool Fits(std::string_view b, std::uint64_t at, std::uint64_t size) { return at <= b.size() && size <= b.size() - at; }

}  // namespace

bool OsReleaseValue(std::string_view text, std::string_view key, std::string& value) {
    bool found = false;
    ForEachLine(text, [&](std::string_view line) {
        line = Trim(line);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
            value = Unquote(line.substr(key.size() + 1));
            found = true;  // a later assignment wins, as in a shell
        }
        return true;
    });
    return found;
}

std::uint32_t LocaleNumber(std::string_view localeName) {
    const std::size_t cut = localeName.find_first_of(".@");
    const std::string_view name = localeName.substr(0, cut);
    static constexpr struct {
        const char* name;
        std::uint32_t number;
    } kTable[] = {
        {"zh_TW", 1028}, {"zh_CN", 2052}, {"zh_HK", 3076}, {"en_US", 1033},
        {"ja_JP", 1041}, {"ko_KR", 1042}, {"C", 1033},     {"POSIX", 1033},
    };
    for (const auto& entry : kTable)
        if (name == entry.name)
            return entry.number;
    return 0x1000;
}

bool LastAptEndDate(std::string_view log, std::string& date) {
    static constexpr std::string_view kTag = "End-Date:";
    bool found = false;
    ForEachLine(log, [&](std::string_view line) {
        if (line.substr(0, kTag.size()) != kTag)
            return true;
        const std::string_view raw = Trim(line.substr(kTag.size()));
        if (raw.empty())
            return true;
        date.clear();
        for (const char c : raw)
            if (c != ' ' || date.empty() || date.back() != ' ')
                date += c;
        found = true;
        return true;
    });
    return found;
}

bool DesktopEntryValue(std::string_view text, std::string_view section, std::string_view key, std::string& value) {
    bool inSection = false;
    bool found = false;
    ForEachLine(text, [&](std::string_view line) {
        line = Trim(line);
        if (line.empty() || line.front() == '#')
            return true;
        if (line.front() == '[') {
            inSection = line.size() == section.size() + 2 && line.substr(1, section.size()) == section &&
                        line.back() == ']';
            return true;
        }
        const std::size_t eq = line.find('=');
        if (!inSection || eq == std::string_view::npos || Trim(line.substr(0, eq)) != key)
            return true;
        value = std::string(Trim(line.substr(eq + 1)));
        found = true;
        return false;  // the first one counts
    });
    return found;
}

bool PeFileVersion(std::string_view image, std::uint16_t parts[4]) {
    if (!Fits(image, 0, 0x40) || image.substr(0, 2) != "MZ")
        return false;
    const std::uint32_t pe = Read32(image, 0x3C);
    if (!Fits(image, pe, 24) || image.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return false;
    const std::uint16_t sectionCount = Read16(image, pe + 6);
    const std::uint16_t optionalSize = Read16(image, pe + 20);
    const std::uint64_t optional = pe + 24;
    if (!Fits(image, optional, optionalSize) || optionalSize < 2)
        return false;
    const std::uint16_t magic = Read16(image, optional);
    // The data directories start at 96 (PE32) or 112 (PE32+); the resource table is the third.
    const std::uint64_t directories = optional + (magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0);
    if (directories == optional || directories + 3 * 8 > optional + optionalSize)
        return false;
    const std::uint32_t resourceRva = Read32(image, directories + 16);
    const std::uint64_t sections = optional + optionalSize;
    auto toOffset = [&](std::uint32_t rva, std::uint64_t& offset) {
        for (std::uint32_t i = 0; i < sectionCount; ++i) {
            const std::uint64_t s = sections + 40ull * i;
            if (!Fits(image, s, 40))
                return false;
            const std::uint32_t virtualSize = Read32(image, s + 8);
            const std::uint32_t virtualAddress = Read32(image, s + 12);
            const std::uint32_t rawSize = Read32(image, s + 16);
            const std::uint32_t rawOffset = Read32(image, s + 20);
            const std::uint32_t span = virtualSize > rawSize ? virtualSize : rawSize;
            if (rva >= virtualAddress && rva - virtualAddress < span) {
                offset = std::uint64_t{rawOffset} + (rva - virtualAddress);
                return true;
            }
        }
        return false;
    };
    std::uint64_t root = 0;
    if (resourceRva == 0 || !toOffset(resourceRva, root))
        return false;
    // Three levels: type (16 = version), name, language; the first entry below the version type.
    std::uint64_t directory = root;
    std::uint32_t target = 0;
    for (int level = 0; level < 3; ++level) {
        if (!Fits(image, directory, 16))
            return false;
        const std::uint32_t entries = std::uint32_t{Read16(image, directory + 12)} + Read16(image, directory + 14);
        bool found = false;
        for (std::uint32_t i = 0; i < entries && !found; ++i) {
            const std::uint64_t entry = directory + 16 + 8ull * i;
            if (!Fits(image, entry, 8))
                return false;
            if (level == 0 && Read32(image, entry) != 16)
                continue;
            target = Read32(image, entry + 4);
            found = true;
        }
        // Directories below the root carry the high bit; the language level names a data entry.
        if (!found || ((target & 0x80000000u) != 0) != (level < 2))
            return false;
        directory = root + (target & 0x7FFFFFFFu);
    }
    std::uint64_t data = 0;
    if (!Fits(image, directory, 8) || !toOffset(Read32(image, directory), data))
        return false;
    const std::uint64_t size = Read32(image, directory + 4);
    // VS_VERSIONINFO: a header, the key "VS_VERSION_INFO", padding, then the fixed file info.
    for (std::uint64_t at = data; at + 16 <= data + size && at < data + 256 && Fits(image, at, 16); at += 4) {
        if (Read32(image, at) != 0xFEEF04BDu)
            continue;
        const std::uint32_t ms = Read32(image, at + 8);
        const std::uint32_t ls = Read32(image, at + 12);
        parts[0] = static_cast<std::uint16_t>(ms >> 16);
        parts[1] = static_cast<std::uint16_t>(ms);
        parts[2] = static_cast<std::uint16_t>(ls >> 16);
        parts[3] = static_cast<std::uint16_t>(ls);
        return true;
    }
    return false;
}

bool SharedObjectVersion(std::string_view fileName, std::uint16_t parts[4]) {
    const std::size_t slash = fileName.rfind('/');
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    const std::size_t so = fileName.find(".so.");
    if (so == std::string_view::npos)
        return false;
    std::string_view rest = fileName.substr(so + 4);
    for (int i = 0; i < 4; ++i)
        parts[i] = 0;
    for (int i = 0; i < 4 && !rest.empty(); ++i) {
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9' && digits < 6)
            value = value * 10 + static_cast<std::uint32_t>(rest[digits++] - '0');
        if (digits == 0)
            return i > 0;
        parts[i] = static_cast<std::uint16_t>(value > 0xFFFF ? 0xFFFF : value);
        rest.remove_prefix(digits);
        if (rest.empty() || rest.front() != '.')
            break;
        rest.remove_prefix(1);
    }
    return true;
}

bool EdidMonitorName(std::string_view edid, std::string& name) {
    static constexpr unsigned char kHeader[8] = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    if (edid.size() < 128 || std::memcmp(edid.data(), kHeader, 8) != 0)
        return false;
    // Four 18-byte descriptors at 54; a display descriptor starts with 0, 0, 0, tag.
    for (std::size_t d = 54; d + 18 <= 126; d += 18) {
        if (edid[d] != 0 || edid[d + 1] != 0 || edid[d + 2] != 0 || static_cast<unsigned char>(edid[d + 3]) != 0xFC)
            continue;
        std::string_view text = edid.substr(d + 5, 13);
        const std::size_t end = text.find('\n');
        name = std::string(Trim(text.substr(0, end)));
        return !name.empty();
    }
    return false;
}

}  // namespace TeskUtility::detail

namespace TeskUtility::detail {
namespace {

bool HexId(std::string_view text, unsigned& id) {
    if (text.size() < 4)
        return false;
    id = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            return false;
        id = id * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

}  // namespace

bool PciIdsNames(std::string_view database, unsigned vendor, unsigned device, std::string& vendorName,
                 std::string& deviceName) {
    // "vvvv  Vendor" lines, each followed by "\tdddd  Device" lines (and "\t\t" subsystem lines).
    bool inVendor = false;
    bool found = false;
    ForEachLine(database, [&](std::string_view line) {
        unsigned id = 0;
        if (!line.empty() && line[0] != '\t' && line[0] != '#') {
            if (inVendor)
                return false;  // past our vendor's devices
            if (HexId(line, id) && id == vendor) {
                inVendor = found = true;
                vendorName = std::string(Trim(line.substr(4)));
            }
        } else if (inVendor && line.size() > 1 && line[1] != '\t' && HexId(line.substr(1), id) && id == device) {
            deviceName = std::string(Trim(line.substr(5)));
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace TeskUtility::detail
