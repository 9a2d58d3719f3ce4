#include "host/wave_format.h"

namespace TeskUtility::detail {
namespace {

std::uint32_t Le(std::string_view b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool ParseWave(std::string_view file, WaveData& wave) {
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return false;
    bool haveFormat = false;
    PcmFormat format;
    // Chunks: a four-byte id, a 32-bit size, the body padded to an even length.
    for (std::size_t at = 12; file.size() - at >= 8;) {
        const std::string_view id = file.substr(at, 4);
        const std::uint64_t size = Le(file, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t available = file.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < 16)
                return false;
            std::uint16_t tag = static_cast<std::uint16_t>(Le(file, body, 2));
            if (tag == kFormatExtensible && size >= 40 && available >= 40)
                tag = static_cast<std::uint16_t>(Le(file, body + 24, 2));  // the sub-format GUID's first word
            format.channels = Le(file, body + 2, 2);
            format.rate = Le(file, body + 4, 4);
            format.bits = Le(file, body + 14, 2);
            if (tag != kFormatPcm || (format.channels != 1 && format.channels != 2) ||
                (format.bits != 8 && format.bits != 16) || format.rate == 0 || format.rate > 768000)
                return false;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || size > available)
                return false;  // no format first, or a truncated file
            const std::size_t frame = format.channels * format.bits / 8;
            wave.format = format;
            wave.samples = reinterpret_cast<const std::uint8_t*>(file.data() + body);
            wave.bytes = static_cast<std::size_t>(size) / frame * frame;
            return wave.bytes > 0;
        }
        if (size + (size & 1) > available)
            return false;
        at = body + static_cast<std::size_t>(size + (size & 1));
    }
    return false;
}

}  // namespace TeskUtility::detail
