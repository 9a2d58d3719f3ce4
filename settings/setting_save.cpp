// CTeskSetting's savers: "[name]" and "key=value" lines, narrow with CR LF or
// UTF-16LE with LF, no byte-order mark.
#include <string>

#include "settings/setting_tables.h"
#include "tesk/platform.h"
#include "tesk/settings_file.h"

int CTeskSetting::SaveFile(const char* path) const { return m_bStoreUCS2LE ? SaveFileW(path) : SaveFileA(path); }
int CTeskSetting::SaveFileA(const char* path) const { return Save(path, false); }
int CTeskSetting::SaveFileW(const char* path) const { return Save(path, true); }

int CTeskSetting::Save(const char* path, bool wide) const {
    if (!path) return 0;
    // A buffered binary stream: one Write per line, without a system call per line.
    CStdioFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary)) return 0;

    std::string line;
    std::u16string wideLine;
    auto writeLine = [&](std::string_view a, char join, std::string_view b, const char* close) {
        if (wide) {
            wideLine = TeskUtility::AnsiToWide(a);
            if (join) wideLine += static_cast<char16_t>(join);
            wideLine += TeskUtility::AnsiToWide(b);
            for (const char* c = close; *c; ++c) wideLine += static_cast<char16_t>(*c);
            wideLine += u'\n';
            file.Write(wideLine.data(), static_cast<unsigned>(wideLine.size() * sizeof(char16_t)));
        } else {
            line.assign(a);
            if (join) line += join;
            line.append(b).append(close).append("\r\n");
            file.Write(line.data(), static_cast<unsigned>(line.size()));
        }
    };
    m_sections->ForEach([&](const auto& section) {
        writeLine("[", 0, section.name, "]");
        section.value.ForEach([&](const auto& entry) { writeLine(entry.Name(), '=', std::string_view(entry.Value(), entry.ValueLength()), ""); });
    });
    file.Close();
    return 1;
}
