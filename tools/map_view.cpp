#include "map_view.h"

#include <algorithm>
#include <vector>

namespace teskutil {

void DumpMap(const CTeskSerializableMap& map, const LineSink& sink) {
    std::vector<const char*> keys(map.GetCount());
    const auto n = std::min<std::size_t>(map.GetKeyList(keys.data(), static_cast<std::uint32_t>(keys.size())),
                                         keys.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char* value = keys[i] ? map.QueryString(keys[i]) : nullptr;
        if (value) sink(std::string(keys[i]) + "=" + value);
    }
}

}  // namespace teskutil
