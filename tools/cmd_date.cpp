// teskutil date: display a packed date, or parse a date text into one.
#include <cstdio>

#include "command.h"
#include "output.h"
#include "packed_arg.h"
#include "value_args.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

EDateFormatType DateType(teskutil::Args& args) {
    const auto type = args.Option("--type");
    if (!type || *type == "ymd") return YearMonthDay;
    if (*type == "ym") return YearMonth;
    if (*type == "md") return MonthDay;
    throw teskutil::UsageError("--type: ymd, ym or md");
}

int RunDate(teskutil::Args& args) {
    const bool parse = args.Flag("--parse");
    const int digitsOnly = args.Flag("--digits-only") ? 1 : 0;
    const EDateFormatType type = DateType(args);
    const bool wide = args.Flag("--wide");
    if (auto sep = teskutil::SeparatorOption(args)) DateFormat_SetSplitSign(*sep);
    const std::string value = args.Positionals(1, 1)[0];
    if (digitsOnly && !parse) throw teskutil::UsageError("--digits-only needs --parse");

    std::int32_t packed = 0;
    if (parse) {
        std::uint16_t y;
        unsigned char m, d;
        if (!DateStringToByteA(value, y, m, d, digitsOnly)) throw teskutil::UsageError("not a date: " + value);
        teskutil::RequireCalendarDate(y, m, d);
        ByteToDate(packed, y, m, d);
    } else {
        packed = teskutil::ParsePacked(value, "VALUE");
        teskutil::RequirePackedDate(packed);
    }

    if (wide) {
        std::u16string out;
        DateFormatW(out, packed, type);
        teskutil::PrintWideLine(out);
    } else {
        std::string out;
        DateFormatA(out, packed, type);
        teskutil::PrintAnsiLine(out);
    }
    if (parse) std::printf("packed 0x%08X\n", static_cast<unsigned>(packed));
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(date, "date PACKED|--parse TEXT [--digits-only] [--type ymd|ym|md] [--sep C|none] [--wide]",
                 "display a packed date (0x07E5071A), or parse \"20210726\" into one", RunDate);
