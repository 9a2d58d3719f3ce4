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

    PriceFormat_SetPrefixSign("+", "\xA1\xB6", "", "\xA1\xBF", "-");  // rises ▲, fall ▼
    PriceFormat_SetPlusMinusSign("+", "-");
    PercentFormatWithSign_SetPrefixSign("+", " ", "-");
    CommaFormatWithDot_EnableCommaSign(0);  // shared with volumes: both ungrouped
    DateFormat_SetSplitSign('-');
    ChangeSignFormat_SetSign('^', '-', 'v');
    NumberConvert_SetSign(Kilo, 'k');
    teskutil::PrintAnsiLine("");
    teskutil::PrintQuoteBoard(
        "== \xB3\xF8\xBB\xF9\xAC\xDD\xAA\x4F (\xB3\x5D\xA9\x77\xAB\xE1: \xA1\xB6 + , off - ^-v k) ==");  // 設定後
    RestoreDefaults();
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(demo, "demo [--raw]", "print a sample quote board before and after changing formats", RunDemo);
