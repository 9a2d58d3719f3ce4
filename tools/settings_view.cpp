#include "settings_view.h"

#include <algorithm>

namespace teskutil {
namespace {

std::vector<std::string> Collect(const char* const* names, std::uint32_t count) {
    std::vector<std::string> out;
    for (std::uint32_t i = 0; i < count; ++i)
        if (names[i]) out.emplace_back(names[i]);
    return out;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

bool HasLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

std::vector<std::string> SectionNames(const CTeskSetting& store) {
    std::vector<const char*> list(store.GetSectionListCount());
    const auto n = store.GetSectionList(list.data(), static_cast<std::uint32_t>(list.size()));
    return Sorted(Collect(list.data(), std::min<std::uint32_t>(n, static_cast<std::uint32_t>(list.size()))));
}

std::vector<std::string> KeyNames(const CTeskSetting& store, const std::string& section, bool fileOrder) {
    std::vector<const char*> list(store.GetKeyListCount(section.c_str()));
    if (!fileOrder) {
        const auto n = store.GetKeyList(section.c_str(), list.data(), static_cast<std::uint32_t>(list.size()));
        return Sorted(Collect(list.data(), std::min<std::uint32_t>(n, static_cast<std::uint32_t>(list.size()))));
    }
    // The order list may repeat a key; ask for room beyond the key count and keep the first of each.
    list.assign(list.size() * 4 + 16, nullptr);
    const auto n = store.GetKeyListByFileOrder(section.c_str(), list.data(), static_cast<std::uint32_t>(list.size()));
    std::vector<std::string> out;
    for (const auto& key : Collect(list.data(), static_cast<std::uint32_t>(list.size()))) {
        if (out.size() == n) break;
        if (std::find(out.begin(), out.end(), key) == out.end()) out.push_back(key);
    }
    return out;
}

void DumpSettings(const CTeskSetting& store, bool fileOrder, const LineSink& sink) {
    for (const auto& s : SectionNames(store)) {
        sink("[" + s + "]");
        for (const auto& k : KeyNames(store, s, fileOrder)) {
            const char* value = store.QueryString(s.c_str(), k.c_str());
            if (value) sink(k + "=" + value);
        }
    }
}

std::string UnreadableEntry(const std::string& section, const std::string& key, const std::string& value) {
    if (HasLineEnd(section) || HasLineEnd(key) || HasLineEnd(value)) return "a line break cannot be stored";
    if (!section.empty() && (section.front() == '[' || section.front() == ']' || section.back() == '[' ||
                             section.back() == ']'))
        return "a section name may not start or end with a bracket";
    if (key.empty()) return "the key is empty";
    if (key.find('=') != std::string::npos) return "a key may not contain '='";
    if (key.front() == '[' || key.front() == '#' || key.front() == '/')
        return "a key may not start with '[', '#' or '/'";
    return std::string();
}

}  // namespace teskutil
