// Loading a CTeskSerializableMap: check the magic, then read the announced
// entries line by line.
#include <algorithm>
#include <cstring>
#include <string>

#include "settings/serializable_map_magic.h"
#include "tesk/exceptions.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_map.h"
#include "tesk/settings_string_io.h"

namespace {

// "毀損的檔案格式 - 損壞的可序列化Map標籤" in Big5.
constexpr const char* kDamagedMagicText =
    "\xB7\xB4\xB7" "l\xAA\xBA\xC0\xC9\xAE\xD7\xAE\xE6\xA6\xA1" " - " "\xB7" "l\xC3" "a\xAA\xBA\xA5" "i\xA7\xC7\xA6"
    "C\xA4\xC6" "Map" "\xBC\xD0\xC5\xD2";

}  // namespace

bool CTeskSerializableMap::ReadMagic(CArchive& ar) {
    char magic[sizeof TeskUtility::detail::kMapMagic];
    if (ar.Read(magic, sizeof magic) < sizeof magic) return false;
    if (std::memcmp(magic, TeskUtility::detail::kMapMagic, sizeof magic) != 0) {
        TeskUtility::MessageBox(kDamagedMagicText, std::string(), TeskUtility::MB_ICONSTOP);
        throw CUserException();
    }
    return true;
}

namespace {

// The announced count; a count cut off by the end of the data reads as 0.
std::uint32_t ReadEntryCount(CArchive& ar) {
    try {
        return ar.ReadCount();
    } catch (const CArchiveException& e) {
        if (e.m_cause != CArchiveException::endOfFile) throw;
        return 0;
    }
}

// One pass per announced entry. Once the data is exhausted every further
// pass would read nothing, so the loop stops there instead of spinning
// through a huge damaged count.
template <typename Line, typename ReadLine, typename ToNarrow>
void LoadEntries(CArchive& ar, std::map<std::string, std::string>& entries, ReadLine readLine, ToNarrow toNarrow) {
    const std::uint32_t count = ReadEntryCount(ar);
    Line key, value;
    for (std::uint32_t pass = 0; pass < count; ++pass) {
        if (!readLine(ar, key)) break;
        if (!readLine(ar, value)) break;
        std::string name = toNarrow(key);
        // Keys are handed out as C strings, which end at the first NUL: one
        // stored past it could be listed but never looked up, so it is cut there.
        name.resize(std::min(name.size(), name.find('\0')));
        if (name.empty()) continue;
        entries.insert_or_assign(std::move(name), toNarrow(value));
    }
}

}  // namespace

void CTeskSerializableMap::LoadStateA(CArchive& ar) {
    if (!ReadMagic(ar)) return;
    m_entries.clear();
    LoadEntries<std::string>(
        ar, m_entries, [](CArchive& a, std::string& line) { return TeskUtility::ArchiveReadStringA(a, line) != 0; },
        [](const std::string& s) -> const std::string& { return s; });
}

void CTeskSerializableMap::LoadStateW(CArchive& ar) {
    if (!ReadMagic(ar)) return;
    m_entries.clear();
    LoadEntries<std::u16string>(
        ar, m_entries, [](CArchive& a, std::u16string& line) { return TeskUtility::ArchiveReadStringW(a, line) != 0; },
        [](const std::u16string& s) { return TeskUtility::WideToAnsi(s); });
}
