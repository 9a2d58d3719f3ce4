// The format settings file: one table row per key drives both the loader and
// the saver, so adding a key is one line.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "format/plus_minus_signs.h"
#include "tesk/format.h"
#include "tesk/settings_store.h"
#include "util/decimal_readers.h"

#pragma push_macro("None")
#undef None

namespace TeskUtility {
namespace {

enum class Kind {
    Number,     // decimal integer
    Character,  // the decimal code of a signed byte: ':' is "58"; read back modulo 256
    Text,       // the text itself
};

// `write` gives what the saver writes; for a number or character it is also
// what the loader passes on when the key is missing. `read` applies a loaded
// value. Text keys use the *Text pair, and a missing key hands `readText` a
// null text, which the sign setters take as "keep".
struct SettingKey {
    const char* section;
    const char* key;
    Kind kind;
    std::int32_t (*write)();
    void (*read)(std::int32_t);
    CStringA (*writeText)();
    void (*readText)(const char*);
};

template <auto Get>
std::int32_t NumberOf() {
    return static_cast<std::int32_t>(Get());
}
template <auto Set>
void SetNumber(std::int32_t value) {
    Set(value);
}
template <auto Get>
std::int32_t CharCodeOf() {
    return static_cast<signed char>(Get());
}
template <auto Set>
void SetChar(std::int32_t value) {
    Set(static_cast<char>(value & 0xFF));
}
template <auto Get>
CStringA TextOf() {
    return Get();
}
// One argument of a setter that takes several sign texts; the others get
// null, which keeps them.
template <auto Set, std::size_t Slot, std::size_t Count>
void SetOneSign(const char* text) {
    [text]<std::size_t... I>(std::index_sequence<I...>) {
        Set((I == Slot ? text : nullptr)...);
    }(std::make_index_sequence<Count>{});
}

template <auto Get, auto Set>
constexpr SettingKey Number(const char* section, const char* key) {
    return {section, key, Kind::Number, NumberOf<Get>, SetNumber<Set>, nullptr, nullptr};
}
template <auto Get, auto Set>
constexpr SettingKey Character(const char* section, const char* key) {
    return {section, key, Kind::Character, CharCodeOf<Get>, SetChar<Set>, nullptr, nullptr};
}
template <auto Get>
constexpr SettingKey Character(const char* section, const char* key, void (*read)(std::int32_t)) {
    return {section, key, Kind::Character, CharCodeOf<Get>, read, nullptr, nullptr};
}
template <auto Get>
constexpr SettingKey Text(const char* section, const char* key, void (*read)(const char*)) {
    return {section, key, Kind::Text, nullptr, nullptr, TextOf<Get>, read};
}

// The unit signs: only the printable ones are kept by their setter.
template <ENumberConvert Unit>
char UnitSign() {
    return NumberConvert_GetSign(Unit);
}
template <ENumberConvert Unit>
void SetUnitSign(char sign) {
    NumberConvert_SetSign(Unit, sign);
}
CStringA HundredMegaSign() { return NumberConvert_GetSignT(HundredMega); }

// The change signs are set as a triple; each key keeps the other two.
template <std::size_t Slot>
void SetChangeSign(std::int32_t value) {
    char signs[3] = {ChangeSignFormat_GetRisesSign(), ChangeSignFormat_GetFlatSign(), ChangeSignFormat_GetFallSign()};
    signs[Slot] = static_cast<char>(value & 0xFF);
    ChangeSignFormat_SetSign(signs[0], signs[1], signs[2]);
}

// Rows in the order the saver adds them; a section's rows stay together.
constexpr SettingKey kKeys[] = {
    Number<CommodityNameFormat_IsEnablePending, CommodityNameFormat_EnablePending>("CommodityName", "EnablePending"),

    Number<PriceFormat_IsShowPrefixSign, PriceFormat_EnablePrefixSign>("Price", "EnablePrefixSign"),
    Number<PriceFormat_GetPrefixSignWidth, PriceFormat_SetPrefixSignWidth>("Price", "PrefixSignWidth"),
    Text<PriceFormat_GetCeilingSign>("Price", "CeilingSign", SetOneSign<PriceFormat_SetPrefixSign, 0, 5>),
    Text<PriceFormat_GetRisesSign>("Price", "RisesSign", SetOneSign<PriceFormat_SetPrefixSign, 1, 5>),
    Text<PriceFormat_GetFlatSign>("Price", "FlatSign", SetOneSign<PriceFormat_SetPrefixSign, 2, 5>),
    Text<PriceFormat_GetFallSign>("Price", "FallSign", SetOneSign<PriceFormat_SetPrefixSign, 3, 5>),
    Text<PriceFormat_GetFloorSign>("Price", "FloorSign", SetOneSign<PriceFormat_SetPrefixSign, 4, 5>),
    Character<PriceFormat_GetZeroSign, PriceFormat_SetZeroSign>("Price", "ZeroSign"),
    // The flag travels as a byte.
    {"Price", "EnablePlusMinusSign", Kind::Number, NumberOf<PriceFormat_IsShowPlusMinusSign>,
     [](std::int32_t v) { PriceFormat_EnablePlusMinusSign(static_cast<signed char>(v & 0xFF)); }, nullptr, nullptr},
    Number<PriceFormat_GetPlusMinusSignWidth, PriceFormat_SetPlusMinusSignWidth>("Price", "PlusMinusSignWidth"),
    Text<PriceFormat_GetPlusSign>("Price", "PlusSign", SetOneSign<PriceFormat_SetPlusMinusSign, 0, 2>),
    Text<PriceFormat_GetMinusSign>("Price", "MinusSign", SetOneSign<PriceFormat_SetPlusMinusSign, 1, 2>),
    Character<PriceFormat_GetNonDealSign, PriceFormat_SetNonDealSign>("Price", "NonDealSign"),

    Number<VolumeFormat_IsShowCommaSign, VolumeFormat_EnableCommaSign>("Volume", "EnableCommaSign"),
    Character<VolumeFormat_GetCommaSign, VolumeFormat_SetCommaSign>("Volume", "CommaSign"),
    Character<VolumeFormat_GetZeroSign, VolumeFormat_SetZeroSign>("Volume", "ZeroSign"),

    // The flag and the comma written here are the volume family's, read after "Volume".
    Number<CommaFormatWithDot_IsShowCommaSign, CommaFormatWithDot_EnableCommaSign>("TradeValue", "EnableCommaSign"),
    Character<CommaFormatWithDot_GetCommaSign, CommaFormatWithDot_SetCommaSign>("TradeValue", "CommaSign"),
    Character<CommaFormatWithDot_GetZeroSign, CommaFormatWithDot_SetZeroSign>("TradeValue", "ZeroSign"),
    Text<detail::CommaFormatWithDotPlusSign>("TradeValue", "PlusSign",
                                             SetOneSign<CommaFormatWithDot_SetPlusMinusSign, 0, 2>),
    Text<detail::CommaFormatWithDotMinusSign>("TradeValue", "MinusSign",
                                              SetOneSign<CommaFormatWithDot_SetPlusMinusSign, 1, 2>),

    Number<DiffPriceFormat_IsShowPrefixSign, DiffPriceFormat_EnablePrefixSign>("DiffPrice", "EnablePrefixSign"),
    Text<DiffPriceFormat_GetRisesSign>("DiffPrice", "RisesSign", SetOneSign<DiffPriceFormat_SetPrefixSign, 0, 3>),
    Text<DiffPriceFormat_GetFlatSign>("DiffPrice", "FlatSign", SetOneSign<DiffPriceFormat_SetPrefixSign, 1, 3>),
    Text<DiffPriceFormat_GetFallSign>("DiffPrice", "FallSign", SetOneSign<DiffPriceFormat_SetPrefixSign, 2, 3>),
    Character<DiffPriceFormat_GetZeroSign, DiffPriceFormat_SetZeroSign>("DiffPrice", "ZeroSign"),

    Number<PercentFormatWithSign_IsShowPrefixSign, PercentFormatWithSign_EnablePrefixSign>("DiffPercent",
                                                                                           "EnablePrefixSign"),
    Text<PercentFormatWithSign_GetRisesSign>("DiffPercent", "RisesSign",
                                             SetOneSign<PercentFormatWithSign_SetPrefixSign, 0, 3>),
    Text<PercentFormatWithSign_GetFlatSign>("DiffPercent", "FlatSign",
                                            SetOneSign<PercentFormatWithSign_SetPrefixSign, 1, 3>),
    Text<PercentFormatWithSign_GetFallSign>("DiffPercent", "FallSign",
                                            SetOneSign<PercentFormatWithSign_SetPrefixSign, 2, 3>),
    Number<PercentFormatWithSign_IsShowPercentSign, PercentFormatWithSign_EnablePercentSign>("DiffPercent",
                                                                                             "EnablePercentSign"),
    Character<PercentFormatWithSign_GetPercentSign, PercentFormatWithSign_SetPercentSign>("DiffPercent", "PercentSign"),
    Character<PercentFormatWithSign_GetZeroSign, PercentFormatWithSign_SetZeroSign>("DiffPercent", "ZeroSign"),

    Number<PercentFormat_IsShowPercentSign, PercentFormat_EnablePercentSign>("Percent", "EnablePercentSign"),
    Character<PercentFormat_GetPercentSign, PercentFormat_SetPercentSign>("Percent", "PercentSign"),
    Character<PercentFormat_GetZeroSign, PercentFormat_SetZeroSign>("Percent", "ZeroSign"),

    Character<NumberFormat_GetZeroSign, NumberFormat_SetZeroSign>("Number", "ZeroSign"),

    Number<CommaFormat_IsShowCommaSign, CommaFormat_EnableCommaSign>("Comma", "EnableCommaSign"),
    Character<CommaFormat_GetCommaSign, CommaFormat_SetCommaSign>("Comma", "CommaSign"),
    Character<CommaFormat_GetZeroSign, CommaFormat_SetZeroSign>("Comma", "ZeroSign"),
    Text<detail::CommaFormatPlusSign>("Comma", "PlusSign", SetOneSign<CommaFormat_SetPlusMinusSign, 0, 2>),
    Text<detail::CommaFormatMinusSign>("Comma", "MinusSign", SetOneSign<CommaFormat_SetPlusMinusSign, 1, 2>),

    Character<TimeFormat_GetSplitSign, TimeFormat_SetSplitSign>("Time", "SplitSign"),
    Character<DateFormat_GetSplitSign, DateFormat_SetSplitSign>("Date", "SplitSign"),

    Character<ChangeSignFormat_GetRisesSign>("ChangeSign", "RisesSign", SetChangeSign<0>),
    Character<ChangeSignFormat_GetFlatSign>("ChangeSign", "FlatSign", SetChangeSign<1>),
    Character<ChangeSignFormat_GetFallSign>("ChangeSign", "FallSign", SetChangeSign<2>),

    // Read back too, so that a saved file restores the unit signs.
    Character<UnitSign<None>, SetUnitSign<None>>("NumberConvert", "NoneSign"),
    Character<UnitSign<Kilo>, SetUnitSign<Kilo>>("NumberConvert", "KiloSign"),
    Character<UnitSign<Mega>, SetUnitSign<Mega>>("NumberConvert", "MegaSign"),
    Text<HundredMegaSign>("NumberConvert", "HundredMegaSign",
                          [](const char* t) {
                              if (t) NumberConvert_SetSignT(HundredMega, t);
                          }),
    Character<UnitSign<Giga>, SetUnitSign<Giga>>("NumberConvert", "GigaSign"),
    Character<UnitSign<Tera>, SetUnitSign<Tera>>("NumberConvert", "TeraSign"),

    Number<VolumeOver_GetThreshold, VolumeOver_SetThreshold>("VolumeOver", "Threshold"),
    Number<VolumeOverAlarm_GetThreshold, VolumeOverAlarm_SetThreshold>("VolumeOver", "AlarmThreshold"),
    Number<VolumeOverAlarm_GetTickVolume, VolumeOverAlarm_SetTickVolume>("VolumeOver", "AlarmTickVolume"),
};

void LoadKey(const CTeskSetting& store, const SettingKey& k) {
    const char* text = store.QueryString(k.section, k.key, nullptr);
    if (k.kind == Kind::Text) return k.readText(text);
    // The file's integers follow the strict reader: " 45" is not a number here.
    k.read(text ? detail::ReadMinusAndDigits32(text) : k.write());
}

void SaveKey(CTeskSetting& store, const SettingKey& k) {
    store.AddSection(k.section);
    if (k.kind == Kind::Text)
        store.AddString(k.section, k.key, k.writeText().c_str());
    else
        store.AddInteger(k.section, k.key, k.write());
}

}  // namespace

int LoadFormatSetting(const char* path) {
    PriceFormat_LoadDefault();
    if (path == nullptr) return 0;
    CTeskSetting store(0);
    if (!store.LoadFile(path)) return 0;
    // A section missing from the file leaves its family as it is.
    std::string_view section;
    bool present = false;
    for (const SettingKey& k : kKeys) {
        if (k.section != section) present = store.IsExist((section = k.section).data());
        if (present) LoadKey(store, k);
    }
    return 1;
}

int SaveFormatSetting(const char* path) {
    if (path == nullptr) return 0;
    CTeskSetting store(0);
    for (const SettingKey& k : kKeys) SaveKey(store, k);
    return store.SaveFile(path);
}

}  // namespace TeskUtility

#pragma pop_macro("None")
