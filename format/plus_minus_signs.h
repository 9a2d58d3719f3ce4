// The plus and minus signs of the grouped families have no public getters;
// the format settings file still needs to write them.
#pragma once

namespace TeskUtility::detail {

const char* CommaFormatWithDotPlusSign();
const char* CommaFormatWithDotMinusSign();
const char* CommaFormatPlusSign();
const char* CommaFormatMinusSign();

}  // namespace TeskUtility::detail
