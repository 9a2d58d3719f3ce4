// What `teskutil map dump` shows of a serialized map: "key=value" lines in key
// order. Every pointer the map hands out may be null and the key list is taken
// to the count that the list call returned.
#pragma once

#include "settings_view.h"
#include "tesk/settings_map.h"

namespace teskutil {

void DumpMap(const CTeskSerializableMap& map, const LineSink& sink);

// Loads the map stored in the file at `path` in the map's layout. False when
// the file is not a serialized map, with the library's message for it (as
// UTF-8) in `damaged`. Throws the file's exceptions when it cannot be read.
bool LoadMapFile(const std::string& path, CTeskSerializableMap& map, std::string& damaged);

}  // namespace teskutil
