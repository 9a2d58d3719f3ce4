// The time, date and number-text readers of the display helpers on arbitrary
// bytes: the first byte picks the reader and its mode, the rest is the text.
// Each must stay inside the text (the explicit length is honoured) and end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tesk/format.h"

using namespace TeskUtility;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    // A copy without a terminator, so reading past `length` is caught by the sanitizer.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const int digitsOnly = (mode >> 3) & 1;
    unsigned char h, m, s;
    std::uint16_t y;
    switch (mode & 7) {
        case 0: {
            auto* heap = new char[text.size()];
            text.copy(heap, text.size());
            TimeStringToByteA(heap, static_cast<int>(text.size()), h, m, s, digitsOnly);
            DateStringToByteA(heap, static_cast<int>(text.size()), y, m, s, digitsOnly);
            delete[] heap;
            break;
        }
        case 1: {
            const std::u16string wide(text.begin(), text.end());
            TimeStringToByteW(wide, h, m, s, digitsOnly);
            DateStringToByteW(wide.c_str(), -1, y, m, s, digitsOnly);
            break;
        }
        case 2: {
            std::int32_t tick;
            TimeStringToMinTick(text, tick);
            int a, b, c;
            GetYearMonthDayFormateByString(text, a, b, c);
            ConvertStringToSize(text.c_str(), static_cast<int>(text.size()), static_cast<char>(mode >> 4));
            break;
        }
        case 3: {
            AmouontFormatStrNumber(text, digitsOnly);
            std::int32_t value, dot;
            AnalyzeValue_Price(text, value, dot);
            AnalyzeValue_Normal(text, value, dot);
            break;
        }
        case 4: {
            std::string t = text;
            TrimStringToDotNum(t, (mode >> 4) - 4);
            break;
        }
        case 5:
            SpecificDotFloatString(text, mode >> 4);
            break;
        default: {
            std::string digits;
            unsigned decimals;
            ShortenPrice(text, digits, decimals);
            std::string t = text;
            CommodityNameFormatA(t);
            break;
        }
    }
    return 0;
}
