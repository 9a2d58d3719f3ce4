// Module ids, commodity name spacing, change-sign rows, volume thresholds and
// account texts.
//
//   std::string s;
//   TeskUtility::ModuleIdFormatA(7, s);                          // "/0007"
//   long packed;
//   TeskUtility::ByteToChangeSign(4, 2, 1, 0, 0, 0, packed);     // rise, flat, fall
//   TeskUtility::ChangeSignFormatA(s, packed);                   // "+=x   "
//   TeskUtility::AccountFormatA(s, "9801", "1234567", "0", 'S'); // "9801-1234567-0 [證]" (Big5 tag)
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// ---- ModuleIdFormat: prefix sign and at least four digits
char ModuleIdFormat_GetPrefixSign();
void ModuleIdFormatA(std::uint16_t moduleId, CStringA& out);
void ModuleIdFormatW(std::uint16_t moduleId, CStringW& out);

// ---- CommodityNameFormat: pads short names to line up with three-character ones
void CommodityNameFormat_EnablePending(int enable);
int CommodityNameFormat_IsEnablePending();
void CommodityNameFormatA(CStringA& name);  // Big5 rule; ignores EnablePending
void CommodityNameFormatW(CStringW& name);  // only with EnablePending set

// ---- ChangeSignFormat: six 4-bit groups, bit 1 fall, 2 flat, 4 rise (fall wins)
void ChangeSignFormat_LoadDefault();  // '+', '=', 'x'
char ChangeSignFormat_GetRisesSign();
char ChangeSignFormat_GetFlatSign();
char ChangeSignFormat_GetFallSign();
void ChangeSignFormat_SetSign(char rises, char flat, char fall);  // unprintable or 0 becomes ' '
void ByteToChangeSign(char g0, char g1, char g2, char g3, char g4, char g5, std::int32_t& packed);
void ChangeSignToByte(std::int32_t packed, char& g0, char& g1, char& g2, char& g3, char& g4, char& g5);
void ChangeSignFormatA(CStringA& out, char g0, char g1, char g2, char g3, char g4, char g5);
void ChangeSignFormatA(CStringA& out, std::int32_t packed);
void ChangeSignFormatW(CStringW& out, char g0, char g1, char g2, char g3, char g4, char g5);
void ChangeSignFormatW(CStringW& out, std::int32_t packed);

// ---- VolumeOver / VolumeOverAlarm: "at least" thresholds
void VolumeOver_LoadDefault();  // 100, alarm 100, alarm tick volume 10
std::int32_t VolumeOver_GetThreshold();
void VolumeOver_SetThreshold(std::int32_t threshold);
int IsVolumeOver(std::int32_t volume);
int IsVolumeOver(std::int64_t volume);
std::int32_t VolumeOverAlarm_GetThreshold();
void VolumeOverAlarm_SetThreshold(std::int32_t threshold);
std::int32_t VolumeOverAlarm_GetTickVolume();
void VolumeOverAlarm_SetTickVolume(std::int32_t volume);
int IsAlarmVolumeOver(std::int32_t volume);
int IsAlarmTickVolumn(std::int64_t tickVolume);

// ---- AccountFormat: up to three parts joined by '-', selected by a bit set
enum EAccountFormatType : int {
    AccountPart_First = 1,
    AccountPart_Second = 2,
    AccountPart_Third = 4,
    AccountPart_All = 7,
};

void AccountFormat_LoadDefault();  // all three parts
char AccountFormat_GetDelimitSign();
void AccountFormat_SetFormatType(EAccountFormatType type);
EAccountFormatType AccountFormat_GetFormatType();
// 0 (output untouched) when a selected part is null; 0 with an empty output when
// every selected part is empty. Unselected parts may be null.
int AccountFormatA(CStringA& out, const char* first, const char* second, const char* third);
int AccountFormatW(CStringW& out, const char16_t* first, const char16_t* second, const char16_t* third);
// Appends the market tag: 'F' futures " [期]", 'S' securities " [證]", else nothing.
int AccountFormatA(CStringA& out, const char* first, const char* second, const char* third,
                   unsigned char marketCode);
int AccountFormatW(CStringW& out, const char16_t* first, const char16_t* second, const char16_t* third,
                   unsigned char marketCode);
// "first_second_c", the key a user's account settings are filed under.
void GetAccountUserKey(CStringA& out, const CStringA& first, const CStringA& second, unsigned char c);

}  // namespace TeskUtility
