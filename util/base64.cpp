#include "util/base64.h"

namespace TeskUtility {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kGroupsPerLine = 19;  // 76 characters

char* EncodeGroup(const unsigned char* in, char* out) {
    const unsigned v = unsigned{in[0]} << 16 | unsigned{in[1]} << 8 | in[2];
    out[0] = kAlphabet[v >> 18];
    out[1] = kAlphabet[(v >> 12) & 63];
    out[2] = kAlphabet[(v >> 6) & 63];
    out[3] = kAlphabet[v & 63];
    return out + 4;
}

}  // namespace

// Every line of whole groups, the last (possibly empty) one included, is
// followed by CR LF and then the final CR LF is taken back; the left-over
// bytes follow directly. So only complete lines end in CR LF, and an input
// whose groups fill complete lines exactly keeps the break after the last one.
std::string Base64EncodeLines(const unsigned char* data, std::size_t length) {
    const std::size_t groups = length / 3;
    const std::size_t fullLines = groups / kGroupsPerLine;
    const std::size_t rest = length % 3;
    std::string out(groups * 4 + fullLines * 2 + (rest ? 4 : 0), '\0');
    char* p = out.data();
    for (std::size_t g = 0; g < groups; ++g) {
        p = EncodeGroup(data + g * 3, p);
        if ((g + 1) % kGroupsPerLine == 0) {
            *p++ = '\r';
            *p++ = '\n';
        }
    }
    if (rest) {
        const unsigned char tail[3] = {data[groups * 3], rest == 2 ? data[groups * 3 + 1] : static_cast<unsigned char>(0), 0};
        EncodeGroup(tail, p);
        p[3] = '=';
        if (rest == 1) p[2] = '=';
    }
    return out;
}

}  // namespace TeskUtility
