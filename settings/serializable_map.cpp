// CTeskSerializableMap: run-time class, entries and typed access.
#include "settings/value_text.h"
#include "tesk/settings_map.h"

using namespace TeskUtility::detail;

CRuntimeClass CTeskSerializableMap::classCTeskSerializableMap = {
    "CTeskSerializableMap", sizeof(CTeskSerializableMap), 0xFFFF, &CTeskSerializableMap::CreateObject,
    &CTeskSerializableMap::_GetBaseClass};
static const CRuntimeClassRegistrar s_registerMap(&CTeskSerializableMap::classCTeskSerializableMap);

CRuntimeClass* CTeskSerializableMap::GetThisClass() { return &classCTeskSerializableMap; }
CRuntimeClass* CTeskSerializableMap::_GetBaseClass() { return CObject::GetThisClass(); }
CRuntimeClass* CTeskSerializableMap::GetRuntimeClass() const { return &classCTeskSerializableMap; }
CObject* CTeskSerializableMap::CreateObject() { return new CTeskSerializableMap(0); }

CTeskSerializableMap::CTeskSerializableMap(int storeUCS2LE) : m_bStoreUCS2LE(storeUCS2LE) {}
CTeskSerializableMap::CTeskSerializableMap(const CTeskSerializableMap& other)
    : CObject(other), m_bStoreUCS2LE(other.m_bStoreUCS2LE), m_entries(other.m_entries) {}

CTeskSerializableMap& CTeskSerializableMap::operator=(const CTeskSerializableMap& other) {
    if (this != &other) {
        m_entries = other.m_entries;
        m_bStoreUCS2LE = other.m_bStoreUCS2LE;
    }
    return *this;
}

CTeskSerializableMap::~CTeskSerializableMap() = default;

void CTeskSerializableMap::Clear() { m_entries.clear(); }
int CTeskSerializableMap::IsEmpty() const { return m_entries.empty() ? 1 : 0; }
unsigned CTeskSerializableMap::GetCount() const { return static_cast<unsigned>(m_entries.size()); }
int CTeskSerializableMap::IsExist(const char* key) const { return QueryValue(key) ? 1 : 0; }
int CTeskSerializableMap::Delete(const char* key) { return DeleteValue(key); }

std::uint32_t CTeskSerializableMap::GetKeyList(const char** list, std::uint32_t maxCount) const {
    if (!list) return 0;
    std::uint32_t n = 0;
    for (auto it = m_entries.begin(); it != m_entries.end() && n < maxCount; ++it) list[n++] = it->first.c_str();
    return n;
}

const char* CTeskSerializableMap::QueryValue(const char* key) const {
    if (!key) return nullptr;
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : it->second.c_str();
}

unsigned CTeskSerializableMap::QueryValueLength(const char* key) const {
    if (!key) return 0;
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? 0 : static_cast<unsigned>(it->second.size());
}

int CTeskSerializableMap::AddValue(const char* key, const char* value) {
    if (!key) return 0;
    m_entries.insert_or_assign(key, value ? value : "");
    return 1;
}

int CTeskSerializableMap::DeleteValue(const char* key) { return key && m_entries.erase(key) ? 1 : 0; }

const char* CTeskSerializableMap::QueryString(const char* key) const { return QueryValue(key); }
int CTeskSerializableMap::AddString(const char* key, const char* value) { return AddValue(key, value); }

int CTeskSerializableMap::QueryInteger(const char* key, int defaultValue) const {
    const char* value = QueryValue(key);
    return value ? ReadInteger(value) : defaultValue;
}

std::int64_t CTeskSerializableMap::QueryInteger64(const char* key, std::int64_t defaultValue) const {
    const char* value = QueryValue(key);
    return value ? ReadInteger64(value) : defaultValue;
}

double CTeskSerializableMap::QueryDouble(const char* key, double defaultValue) const {
    const char* value = QueryValue(key);
    return value ? ReadDouble(value) : defaultValue;
}

int CTeskSerializableMap::AddInteger(const char* key, int value) { return AddValue(key, FormatInteger(value).text); }
int CTeskSerializableMap::AddInteger64(const char* key, std::int64_t value) {
    return AddValue(key, FormatInteger(value).text);
}
int CTeskSerializableMap::AddDouble(const char* key, double value) { return AddValue(key, FormatDouble(value).text); }

void* CTeskSerializableMap::QueryBinary(const char* key, void* buffer, std::uint32_t& size) const {
    if (!key) return nullptr;
    return DecodeBinary(QueryValue(key), QueryValueLength(key), buffer, size);
}

int CTeskSerializableMap::AddBinary(const char* key, const void* data, std::uint32_t size) {
    if (!key) return 0;
    const auto text = EncodeBinary(data, size);
    return text ? AddValue(key, text.get()) : 0;
}
