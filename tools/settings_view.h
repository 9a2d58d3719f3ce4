// What `teskutil settings` shows of a store, and which names and values it
// agrees to write. Every pointer the store hands out may be null and every
// list is taken to the count that the list call returned.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tesk/settings_store.h"

namespace teskutil {

using LineSink = std::function<void(const std::string&)>;

std::vector<std::string> SectionNames(const CTeskSetting& store);
// File order lists each key once, at its first place in the file.
std::vector<std::string> KeyNames(const CTeskSetting& store, const std::string& section, bool fileOrder);
// "[section]" and "key=value" lines, sections and keys sorted (or keys in file order).
void DumpSettings(const CTeskSetting& store, bool fileOrder, const LineSink& sink);

// Why the section, key and value would not read back as written; empty when they would.
std::string UnreadableEntry(const std::string& section, const std::string& key, const std::string& value);

}  // namespace teskutil
