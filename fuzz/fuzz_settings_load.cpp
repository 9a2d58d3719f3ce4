// Feeds arbitrary bytes to the settings loaders (the format settings file's
// too) as a file, then saves what was loaded: no input may crash, hang or leak.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tesk/format_settings.h"
#include "tesk/settings_store.h"

namespace {

std::string ScratchPath(const char* name) {
    return "/tmp/tesk-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string in = ScratchPath("in.ini");
    static const std::string out = ScratchPath("out.ini");
    if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    CTeskSetting narrow(0), wide(1), ordered;
    narrow.LoadFileA(in.c_str());
    wide.LoadFileW(in.c_str());
    ordered.LoadFileByFileOrder(in.c_str());
    narrow.SaveFileA(out.c_str());
    wide.SaveFileW(out.c_str());
    const char* keys[8];
    const char* sections[8];
    const std::uint32_t n = ordered.GetSectionList(sections, 8);
    for (std::uint32_t i = 0; i < n; ++i) ordered.GetKeyListByFileOrder(sections[i], keys, 8);
    TeskUtility::LoadFormatSetting(in.c_str());
    TeskUtility::SaveFormatSetting(out.c_str());
    return 0;
}
