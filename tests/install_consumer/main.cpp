// Links one call of each folder through the installed headers and library
// (find_package); the suites under tests/ check the results in depth.
#include <tesk/tesk.h>

#include <cstdio>
#include <string>

using namespace TeskUtility;

static int failures = 0;
static void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "consumer: %s\n", what);
        ++failures;
    }
}

int main() {
    std::string a;
    std::u16string w;
    PriceFormat_LoadDefault();
    PriceFormatA(a, 1234, 2, 2, 0, 0);
    PriceFormatW(w, std::int64_t{1234}, 2, 2, std::int64_t{0}, 0);
    Check(a.ends_with("12.34") && w.ends_with(u"12.34"), "PriceFormatA/W");
    Check(MultiByteToWide("\xA4\xA4", 950) == u"\u4E2D", "MultiByteToWide");
    Check(Crc32("123456789", 9, 0xFFFFFFFF) == 0x340BC6D9, "Crc32");
    Check(CalcMD5("", 0) == "D41D8CD98F00B204E9800998ECF8427E", "CalcMD5");
    CTeskSetting store;
    Check(store.AddSection("S") && store.IsExist("S"), "CTeskSetting");
    CDC dc;
    Check(dc.CreateCompatibleDC(nullptr) != 0, "CDC");
    if (failures == 0) std::puts("consumer: all calls answered as expected");
    return failures == 0 ? 0 : 1;
}
