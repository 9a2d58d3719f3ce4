// The tables behind CTeskSetting: sections own key tables; the file-order
// table keeps, per section name, the (key, value) lines in the order a load
// by file order met them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "settings/name_table.h"
#include "tesk/settings_store.h"

class CTeskSetting::KeyTable : public TeskUtility::detail::TextTable {};

class CTeskSetting::SectionTable : public TeskUtility::detail::NameTable<KeyTable> {};

class CTeskSetting::FileOrderTable
    : public TeskUtility::detail::NameTable<std::vector<std::pair<std::string, std::string>>> {};
