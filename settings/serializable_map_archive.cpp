// CTeskSerializableMap in an archive: "TSM ", the entry count, then each
// entry as key LF value LF, in bytes (narrow) or UTF-16LE units (wide).
#include <string>

#include "settings/serializable_map_magic.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_map.h"

namespace {

void WriteWide(CArchive& ar, const std::string& narrow) {
    const std::u16string wide = TeskUtility::AnsiToWide(narrow);
    ar.Write(wide.data(), static_cast<unsigned>(wide.size() * sizeof(char16_t)));
    const char16_t lf = u'\n';
    ar.Write(&lf, sizeof lf);
}

}  // namespace

void CTeskSerializableMap::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        if (m_bStoreUCS2LE)
            LoadStateW(ar);
        else
            LoadStateA(ar);
    } else if (m_bStoreUCS2LE) {
        SaveStateW(ar);
    } else {
        SaveStateA(ar);
    }
}

void CTeskSerializableMap::WriteHeader(CArchive& ar) const {
    ar.Write(TeskUtility::detail::kMapMagic, sizeof TeskUtility::detail::kMapMagic);
    ar.WriteCount(static_cast<std::uint32_t>(m_entries.size()));
}

void CTeskSerializableMap::SaveStateA(CArchive& ar) const {
    WriteHeader(ar);
    for (const auto& [key, value] : m_entries) {
        ar.Write(key.data(), static_cast<unsigned>(key.size()));
        ar.Write("\n", 1);
        ar.Write(value.data(), static_cast<unsigned>(value.size()));
        ar.Write("\n", 1);
    }
}

void CTeskSerializableMap::SaveStateW(CArchive& ar) const {
    WriteHeader(ar);
    for (const auto& [key, value] : m_entries) {
        WriteWide(ar, key);
        WriteWide(ar, value);
    }
}

