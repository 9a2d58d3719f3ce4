// teskutil settings: read and edit a settings file from the shell.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "output.h"
#include "tesk/platform.h"
#include "tesk/settings_store.h"

namespace {

// Names and values typed at the terminal are UTF-8; the file holds ANSI text.
std::string FromTerminal(const std::string& text) {
    return teskutil::RawOutput() ? text : TeskUtility::Utf8ToAnsi(text);
}

std::vector<std::string> Sorted(const char* const* names, std::uint32_t count) {
    std::vector<std::string> out(names, names + count);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> SectionNames(const CTeskSetting& store) {
    std::vector<const char*> list(store.GetSectionListCount());
    return Sorted(list.data(), store.GetSectionList(list.data(), static_cast<std::uint32_t>(list.size())));
}

std::vector<std::string> KeyNames(const CTeskSetting& store, const std::string& section, bool fileOrder) {
    std::vector<const char*> list(store.GetKeyListCount(section.c_str()));
    if (!fileOrder)
        return Sorted(list.data(), store.GetKeyList(section.c_str(), list.data(), static_cast<std::uint32_t>(list.size())));
    // The order list may repeat a key; ask for all of it and keep the first of each.
    list.resize(list.size() * 4 + 16);
    const auto n = store.GetKeyListByFileOrder(section.c_str(), list.data(), static_cast<std::uint32_t>(list.size()));
    std::vector<std::string> out;
    for (const char* key : list) {
        if (!key || out.size() == n) break;
        if (std::find(out.begin(), out.end(), key) == out.end()) out.emplace_back(key);
    }
    return out;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "teskutil settings: %s\n", teskutil::ForTerminal(message).c_str());
    return 1;
}

int Run(teskutil::Args& args) {
    const bool wide = args.Flag("--utf16");
    const bool fileOrder = args.Flag("--file-order");
    const auto pos = args.Positionals(2, 5);
    const std::string& verb = pos[0];
    const std::string& path = pos[1];
    std::vector<std::string> rest;
    for (std::size_t i = 2; i < pos.size(); ++i) rest.push_back(FromTerminal(pos[i]));
    auto need = [&](std::size_t min, std::size_t max) {
        if (rest.size() < min || rest.size() > max) throw teskutil::UsageError("wrong number of arguments for " + verb);
    };
    if (fileOrder && wide) throw teskutil::UsageError("--file-order reads the narrow format only");

    CTeskSetting store(wide ? 1 : 0);
    const bool exists = std::filesystem::exists(path);
    const int loaded = fileOrder ? store.LoadFileByFileOrder(path.c_str()) : store.LoadFile(path.c_str());
    if (!loaded && (verb != "set" || exists)) return Fail("cannot read " + path);

    if (verb == "get") {
        need(2, 2);
        const char* value = store.QueryString(rest[0].c_str(), rest[1].c_str());
        if (!value) return Fail("no key " + rest[1] + " in [" + rest[0] + "]");
        teskutil::PrintAnsiLine(value);
        return 0;
    }
    if (verb == "set" || verb == "del") {
        if (verb == "set") {
            need(3, 3);
            store.AddSection(rest[0].c_str());
            store.AddString(rest[0].c_str(), rest[1].c_str(), rest[2].c_str());
        } else {
            need(1, 2);
            const bool found = rest.size() == 1 ? store.IsExist(rest[0].c_str())
                                                : store.Delete(rest[0].c_str(), rest[1].c_str());
            if (!found) return Fail("nothing to delete");
            if (rest.size() == 1) store.DeleteSection(rest[0].c_str());
        }
        if (!store.SaveFile(path.c_str())) return Fail("cannot write " + path);
        return 0;
    }
    if (verb == "list") {
        need(0, 1);
        if (rest.empty()) {
            for (const auto& s : SectionNames(store)) teskutil::PrintAnsiLine(s);
            return 0;
        }
        if (!store.IsExist(rest[0].c_str())) return Fail("no section [" + rest[0] + "]");
        for (const auto& k : KeyNames(store, rest[0], fileOrder)) teskutil::PrintAnsiLine(k);
        return 0;
    }
    if (verb == "dump") {
        need(0, 0);
        for (const auto& s : SectionNames(store)) {
            teskutil::PrintAnsiLine("[" + s + "]");
            for (const auto& k : KeyNames(store, s, fileOrder))
                teskutil::PrintAnsiLine(k + "=" + store.QueryString(s.c_str(), k.c_str()));
        }
        return 0;
    }
    throw teskutil::UsageError("unknown action " + verb);
}

}  // namespace

TESKUTIL_COMMAND(settings, "settings get|set|del|list|dump FILE [SECTION [KEY [VALUE]]] [--utf16] [--file-order]",
                 "read or edit a settings file (set and del save it back)", Run);
