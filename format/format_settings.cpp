#include <functional>
#include <string>

#include "format/decimal_reader.h"
#include "format/plus_minus_signs.h"
#include "tesk/format.h"
#include "tesk/settings_store.h"

namespace TeskUtility {
namespace {

// Characters are kept as the decimal code of a signed byte: ':' is "58".
int CharCode(char c) { return static_cast<signed char>(c); }

// Reading one section of a loaded file; a missing key keeps the current value.
class SectionReader {
public:
    SectionReader(const CTeskSetting& store, const char* section, bool present)
        : store_(store), section_(section), present_(present) {}

    bool Present() const { return present_; }
    std::int32_t Number(const char* key, std::int32_t current) const {
        const char* text = store_.QueryString(section_, key, nullptr);
        return text ? detail::ReadLeadingInt32(text) : current;
    }
    char Char(const char* key, char current) const {
        return static_cast<char>(static_cast<unsigned char>(Number(key, static_cast<unsigned char>(current)) & 0xFF));
    }
    // A null text tells the sign setters to keep their field.
    const char* Text(const char* key) const { return store_.QueryString(section_, key, nullptr); }

private:
    const CTeskSetting& store_;
    const char* section_;
    bool present_;
};

using SectionTest = std::function<bool(const char*)>;

void LoadSections(const CTeskSetting& store, const SectionTest& has) {
    if (SectionReader s(store, "CommodityName", has("CommodityName")); s.Present())
        CommodityNameFormat_EnablePending(s.Number("EnablePending", CommodityNameFormat_IsEnablePending()));
    if (SectionReader s(store, "Price", has("Price")); s.Present()) {
        PriceFormat_EnablePrefixSign(s.Number("EnablePrefixSign", PriceFormat_IsShowPrefixSign()));
        PriceFormat_SetPrefixSignWidth(s.Number("PrefixSignWidth", PriceFormat_GetPrefixSignWidth()));
        PriceFormat_SetPrefixSign(s.Text("CeilingSign"), s.Text("RisesSign"), s.Text("FlatSign"), s.Text("FallSign"),
                                  s.Text("FloorSign"));
        PriceFormat_SetZeroSign(s.Char("ZeroSign", PriceFormat_GetZeroSign()));
        // The flag travels as a byte.
        PriceFormat_EnablePlusMinusSign(
            static_cast<signed char>(s.Number("EnablePlusMinusSign", PriceFormat_IsShowPlusMinusSign()) & 0xFF));
        PriceFormat_SetPlusMinusSignWidth(s.Number("PlusMinusSignWidth", PriceFormat_GetPlusMinusSignWidth()));
        PriceFormat_SetPlusMinusSign(s.Text("PlusSign"), s.Text("MinusSign"));
        PriceFormat_SetNonDealSign(s.Char("NonDealSign", PriceFormat_GetNonDealSign()));
    }
    if (SectionReader s(store, "Volume", has("Volume")); s.Present()) {
        VolumeFormat_EnableCommaSign(s.Number("EnableCommaSign", VolumeFormat_IsShowCommaSign()));
        VolumeFormat_SetCommaSign(s.Char("CommaSign", VolumeFormat_GetCommaSign()));
        VolumeFormat_SetZeroSign(s.Char("ZeroSign", VolumeFormat_GetZeroSign()));
    }
    if (SectionReader s(store, "TradeValue", has("TradeValue")); s.Present()) {
        CommaFormatWithDot_EnableCommaSign(s.Number("EnableCommaSign", CommaFormatWithDot_IsShowCommaSign()));
        CommaFormatWithDot_SetCommaSign(s.Char("CommaSign", CommaFormatWithDot_GetCommaSign()));
        CommaFormatWithDot_SetZeroSign(s.Char("ZeroSign", CommaFormatWithDot_GetZeroSign()));
        CommaFormatWithDot_SetPlusMinusSign(s.Text("PlusSign"), s.Text("MinusSign"));
    }
    if (SectionReader s(store, "DiffPrice", has("DiffPrice")); s.Present()) {
        DiffPriceFormat_EnablePrefixSign(s.Number("EnablePrefixSign", DiffPriceFormat_IsShowPrefixSign()));
        DiffPriceFormat_SetPrefixSign(s.Text("RisesSign"), s.Text("FlatSign"), s.Text("FallSign"));
        DiffPriceFormat_SetZeroSign(s.Char("ZeroSign", DiffPriceFormat_GetZeroSign()));
    }
    if (SectionReader s(store, "DiffPercent", has("DiffPercent")); s.Present()) {
        PercentFormatWithSign_EnablePrefixSign(s.Number("EnablePrefixSign", PercentFormatWithSign_IsShowPrefixSign()));
        PercentFormatWithSign_SetPrefixSign(s.Text("RisesSign"), s.Text("FlatSign"), s.Text("FallSign"));
        PercentFormatWithSign_EnablePercentSign(
            s.Number("EnablePercentSign", PercentFormatWithSign_IsShowPercentSign()));
        PercentFormatWithSign_SetPercentSign(s.Char("PercentSign", PercentFormatWithSign_GetPercentSign()));
        PercentFormatWithSign_SetZeroSign(s.Char("ZeroSign", PercentFormatWithSign_GetZeroSign()));
    }
    if (SectionReader s(store, "Percent", has("Percent")); s.Present()) {
        PercentFormat_EnablePercentSign(s.Number("EnablePercentSign", PercentFormat_IsShowPercentSign()));
        PercentFormat_SetPercentSign(s.Char("PercentSign", PercentFormat_GetPercentSign()));
        PercentFormat_SetZeroSign(s.Char("ZeroSign", PercentFormat_GetZeroSign()));
    }
    if (SectionReader s(store, "Number", has("Number")); s.Present())
        NumberFormat_SetZeroSign(s.Char("ZeroSign", NumberFormat_GetZeroSign()));
    if (SectionReader s(store, "Comma", has("Comma")); s.Present()) {
        CommaFormat_EnableCommaSign(s.Number("EnableCommaSign", CommaFormat_IsShowCommaSign()));
        CommaFormat_SetCommaSign(s.Char("CommaSign", CommaFormat_GetCommaSign()));
        CommaFormat_SetZeroSign(s.Char("ZeroSign", CommaFormat_GetZeroSign()));
        CommaFormat_SetPlusMinusSign(s.Text("PlusSign"), s.Text("MinusSign"));
    }
    if (SectionReader s(store, "Time", has("Time")); s.Present())
        TimeFormat_SetSplitSign(s.Char("SplitSign", TimeFormat_GetSplitSign()));
    if (SectionReader s(store, "Date", has("Date")); s.Present())
        DateFormat_SetSplitSign(s.Char("SplitSign", DateFormat_GetSplitSign()));
    if (SectionReader s(store, "ChangeSign", has("ChangeSign")); s.Present())
        ChangeSignFormat_SetSign(s.Char("RisesSign", ChangeSignFormat_GetRisesSign()),
                                 s.Char("FlatSign", ChangeSignFormat_GetFlatSign()),
                                 s.Char("FallSign", ChangeSignFormat_GetFallSign()));
    if (SectionReader s(store, "VolumeOver", has("VolumeOver")); s.Present()) {
        VolumeOver_SetThreshold(s.Number("Threshold", VolumeOver_GetThreshold()));
        VolumeOverAlarm_SetThreshold(s.Number("AlarmThreshold", VolumeOverAlarm_GetThreshold()));
        VolumeOverAlarm_SetTickVolume(s.Number("AlarmTickVolume", VolumeOverAlarm_GetTickVolume()));
    }
    // Read back too, so a saved file restores the unit signs.
    if (SectionReader s(store, "NumberConvert", has("NumberConvert")); s.Present()) {
        const struct { const char* key; ENumberConvert unit; } units[] = {
            {"NoneSign", None}, {"KiloSign", Kilo}, {"MegaSign", Mega}, {"GigaSign", Giga}, {"TeraSign", Tera}};
        for (const auto& u : units) NumberConvert_SetSign(u.unit, s.Char(u.key, NumberConvert_GetSign(u.unit)));
        if (const char* text = s.Text("HundredMegaSign")) NumberConvert_SetSignT(HundredMega, text);
    }
}

void SaveSections(CTeskSetting& store) {
    // Sections are created as they first appear, in the order below.
    auto number = [&store](const char* section, const char* key, int value) {
        store.AddSection(section);
        store.AddInteger(section, key, value);
    };
    auto character = [&number](const char* section, const char* key, char c) { number(section, key, CharCode(c)); };
    auto text = [&store](const char* section, const char* key, const char* value) {
        store.AddSection(section);
        store.AddString(section, key, value);
    };

    number("CommodityName", "EnablePending", CommodityNameFormat_IsEnablePending());
    number("Price", "EnablePrefixSign", PriceFormat_IsShowPrefixSign());
    number("Price", "PrefixSignWidth", PriceFormat_GetPrefixSignWidth());
    text("Price", "CeilingSign", PriceFormat_GetCeilingSign());
    text("Price", "RisesSign", PriceFormat_GetRisesSign());
    text("Price", "FlatSign", PriceFormat_GetFlatSign());
    text("Price", "FallSign", PriceFormat_GetFallSign());
    text("Price", "FloorSign", PriceFormat_GetFloorSign());
    character("Price", "ZeroSign", PriceFormat_GetZeroSign());
    number("Price", "EnablePlusMinusSign", PriceFormat_IsShowPlusMinusSign());
    number("Price", "PlusMinusSignWidth", PriceFormat_GetPlusMinusSignWidth());
    text("Price", "PlusSign", PriceFormat_GetPlusSign());
    text("Price", "MinusSign", PriceFormat_GetMinusSign());
    character("Price", "NonDealSign", PriceFormat_GetNonDealSign());
    number("Volume", "EnableCommaSign", VolumeFormat_IsShowCommaSign());
    character("Volume", "CommaSign", VolumeFormat_GetCommaSign());
    character("Volume", "ZeroSign", VolumeFormat_GetZeroSign());
    number("TradeValue", "EnableCommaSign", CommaFormatWithDot_IsShowCommaSign());
    character("TradeValue", "CommaSign", CommaFormatWithDot_GetCommaSign());
    character("TradeValue", "ZeroSign", CommaFormatWithDot_GetZeroSign());
    text("TradeValue", "PlusSign", detail::CommaFormatWithDotPlusSign());
    text("TradeValue", "MinusSign", detail::CommaFormatWithDotMinusSign());
    number("DiffPrice", "EnablePrefixSign", DiffPriceFormat_IsShowPrefixSign());
    text("DiffPrice", "RisesSign", DiffPriceFormat_GetRisesSign());
    text("DiffPrice", "FlatSign", DiffPriceFormat_GetFlatSign());
    text("DiffPrice", "FallSign", DiffPriceFormat_GetFallSign());
    character("DiffPrice", "ZeroSign", DiffPriceFormat_GetZeroSign());
    number("DiffPercent", "EnablePrefixSign", PercentFormatWithSign_IsShowPrefixSign());
    text("DiffPercent", "RisesSign", PercentFormatWithSign_GetRisesSign());
    text("DiffPercent", "FlatSign", PercentFormatWithSign_GetFlatSign());
    text("DiffPercent", "FallSign", PercentFormatWithSign_GetFallSign());
    number("DiffPercent", "EnablePercentSign", PercentFormatWithSign_IsShowPercentSign());
    character("DiffPercent", "PercentSign", PercentFormatWithSign_GetPercentSign());
    character("DiffPercent", "ZeroSign", PercentFormatWithSign_GetZeroSign());
    number("Percent", "EnablePercentSign", PercentFormat_IsShowPercentSign());
    character("Percent", "PercentSign", PercentFormat_GetPercentSign());
    character("Percent", "ZeroSign", PercentFormat_GetZeroSign());
    character("Number", "ZeroSign", NumberFormat_GetZeroSign());
    number("Comma", "EnableCommaSign", CommaFormat_IsShowCommaSign());
    character("Comma", "CommaSign", CommaFormat_GetCommaSign());
    character("Comma", "ZeroSign", CommaFormat_GetZeroSign());
    text("Comma", "PlusSign", detail::CommaFormatPlusSign());
    text("Comma", "MinusSign", detail::CommaFormatMinusSign());
    character("Time", "SplitSign", TimeFormat_GetSplitSign());
    character("Date", "SplitSign", DateFormat_GetSplitSign());
    character("ChangeSign", "RisesSign", ChangeSignFormat_GetRisesSign());
    character("ChangeSign", "FlatSign", ChangeSignFormat_GetFlatSign());
    character("ChangeSign", "FallSign", ChangeSignFormat_GetFallSign());
    character("NumberConvert", "NoneSign", NumberConvert_GetSign(None));
    character("NumberConvert", "KiloSign", NumberConvert_GetSign(Kilo));
    character("NumberConvert", "MegaSign", NumberConvert_GetSign(Mega));
    text("NumberConvert", "HundredMegaSign", NumberConvert_GetSignT(HundredMega).c_str());
    character("NumberConvert", "GigaSign", NumberConvert_GetSign(Giga));
    character("NumberConvert", "TeraSign", NumberConvert_GetSign(Tera));
    number("VolumeOver", "Threshold", VolumeOver_GetThreshold());
    number("VolumeOver", "AlarmThreshold", VolumeOverAlarm_GetThreshold());
    number("VolumeOver", "AlarmTickVolume", VolumeOverAlarm_GetTickVolume());
}

}  // namespace

int LoadFormatSetting(const char* path) {
    PriceFormat_LoadDefault();
    if (path == nullptr) return 0;
    CTeskSetting store(0);
    if (!store.LoadFile(path)) return 0;
    LoadSections(store, [&store](const char* section) { return store.GetSectionData(section) != nullptr; });
    return 1;
}

int SaveFormatSetting(const char* path) {
    if (path == nullptr) return 0;
    CTeskSetting store(0);
    SaveSections(store);
    return store.SaveFile(path);
}

}  // namespace TeskUtility
