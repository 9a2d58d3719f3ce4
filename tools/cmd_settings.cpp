// teskutil settings: read and edit a settings file from the shell.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "output.h"
#include "settings_text.h"
#include "settings_view.h"
#include "tesk/platform.h"

namespace {

using teskutil::UsageError;

// Names and values typed at the terminal are UTF-8; the file holds its own
// encoding (the ANSI code page, or UTF-8 for UTF-8 and UTF-16 files).
std::string FromTerminal(const std::string& text) {
    if (teskutil::RawOutput()) return text;
    std::string converted = TeskUtility::Utf8ToAnsi(text);
    if (TeskUtility::AnsiToUtf8(converted) != text)
        throw UsageError("'" + text + "' has characters that the file's code page cannot hold");
    return converted;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "teskutil settings: %s\n", teskutil::ForTerminal(message).c_str());
    return 1;
}

struct Verb {
    const char* name;
    std::size_t minRest, maxRest;
};
constexpr Verb kVerbs[] = {{"get", 2, 2}, {"set", 3, 3}, {"del", 1, 2}, {"list", 0, 1}, {"dump", 0, 0}};

int Run(teskutil::Args& args) {
    const bool wide = args.Flag("--utf16");
    const bool fileOrder = args.Flag("--file-order");
    const auto pos = args.Positionals(2, 5);
    const std::string& verb = pos[0];
    const std::string& path = pos[1];
    const Verb* known = nullptr;
    for (const auto& v : kVerbs)
        if (verb == v.name) known = &v;
    if (!known) throw UsageError("unknown action " + verb);
    const std::size_t given = pos.size() - 2;
    if (given < known->minRest || given > known->maxRest) throw UsageError("wrong number of arguments for " + verb);
    if (fileOrder && wide) throw UsageError("--file-order reads the narrow format only");

    teskutil::SettingsFile file = teskutil::LoadSettingsFile(path, wide, fileOrder);
    if (!file.existed && verb != "set") return Fail("cannot read " + path + ": no such file");
    std::vector<std::string> rest;
    for (std::size_t i = 2; i < pos.size(); ++i) rest.push_back(FromTerminal(pos[i]));
    CTeskSetting& store = *file.store;

    if (verb == "get") {
        const char* value = store.QueryString(rest[0].c_str(), rest[1].c_str());
        if (!value) return Fail("no key " + rest[1] + " in [" + rest[0] + "] of " + path);
        teskutil::PrintAnsiLine(value);
        return 0;
    }
    if (verb == "set" || verb == "del") {
        if (!file.wellFormed)
            return Fail(path + " is not a settings file (NUL bytes, or text invalid in " +
                        teskutil::SettingsTextName(file.text) + "); not rewriting it");
        if (verb == "set") {
            const std::string why = teskutil::UnreadableEntry(rest[0], rest[1], rest[2]);
            if (!why.empty()) throw UsageError("cannot store [" + pos[2] + "] " + pos[3] + ": " + why);
            store.AddSection(rest[0].c_str());
            store.AddString(rest[0].c_str(), rest[1].c_str(), rest[2].c_str());
        } else {
            const bool found = rest.size() == 1 ? store.IsExist(rest[0].c_str())
                                                : store.Delete(rest[0].c_str(), rest[1].c_str());
            if (!found) return Fail("nothing to delete in " + path);
            if (rest.size() == 1) store.DeleteSection(rest[0].c_str());
        }
        teskutil::SaveSettingsFile(file, path);
        return 0;
    }
    if (verb == "list") {
        if (rest.empty()) {
            for (const auto& s : teskutil::SectionNames(store)) teskutil::PrintAnsiLine(s);
            return 0;
        }
        if (!store.IsExist(rest[0].c_str())) return Fail("no section [" + rest[0] + "] in " + path);
        for (const auto& k : teskutil::KeyNames(store, rest[0], fileOrder)) teskutil::PrintAnsiLine(k);
        return 0;
    }
    teskutil::DumpSettings(store, fileOrder, [](const std::string& line) { teskutil::PrintAnsiLine(line); });
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(settings, "settings get|set|del|list|dump FILE [SECTION [KEY [VALUE]]] [--utf16] [--file-order]",
                 "read or edit a settings file (UTF-8, UTF-16LE by mark, or ANSI; set and del save it back)", Run);
