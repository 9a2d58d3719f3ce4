// Price display: sign groups by price state, compiled into templates on change.
//
//   std::string s;
//   TeskUtility::PriceFormatA(s, 1234, 2 /*rises*/, 2 /*dot*/, 0, 0);   // "12.34"
//   TeskUtility::PriceFormat_SetPrefixSign("+", "\xA1\xB6", "", "", "-");  // rises "▲"
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// Price states a caller passes with a price, a difference or a percentage.
enum EPriceState : std::uint32_t {
    PriceState_NonDeal = 0,
    PriceState_Ceiling = 1,
    PriceState_Rises = 2,
    PriceState_Flat = 3,
    PriceState_Fall = 4,
    PriceState_Floor = 5,
};

void PriceFormatA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                  int showZeroSign);
void PriceFormatW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                  int showZeroSign);
void PriceFormatA(CStringA& out, std::int64_t value, std::uint32_t state, std::int32_t dot, std::int64_t divisor,
                  int showZeroSign);
void PriceFormatW(CStringW& out, std::int64_t value, std::uint32_t state, std::int32_t dot, std::int64_t divisor,
                  int showZeroSign);

void PriceFormat_LoadDefault();
void PriceFormat_SetZeroSign(char sign);
char PriceFormat_GetZeroSign();
void PriceFormat_SetNonDealSign(char sign);
char PriceFormat_GetNonDealSign();
void PriceFormat_EnablePrefixSign(int enable);
int PriceFormat_IsShowPrefixSign();
void PriceFormat_EnablePlusMinusSign(int enable);
int PriceFormat_IsShowPlusMinusSign();
int PriceFormat_SetPrefixSignWidth(int width);
int PriceFormat_GetPrefixSignWidth();
int PriceFormat_SetPlusMinusSignWidth(int width);
int PriceFormat_GetPlusMinusSignWidth();
void PriceFormat_SetPrefixSign(const char* ceiling, const char* rises, const char* flat, const char* fall,
                               const char* floor);
void PriceFormat_SetPlusMinusSign(const char* plus, const char* minus);
const char* PriceFormat_GetCeilingSign();
const char* PriceFormat_GetRisesSign();
const char* PriceFormat_GetFlatSign();
const char* PriceFormat_GetFallSign();
const char* PriceFormat_GetFloorSign();
const char* PriceFormat_GetPlusSign();
const char* PriceFormat_GetMinusSign();

}  // namespace TeskUtility
