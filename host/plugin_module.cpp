#include "host/plugin_module.h"

#include <dlfcn.h>

namespace TeskUtility::detail {

void* LoadPluginModule(const std::string& path, SelfRegEntry& registerServer, SelfRegEntry& unregisterServer) {
    registerServer = unregisterServer = nullptr;
    // A path without a slash would be searched for on the library path; the caller means this file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    auto reg = reinterpret_cast<SelfRegEntry>(::dlsym(module, "DllRegisterServer"));
    auto unreg = reinterpret_cast<SelfRegEntry>(::dlsym(module, "DllUnregisterServer"));
    if (reg == nullptr || unreg == nullptr) {
        ::dlclose(module);
        return nullptr;
    }
    registerServer = reg;
    unregisterServer = unreg;
    return module;
}

void UnloadPluginModule(void* module) {
    if (module != nullptr) ::dlclose(module);
}

}  // namespace TeskUtility::detail
