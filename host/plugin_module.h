// Loading self-registering plug-in modules (shared objects).
#pragma once

#include <string>

#include "tesk/types.h"

namespace TeskUtility::detail {

using SelfRegEntry = HRESULT (*)();

// Loads the module and finds DllRegisterServer and DllUnregisterServer; when
// either is missing the module is unloaded again and the answer is null.
void* LoadPluginModule(const std::string& path, SelfRegEntry& registerServer, SelfRegEntry& unregisterServer);
void UnloadPluginModule(void* module);

}  // namespace TeskUtility::detail
