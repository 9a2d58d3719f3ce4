// teskutil's settings path on arbitrary bytes: the encoding probe, the load
// through the store, the dump, and a rewrite that must read back. The first
// byte picks the reader; the rest is the file. No input may crash or hang,
// and a rewritten file must hold the value that was set.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

#include "settings_text.h"
#include "settings_view.h"
#include "tesk/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const std::string path = "/tmp/tesk-fuzz-tool-" + std::to_string(::getpid()) + ".ini";
    const bool utf16 = data[0] & 1, fileOrder = (data[0] & 2) && !utf16;
    if (!std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data) + 1, size - 1))
        return 0;
    TeskUtility::SetThreadAnsiCodePage(TeskUtility::CP_BIG5);
    try {
        teskutil::SettingsFile file = teskutil::LoadSettingsFile(path, utf16, fileOrder);
        std::size_t lines = 0;
        teskutil::DumpSettings(*file.store, fileOrder, [&](const std::string&) { ++lines; });
        if (!file.wellFormed || !(data[0] & 4)) return 0;
        file.store->AddSection("fuzz");
        file.store->AddString("fuzz", "key", "value");
        teskutil::SaveSettingsFile(file, path);
        teskutil::SettingsFile again = teskutil::LoadSettingsFile(path, utf16, false);
        const char* value = again.store->QueryString("fuzz", "key");
        if (!value || std::string(value) != "value") __builtin_trap();
    } catch (const std::runtime_error&) {
        // an encoding the store cannot hold
    }
    return 0;
}
