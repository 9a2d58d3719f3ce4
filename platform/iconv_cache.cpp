#include "platform/iconv_cache.h"

#include <vector>

namespace TeskUtility::detail {
namespace {

struct Entry {
    std::string from;
    std::string to;
    iconv_t cd;
};

struct Cache {
    std::vector<Entry> entries;
    ~Cache() {
        for (auto& e : entries)
            if (e.cd != reinterpret_cast<iconv_t>(-1)) iconv_close(e.cd);
    }
};

}  // namespace

iconv_t AcquireIconv(const std::string& from, const std::string& to) {
    thread_local Cache cache;
    for (auto& e : cache.entries) {
        if (e.from == from && e.to == to) {
            if (e.cd != reinterpret_cast<iconv_t>(-1)) iconv(e.cd, nullptr, nullptr, nullptr, nullptr);
            return e.cd;
        }
    }
    // Unknown pairs are remembered too, so a bad code page costs one failed open.
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    cache.entries.push_back({from, to, cd});
    return cd;
}

}  // namespace TeskUtility::detail
