// CTeskSetting's typed access: every type is kept as its text form.
#include "settings/setting_tables.h"
#include "settings/value_text.h"

using namespace TeskUtility::detail;

const char* CTeskSetting::QueryString(const char* section, const char* key, const char* defaultValue) const {
    if (!section || !key) return nullptr;
    const char* value = QueryValue(section, key);
    return value ? value : defaultValue;
}

int CTeskSetting::AddString(const char* section, const char* key, const char* value) {
    return AddValue(section, key, value);
}

int CTeskSetting::QueryInteger(const char* section, const char* key, int defaultValue) const {
    const char* value = QueryValue(section, key);
    return value ? ReadInteger(value) : defaultValue;
}

std::int64_t CTeskSetting::QueryInteger64(const char* section, const char* key, std::int64_t defaultValue) const {
    const char* value = QueryValue(section, key);
    return value ? ReadInteger64(value) : defaultValue;
}

double CTeskSetting::QueryDouble(const char* section, const char* key, double defaultValue) const {
    const char* value = QueryValue(section, key);
    return value ? ReadDouble(value) : defaultValue;
}

int CTeskSetting::AddInteger(const char* section, const char* key, int value) {
    if (!section || !key) return 0;
    return AddValue(section, key, FormatInteger(value).text);
}

int CTeskSetting::AddInteger64(const char* section, const char* key, std::int64_t value) {
    if (!section || !key) return 0;
    return AddValue(section, key, FormatInteger(value).text);
}

int CTeskSetting::AddDouble(const char* section, const char* key, double value) {
    if (!section || !key) return 0;
    return AddValue(section, key, FormatDouble(value).text);
}

void* CTeskSetting::QueryBinary(const char* section, const char* key, void* buffer, std::uint32_t& size) const {
    if (!section || !key) return nullptr;
    const char* value = QueryValue(section, key);
    return DecodeBinary(value, static_cast<std::size_t>(QueryValueLength(section, key)), buffer, size);
}

int CTeskSetting::AddBinary(const char* section, const char* key, const void* data, std::uint32_t size) {
    if (!section || !key) return 0;
    const auto text = EncodeBinary(data, size);
    return text ? AddValue(section, key, text.get()) : 0;
}
