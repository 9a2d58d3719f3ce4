// Account numbers as up to three delimited parts, optionally tagged with the market.
#include <string>

#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

constexpr char kDelimiter = '-';
EAccountFormatType g_formatType = AccountPart_All;

template <class Char>
int JoinParts(std::basic_string<Char>& out, const Char* first, const Char* second, const Char* third) {
    const Char* parts[3] = {first, second, third};
    const unsigned selected = static_cast<unsigned>(g_formatType);
    for (int i = 0; i < 3; ++i)
        if ((selected & (1u << i)) && parts[i] == nullptr) return 0;
    out.clear();
    for (int i = 0; i < 3; ++i) {
        if (!(selected & (1u << i))) continue;
        // The delimiter only depends on whether anything came before: "" + "A" + "B" is "A-B".
        if (!out.empty()) out.push_back(static_cast<Char>(kDelimiter));
        out.append(parts[i]);
    }
    return out.empty() ? 0 : 1;
}

template <class Char>
int JoinTagged(std::basic_string<Char>& out, const Char* first, const Char* second, const Char* third,
               unsigned char marketCode, const Char* futuresTag, const Char* securitiesTag) {
    if (!JoinParts(out, first, second, third)) return 0;
    if (marketCode == 'F') out.append(futuresTag);
    else if (marketCode == 'S') out.append(securitiesTag);
    return 1;
}

}  // namespace

void AccountFormat_LoadDefault() { g_formatType = AccountPart_All; }
char AccountFormat_GetDelimitSign() { return kDelimiter; }
void AccountFormat_SetFormatType(EAccountFormatType type) { g_formatType = type; }
EAccountFormatType AccountFormat_GetFormatType() { return g_formatType; }

int AccountFormatA(CStringA& out, const char* first, const char* second, const char* third) {
    return JoinParts(out, first, second, third);
}

int AccountFormatW(CStringW& out, const char16_t* first, const char16_t* second, const char16_t* third) {
    return JoinParts(out, first, second, third);
}

int AccountFormatA(CStringA& out, const char* first, const char* second, const char* third,
                   unsigned char marketCode) {
    return JoinTagged(out, first, second, third, marketCode, " [\xB4\xC1]", " [\xC3\xD2]");
}

int AccountFormatW(CStringW& out, const char16_t* first, const char16_t* second, const char16_t* third,
                   unsigned char marketCode) {
    return JoinTagged(out, first, second, third, marketCode, u" [\u671F]", u" [\u8B49]");
}

void GetAccountUserKey(CStringA& out, const CStringA& first, const CStringA& second, unsigned char c) {
    out.clear();
    out.append(first).append(1, '_').append(second).append(1, '_').push_back(static_cast<char>(c));
}

}  // namespace TeskUtility
