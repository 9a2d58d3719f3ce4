// What `teskutil map dump` shows of a serialized map: "key=value" lines in key
// order. Every pointer the map hands out may be null and the key list is taken
// to the count that the list call returned.
#pragma once

#include "settings_view.h"
#include "tesk/settings_map.h"

namespace teskutil {

void DumpMap(const CTeskSerializableMap& map, const LineSink& sink);

}  // namespace teskutil
