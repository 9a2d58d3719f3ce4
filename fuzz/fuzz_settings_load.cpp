// Feeds arbitrary bytes to the settings loaders (the format settings file's too)
// as a file, looks every listed section and key up again, then saves what was
// loaded: no input may crash, hang or leak, and every name a list hands out
// must be one that a query finds.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tesk/format_settings.h"
#include "tesk/settings_store.h"

namespace {

// Every listed name must lead back to its section and value.
void QueryEveryListedName(const CTeskSetting& store) {
    std::vector<const char*> sections(store.GetSectionListCount());
    const auto ns = store.GetSectionList(sections.data(), static_cast<std::uint32_t>(sections.size()));
    for (std::uint32_t i = 0; i < ns; ++i) {
        if (!sections[i] || !store.IsExist(sections[i])) __builtin_trap();
        std::vector<const char*> keys(store.GetKeyListCount(sections[i]));
        const auto nk = store.GetKeyList(sections[i], keys.data(), static_cast<std::uint32_t>(keys.size()));
        for (std::uint32_t k = 0; k < nk; ++k)
            if (!keys[k] || !store.QueryString(sections[i], keys[k])) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string in = "/tmp/tesk-fuzz-" + std::to_string(::getpid()) + "-in.ini";
    static const std::string out = "/tmp/tesk-fuzz-" + std::to_string(::getpid()) + "-out.ini";
    if (!std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(data), size)) return 0;
    CTeskSetting narrow(0), wide(1), ordered;
    narrow.LoadFileA(in.c_str());
    wide.LoadFileW(in.c_str());
    ordered.LoadFileByFileOrder(in.c_str());
    QueryEveryListedName(narrow);
    QueryEveryListedName(wide);
    QueryEveryListedName(ordered);
    narrow.SaveFileA(out.c_str());
    wide.SaveFileW(out.c_str());
    const char* keys[8];
    const char* sections[8];
    const std::uint32_t n = ordered.GetSectionList(sections, 8);
    for (std::uint32_t i = 0; i < n; ++i) {
        std::fill(std::begin(keys), std::end(keys), nullptr);  // a section without a name has no order list
        const std::uint32_t nk = ordered.GetKeyListByFileOrder(sections[i], keys, 8);
        for (std::uint32_t k = 0; k < nk; ++k)
            if (keys[k] && !ordered.QueryString(sections[i], keys[k])) __builtin_trap();
    }
    TeskUtility::LoadFormatSetting(in.c_str());
    TeskUtility::SaveFormatSetting(out.c_str());
    return 0;
}
