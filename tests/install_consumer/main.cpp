// Calls every fixed-point and display-format operation through the installed
// headers and library; exits non-zero when a result is off.
#include <tesk/tesk.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace TeskUtility;

static int failures = 0;
int CheckDisplayHelpers();  // display_helpers.cpp
static void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "consumer: %s\n", what);
        ++failures;
    }
}

int main() {
    std::string a;
    std::u16string w;
    std::int32_t v = 0, d = 0;
    double x = 0;
    std::vector<std::int32_t> steps;

    Check(DotToDivisor(2) == 100 && DotToDivisor64(12) == 1000000000000LL, "divisors");
    Check(StripDecimal(1999, 3) == 1 && StripDecimal(std::int64_t{1999}, 3) == 1, "StripDecimal");
    Check(AppendDecimal(12, 2) == 1200 && AppendDecimal(std::int64_t{12}, 2) == 1200, "AppendDecimal");
    Check(DotOffSet(1234, 4, 2) == 123400 && Round(2.345, 2) == 2.35, "DotOffSet/Round");
    Check(GetPercentValueWithRound(2, 3) == 6667 && GetPercentValueWithRound(std::int64_t{2}, std::int64_t{3}) == 6667,
          "percent");
    AnalyzeValue_Normal("1,234.50", v, d);
    Check(v == 123450 && d == 2, "AnalyzeValue_Normal");
    AnalyzeValue_Price("-12.5", v, d);
    Check(v == -125 && d == 1, "AnalyzeValue_Price");
    AnalyzeValue_PriceEx("12.5", x);
    Check(x == 12.5, "AnalyzeValue_PriceEx");
    Check(GetCommodity_PriceValue("12.34", 100) == 1234, "GetCommodity_PriceValue");
    a = "12.500";
    Check(TrimDecimalRightZero(a, 0) == 1 && a == "12.5", "TrimDecimalRightZero");
    FindFitScale(1200, steps);
    Check(steps.size() == 7 && GetFitScaleCount() == 5, "FindFitScale");

    PriceFormat_LoadDefault();
    PriceFormat_SetZeroSign('-');
    PriceFormat_SetNonDealSign('*');
    PriceFormat_EnablePrefixSign(1);
    PriceFormat_EnablePlusMinusSign(1);
    Check(PriceFormat_SetPrefixSignWidth(1) == 1 && PriceFormat_SetPlusMinusSignWidth(1) == 1, "widths");
    PriceFormat_SetPrefixSign("+", "\xA1\xB6", "", "", "-");
    PriceFormat_SetPlusMinusSign("+", "-");
    PriceFormatA(a, 1234, 2, 2, 0, 0);
    Check(a == "\xA1\xB6+12.34", "PriceFormatA");
    PriceFormatW(w, 1234, 2, 2, 0, 0);
    Check(w == u"\u25B2+12.34", "PriceFormatW");
    PriceFormatA(a, std::int64_t{1234}, 2, 2, std::int64_t{0}, 0);
    PriceFormatW(w, std::int64_t{1234}, 2, 2, std::int64_t{0}, 0);
    Check(PriceFormat_GetZeroSign() == '-' && PriceFormat_GetNonDealSign() == '*' && PriceFormat_IsShowPrefixSign() &&
              PriceFormat_IsShowPlusMinusSign() && PriceFormat_GetPrefixSignWidth() == 1 &&
              PriceFormat_GetPlusMinusSignWidth() == 1 && *PriceFormat_GetCeilingSign() == '+' &&
              *PriceFormat_GetRisesSign() && !*PriceFormat_GetFlatSign() && !*PriceFormat_GetFallSign() &&
              *PriceFormat_GetFloorSign() == '-' && *PriceFormat_GetPlusSign() == '+' &&
              *PriceFormat_GetMinusSign() == '-',
          "price getters");
    PriceFormat_LoadDefault();

    VolumeFormat_LoadDefault();
    VolumeFormat_SetZeroSign('-');
    VolumeFormat_SetCommaSign(',');
    VolumeFormat_EnableCommaSign(1);
    VolumeFormatA(a, 1234567, 0);
    Check(a == "1,234,567", "VolumeFormatA");
    VolumeFormatW(w, 1234567, 0);
    VolumeFormatA(a, std::int64_t{1}, 0);
    VolumeFormatW(w, std::int64_t{1}, 0);
    VolumeFormatWithUnit(a, 1234, "lots");
    Check(a == "1,234 lots", "VolumeFormatWithUnit");
    VolumeFormatWithUnit(a, std::int64_t{1234}, "lots");
    Check(VolumeFormat_GetZeroSign() == '-' && VolumeFormat_GetCommaSign() == ',' && VolumeFormat_IsShowCommaSign(),
          "volume getters");

    CommaFormatWithDot_LoadDefault();
    CommaFormatWithDot_SetZeroSign('-');
    CommaFormatWithDot_SetCommaSign(',');
    CommaFormatWithDot_EnableCommaSign(1);
    CommaFormatWithDot_SetPlusMinusSign("", "-");
    CommaFormatWithDotA(a, 123456789, 2, 0, 0);
    Check(a == "1,234,567.89", "CommaFormatWithDotA");
    CommaFormatWithDotW(w, 123456789, 2, 0, 0);
    CommaFormatWithDotA(a, std::int64_t{1}, 2, std::int64_t{0}, 0);
    CommaFormatWithDotW(w, std::int64_t{1}, 2, std::int64_t{0}, 0);
    Check(CommaFormatWithDot_GetZeroSign() == '-' && CommaFormatWithDot_GetCommaSign() == ',' &&
              CommaFormatWithDot_IsShowCommaSign(),
          "comma-with-dot getters");

    NumberFormat_LoadDefault();
    NumberFormat_SetZeroSign('-');
    NumberFormatA(a, -1234, 2, 0, 0);
    Check(a == "- 12.34" && NumberFormat_GetZeroSign() == '-', "NumberFormatA");
    NumberFormatW(w, -1234, 2, 0, 0);
    NumberFormatA(a, std::int64_t{1}, 2, std::int64_t{0}, 0);
    NumberFormatW(w, std::int64_t{1}, 2, std::int64_t{0}, 0);

    CommaFormat_LoadDefault();
    CommaFormat_SetZeroSign('-');
    CommaFormat_SetCommaSign(',');
    CommaFormat_EnableCommaSign(1);
    CommaFormat_SetPlusMinusSign("+", "-");
    CommaFormatA(a, 1234, 0);
    Check(a == "+1,234", "CommaFormatA");
    CommaFormatW(w, 1234, 0);
    CommaFormatA(a, std::int64_t{1}, 0);
    CommaFormatW(w, std::int64_t{1}, 0);
    Check(CommaFormat_GetZeroSign() == '-' && CommaFormat_GetCommaSign() == ',' && CommaFormat_IsShowCommaSign(),
          "comma getters");
    CommaFormat_LoadDefault();

    DiffPriceFormat_LoadDefault();
    DiffPriceFormat_SetZeroSign('-');
    DiffPriceFormat_EnablePrefixSign(1);
    DiffPriceFormat_SetPrefixSign("\xA1\xB6", " ", "x");
    DiffPriceFormatA(a, 150, 2, 2, 0, 0);
    Check(a == "\xA1\xB6 1.50", "DiffPriceFormatA");
    DiffPriceFormatW(w, 150, 2, 2, 0, 0);
    Check(DiffPriceFormat_GetZeroSign() == '-' && DiffPriceFormat_IsShowPrefixSign() &&
              *DiffPriceFormat_GetRisesSign() && *DiffPriceFormat_GetFlatSign() == ' ' &&
              *DiffPriceFormat_GetFallSign() == 'x',
          "diff getters");

    PercentFormatWithSign_LoadDefault();
    PercentFormatWithSign_SetZeroSign('-');
    PercentFormatWithSign_EnablePrefixSign(1);
    PercentFormatWithSign_SetPrefixSign("", "", "");
    PercentFormatWithSign_EnablePercentSign(1);
    PercentFormatWithSign_SetPercentSign('%');
    PercentFormatWithSignA(a, 1234, 2, 2, 0, 0);
    Check(a == " 12.34%", "PercentFormatWithSignA");
    PercentFormatWithSignW(w, 1234, 2, 2, 0, 0);
    Check(PercentFormatWithSign_GetZeroSign() == '-' && PercentFormatWithSign_IsShowPrefixSign() &&
              PercentFormatWithSign_IsShowPercentSign() && PercentFormatWithSign_GetPercentSign() == '%' &&
              !*PercentFormatWithSign_GetRisesSign() && !*PercentFormatWithSign_GetFlatSign() &&
              !*PercentFormatWithSign_GetFallSign(),
          "percent-with-sign getters");

    PercentFormat_LoadDefault();
    PercentFormat_SetZeroSign('-');
    PercentFormat_EnablePercentSign(1);
    PercentFormat_SetPercentSign('%');
    PercentFormatA(a, -1234, 2, 0, 0);
    Check(a == "- 12.34%", "PercentFormatA");
    PercentFormatW(w, -1234, 2, 0, 0);
    Check(PercentFormat_GetZeroSign() == '-' && PercentFormat_IsShowPercentSign() &&
              PercentFormat_GetPercentSign() == '%',
          "percent getters");

    failures += CheckDisplayHelpers();
    if (failures == 0) std::puts("consumer: all calls answered as expected");
    return failures == 0 ? 0 : 1;
}
