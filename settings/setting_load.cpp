// CTeskSetting's loaders: one reading loop for the narrow, the wide and the
// file-order variant of the grammar.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/setting_grammar.h"
#include "settings/setting_tables.h"
#include "tesk/platform.h"
#include "tesk/settings_file.h"
#include "tesk/settings_string_io.h"

using TeskUtility::detail::ParseSettingLine;
using TeskUtility::detail::SettingLine;
using TeskUtility::detail::SettingLineRule;

enum class CTeskSetting::LoadKind : int { Narrow, Wide, FileOrder };

int CTeskSetting::LoadFile(const char* path) { return m_bStoreUCS2LE ? LoadFileW(path) : LoadFileA(path); }
int CTeskSetting::LoadFileA(const char* path) { return Load(path, LoadKind::Narrow); }
int CTeskSetting::LoadFileW(const char* path) { return Load(path, LoadKind::Wide); }
int CTeskSetting::LoadFileByFileOrder(const char* path) { return Load(path, LoadKind::FileOrder); }

int CTeskSetting::Load(const char* path, LoadKind kind) {
    if (!path) return 0;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    // A directory exists but cannot be opened as a file, as on the original platform.
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) return 0;
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) return 0;

    const bool recordOrder = kind == LoadKind::FileOrder;
    if (recordOrder) {
        m_sections->Clear();
        if (m_fileOrder)
            m_fileOrder->Clear();
        else
            m_fileOrder = std::make_unique<FileOrderTable>();
    }
    const SettingLineRule rule{kind != LoadKind::Wide, kind == LoadKind::Narrow};

    KeyTable* current = nullptr;
    const std::string* currentName = nullptr;
    std::vector<std::pair<std::string, std::string>>* order = nullptr;  // made on the section's first key
    std::string line;
    std::u16string wide;
    for (;;) {
        if (kind == LoadKind::Wide) {
            if (!TeskUtility::StdioFileReadStringW(file, wide)) break;
            line = TeskUtility::WideToAnsi(wide);
        } else if (!TeskUtility::StdioFileReadStringA(file, line)) {
            break;
        }
        const SettingLine parsed = ParseSettingLine(line, rule);
        if (parsed.kind == SettingLine::Header) {
            auto* node = m_sections->TryEmplace(parsed.name).first;
            current = &node->value;
            currentName = &node->name;
            order = nullptr;
        } else if (parsed.kind == SettingLine::Pair && current) {
            if (recordOrder && !currentName->empty()) {
                if (!order) order = &m_fileOrder->TryEmplace(*currentName).first->value;
                order->emplace_back(parsed.key, parsed.value);
            }
            current->TryEmplace(parsed.key, parsed.value);  // the first value met wins
        }
    }
    file.Close();
    m_bLoaded = 1;
    return 1;
}

std::uint32_t CTeskSetting::GetKeyListByFileOrder(const char* section, const char** list,
                                                  std::uint32_t maxCount) const {
    if (!section || !list) return 0;
    const KeyTable* keys = GetSectionData(section);
    if (!keys) return 0;
    if (const auto* order = m_fileOrder ? m_fileOrder->Find(section) : nullptr) {
        std::uint32_t n = 0;
        for (const auto& entry : order->value) {
            if (n == maxCount) break;
            list[n++] = entry.first.c_str();
        }
    }
    return std::min(maxCount, static_cast<std::uint32_t>(keys->Size()));
}
