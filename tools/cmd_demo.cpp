// teskutil demo: the quote board with the default formats, then with a few
// settings changed the way a user would change them.
#include "command.h"
#include "output.h"
#include "quote_board.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

void RestoreDefaults() {
    PriceFormat_LoadDefault();
    VolumeFormat_LoadDefault();
    CommaFormatWithDot_LoadDefault();
    DiffPriceFormat_LoadDefault();
    PercentFormatWithSign_LoadDefault();
    TimeFormat_LoadDefault();
    DateFormat_LoadDefault();
    ChangeSignFormat_LoadDefault();
    NumberConvert_LoadDefault();
}

int RunDemo(teskutil::Args& args) {
    args.Positionals(0, 0);
    RestoreDefaults();
    teskutil::PrintQuoteBoard("== \xB3\xF8\xBB\xF9\xAC\xDD\xAA\x4F (\xB9\x77\xB3\x5D) ==");  // 報價看板 (預設)

    // A Taiwanese board: the change carries ▲ or ▼, prices carry no plus sign.
    PriceFormat_SetPrefixSign(" ", " ", " ", " ", " ");
    PriceFormat_SetPlusMinusSign(" ", "-");
    DiffPriceFormat_SetPrefixSign("\xA1\xB6", " ", "\xA1\xBF");
    PercentFormatWithSign_SetPrefixSign("\xA1\xB6", " ", "\xA1\xBF");
    CommaFormatWithDot_EnableCommaSign(0);  // shared with volumes: both ungrouped
    DateFormat_SetSplitSign('-');
    ChangeSignFormat_SetSign('^', '-', 'v');
    NumberConvert_SetSign(Kilo, 'k');
    teskutil::PrintAnsiLine("");
    // 報價看板 (設定後: 漲▲ 跌▼, 價格不加正號, 不分位)
    teskutil::PrintQuoteBoard(
        "== \xB3\xF8\xBB\xF9\xAC\xDD\xAAO (\xB3]\xA9w\xAB\xE1: \xBA\xA6\xA1\xB6 \xB6^\xA1\xBF, "
        "\xBB\xF9\xAE\xE6\xA4\xA3\xA5[\xA5\xBF\xB8\xB9, \xA4\xA3\xA4\xC0\xA6\xEC) ==");
    RestoreDefaults();
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(demo, "demo [--raw]", "print a sample quote board before and after changing formats", RunDemo);
