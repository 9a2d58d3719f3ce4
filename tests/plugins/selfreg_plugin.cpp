// A test plug-in module: logs its register and unregister calls to the file
// named by TESK_PLUGIN_LOG. Built in variants that fail to register or lack
// the unregister export.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#ifndef PLUGIN_REGISTER_RESULT
#define PLUGIN_REGISTER_RESULT 0
#endif

namespace {
void Log(const char* what) {
    const char* file = std::getenv("TESK_PLUGIN_LOG");
    if (file == nullptr) return;
    if (std::FILE* out = std::fopen(file, "a")) {
        std::fprintf(out, "%s %s\n", PLUGIN_NAME, what);
        std::fclose(out);
    }
}
}  // namespace

extern "C" std::int32_t DllRegisterServer() {
    Log("register");
    return static_cast<std::int32_t>(PLUGIN_REGISTER_RESULT);
}

#ifndef PLUGIN_NO_UNREGISTER
extern "C" std::int32_t DllUnregisterServer() {
    Log("unregister");
    return 0;
}
#endif
