// CTeskSetting: construction, copies, sections, keys and the value primitives.
#include <string_view>

#include "settings/setting_tables.h"

CTeskSetting::CTeskSetting(int storeUCS2LE)
    : m_bStoreUCS2LE(storeUCS2LE), m_sections(std::make_unique<SectionTable>()) {}

CTeskSetting::CTeskSetting(const CTeskSetting& other)
    : m_bStoreUCS2LE(other.m_bStoreUCS2LE),
      m_bLoaded(other.m_bLoaded),
      m_sections(std::make_unique<SectionTable>(*other.m_sections)) {}

CTeskSetting& CTeskSetting::operator=(const CTeskSetting& other) {
    if (this == &other) return *this;
    // Build the copy first so that a failed allocation leaves this store intact.
    auto copy = std::make_unique<SectionTable>(*other.m_sections);
    m_sections = std::move(copy);
    m_bStoreUCS2LE = other.m_bStoreUCS2LE;
    m_bLoaded = other.m_bLoaded;
    return *this;
}

CTeskSetting::~CTeskSetting() = default;

void CTeskSetting::Swap(CTeskSetting& other) {
    std::swap(m_bStoreUCS2LE, other.m_bStoreUCS2LE);
    std::swap(m_bLoaded, other.m_bLoaded);
    std::swap(m_sections, other.m_sections);
}

int CTeskSetting::AddSection(const char* section) { return GetSectionData(section, 1) ? 1 : 0; }

int CTeskSetting::DeleteSection(const char* section) {
    if (!section) return 0;
    m_sections->Erase(section);
    return 1;
}

int CTeskSetting::IsExist(const char* section) const { return GetSectionData(section) ? 1 : 0; }

std::uint32_t CTeskSetting::GetSectionListCount() const { return static_cast<std::uint32_t>(m_sections->Size()); }

namespace {

template <typename Table>
std::uint32_t ListNames(const Table& table, const char** list, std::uint32_t maxCount) {
    std::uint32_t n = 0;
    table.ForEach([&](const auto& node) {
        if (n < maxCount) list[n++] = node.CName();
    });
    return n;
}

}  // namespace

std::uint32_t CTeskSetting::GetSectionList(const char** list, std::uint32_t maxCount) const {
    return list ? ListNames(*m_sections, list, maxCount) : 0;
}

int CTeskSetting::IsExist(const char* section, const char* key) const { return QueryValue(section, key) ? 1 : 0; }

int CTeskSetting::Delete(const char* section, const char* key) { return DeleteValue(section, key); }

std::uint32_t CTeskSetting::GetKeyListCount(const char* section) const {
    const KeyTable* keys = GetSectionData(section);
    return keys ? static_cast<std::uint32_t>(keys->Size()) : 0;
}

std::uint32_t CTeskSetting::GetKeyList(const char* section, const char** list, std::uint32_t maxCount) const {
    const KeyTable* keys = GetSectionData(section);
    return keys && list ? ListNames(*keys, list, maxCount) : 0;
}

const char* CTeskSetting::QueryValue(const char* section, const char* key) const {
    const KeyTable* keys = GetSectionData(section);
    if (!keys || !key) return nullptr;
    const auto* node = keys->Find(key);
    return node ? node->Value() : nullptr;
}

int CTeskSetting::QueryValueLength(const char* section, const char* key) const {
    const KeyTable* keys = GetSectionData(section);
    if (!keys || !key) return 0;
    const auto* node = keys->Find(key);
    return node ? static_cast<int>(node->ValueLength()) : 0;
}

int CTeskSetting::AddValue(const char* section, const char* key, const char* value) {
    if (!section || !key) return 0;
    KeyTable* keys = GetSectionData(section, 0);
    if (!keys) return 0;
    const std::string_view text = value ? std::string_view(value) : std::string_view();
    auto [node, inserted] = keys->TryEmplace(key, text);
    if (!inserted) node->SetValue(text);
    return 1;
}

int CTeskSetting::DeleteValue(const char* section, const char* key) {
    if (!section || !key) return 0;
    KeyTable* keys = GetSectionData(section, 0);
    return keys && keys->Erase(key) ? 1 : 0;
}

CTeskSetting::KeyTable* CTeskSetting::GetSectionData(const char* section, int create) {
    if (!section) return nullptr;
    if (create) return &m_sections->TryEmplace(section).first->value;
    auto* node = m_sections->Find(section);
    return node ? &node->value : nullptr;
}

const CTeskSetting::KeyTable* CTeskSetting::GetSectionData(const char* section) const {
    if (!section) return nullptr;
    const auto* node = m_sections->Find(section);
    return node ? &node->value : nullptr;
}
