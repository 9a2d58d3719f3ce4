#include "settings_text.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

#include "replace_file.h"
#include "tesk/platform.h"
#include "tesk/settings_charset.h"
#include "tesk/settings_file.h"

namespace teskutil {
namespace {

using namespace TeskUtility;

std::string ReadAll(const std::string& path) {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    std::string bytes;
    char chunk[1 << 16];
    while (const unsigned n = file.Read(chunk, sizeof chunk)) bytes.append(chunk, n);
    return bytes;
}

bool HasHighByte(std::string_view bytes) {
    for (const unsigned char c : bytes)
        if (c >= 0x80) return true;
    return false;
}

// UTF-16LE that holds no U+0000 and no unpaired surrogate.
bool IsCleanUtf16(std::string_view bytes) {
    if (bytes.size() % 2) return false;
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), bytes.size());
    if (units.find(u'\0') != std::u16string::npos) return false;
    return Utf8ToWide(WideToUtf8(units)) == units;
}

// The mark and then a line end: the library's loaders read the mark as the
// start of the first line, which the empty line makes harmless.
std::string MarkLine(SettingsText text) {
    if (text == SettingsText::Utf16LE) return std::string("\xFF\xFE\n\0", 4);
    return "\xEF\xBB\xBF\r\n";
}

}  // namespace

const char* SettingsTextName(SettingsText text) {
    switch (text) {
        case SettingsText::Utf8: return "UTF-8";
        case SettingsText::Utf16LE: return "UTF-16LE";
        default: return "the ANSI code page";
    }
}

SettingsFile LoadSettingsFile(const std::string& path, bool utf16, bool fileOrder) {
    SettingsFile file;
    std::string body;
    if (::access(path.c_str(), F_OK) == 0) {
        file.existed = true;
        body = ReadAll(path);
    }
    const ECharsetType probed = ProbeCharset(body.data(), static_cast<int>(std::min<std::size_t>(body.size(), 4)));
    switch (probed) {
        case CT_UTF16LE: file.text = SettingsText::Utf16LE; break;
        case CT_UTF8: file.text = SettingsText::Utf8; break;
        case CT_UTF16BE:
        case CT_UTF32LE:
        case CT_UTF32BE: throw std::runtime_error(path + ": UTF-16BE and UTF-32 settings files are not supported");
        default:
            if (utf16) file.text = SettingsText::Utf16LE;
            else if (HasHighByte(body) && IsWellFormed(body, CP_UTF8)) file.text = SettingsText::Utf8;
            break;
    }
    if (fileOrder && file.text == SettingsText::Utf16LE)
        throw std::runtime_error(path + ": --file-order reads narrow (ANSI or UTF-8) files only");
    file.mark = GetBOMLength(probed) > 0 || (utf16 && !file.existed);
    body.erase(0, static_cast<std::size_t>(GetBOMLength(probed)));

    if (file.text != SettingsText::Ansi) SetThreadAnsiCodePage(CP_UTF8);
    if (file.text == SettingsText::Utf16LE)
        file.wellFormed = IsCleanUtf16(body);
    else
        file.wellFormed = body.find('\0') == std::string::npos && IsWellFormed(body);

    file.store = std::make_unique<CTeskSetting>(file.text == SettingsText::Utf16LE ? 1 : 0);
    if (!file.existed) return file;
    ScratchFile scratch;
    const int fd = ::open(scratch.Path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot write scratch data for " + path);
    try {
        WriteAllTo(fd, body.data(), body.size(), "scratch data for " + path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    const char* at = scratch.Path().c_str();
    if (!(fileOrder ? file.store->LoadFileByFileOrder(at) : file.store->LoadFile(at)))
        throw std::runtime_error("cannot read " + path);
    return file;
}

void SaveSettingsFile(const SettingsFile& file, const std::string& path) {
    ScratchFile body;
    if (!file.store->SaveFile(body.Path().c_str())) throw std::runtime_error("cannot write " + path);
    ReplacedFile output(path);
    const int fd = ::open(output.TempPath().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot write " + path);
    try {
        if (file.mark) {
            const std::string mark = MarkLine(file.text);
            WriteAllTo(fd, mark.data(), mark.size(), path);
        }
        AppendFileTo(fd, body.Path());
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) throw std::runtime_error("cannot write " + path);
    output.Commit();
}

}  // namespace teskutil
