#include "format_test_support.h"
#include "tesk/format_signs.h"

using namespace TeskUtility;

using ChangeSign = FormatDefaults;  // every format state back to its default

namespace {

// The narrow and wide texts of one call, from the packed value or the six groups.
void ExpectBothForms(const std::string& text, auto... args) {
    std::string a;
    std::u16string w;
    ChangeSignFormatA(a, args...);
    ChangeSignFormatW(w, args...);
    EXPECT_EQ(a, text);
    EXPECT_EQ(w, AnsiToWide(text));
}

}  // namespace

TEST_F(ChangeSign, SetterReplacesUnprintableWithSpace) {
    const struct { char in[3]; char stored[3]; } cases[] = {
        {{'\0', '\t', 'v'}, {' ', ' ', 'v'}}, {{'u', 'd', '\t'}, {'u', 'd', ' '}},
        {{' ', '\x7F', '\xA1'}, {' ', ' ', ' '}}, {{'~', '!', '*'}, {'~', '!', '*'}},
    };
    for (const auto& c : cases) {
        ChangeSignFormat_SetSign(c.in[0], c.in[1], c.in[2]);
        const char row[] = {c.stored[0], c.stored[1], c.stored[2], ' ', c.stored[1], ' '};
        ExpectBothForms(std::string(row, 6), 4, 2, 1, 0, 6, 0);
    }
}

// Fall wins over flat, flat over rise; group 0 is the first character; packing keeps
// four bits a group.
TEST_F(ChangeSign, PackingAndPrecedenceInEveryForm) {
    const struct { std::int32_t packed; const char* text; } cases[] = {
        {0x830421, "x=+ x "}, {0x000000, "      "}, {0x777777, "xxxxxx"},
        {0x666666, "======"}, {0x444444, "++++++"}, {0x888888, "      "},
        {0x0F0E0D, "x = x "}, {static_cast<std::int32_t>(0xFF000004), "+     "},
    };
    for (const auto& c : cases) {
        ExpectBothForms(c.text, c.packed);
        char g[6];
        ChangeSignToByte(c.packed, g[0], g[1], g[2], g[3], g[4], g[5]);
        ExpectBothForms(c.text, g[0], g[1], g[2], g[3], g[4], g[5]);
    }

    std::int32_t packed = 0;
    ByteToChangeSign(1, 2, 4, 0, 3, 8, packed);
    EXPECT_EQ(packed, 0x830421);
    ByteToChangeSign('\x1F', '\xF2', 0, 0, 0, '\x7F', packed);
    EXPECT_EQ(packed, 0xF0002F);

    char u[6];
    ChangeSignToByte(static_cast<std::int32_t>(0xAB654321), u[0], u[1], u[2], u[3], u[4], u[5]);
    EXPECT_EQ(std::string(u, 6), "\1\2\3\4\5\6");  // only the low four bits of each group
}
