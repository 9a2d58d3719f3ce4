// teskutil time: display a packed time, or parse a time text into one.
#include <cstdio>

#include "command.h"
#include "output.h"
#include "packed_arg.h"
#include "value_args.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

int RunTime(teskutil::Args& args) {
    const bool parse = args.Flag("--parse");
    const int digitsOnly = args.Flag("--digits-only") ? 1 : 0;
    const ETimeFormatType type = args.Flag("--hm") ? HourMinute : HourMinuteSecond;
    const bool wide = args.Flag("--wide");
    if (auto sep = teskutil::SeparatorOption(args)) TimeFormat_SetSplitSign(*sep);
    const std::string value = args.Positionals(1, 1)[0];
    if (digitsOnly && !parse) throw teskutil::UsageError("--digits-only needs --parse");

    std::int32_t packed = 0;
    if (parse) {
        unsigned char h, m, s;
        if (!TimeStringToByteA(value, h, m, s, digitsOnly)) throw teskutil::UsageError("not a time: " + value);
        ByteToTime(packed, h, m, s);
    } else {
        packed = teskutil::ParsePacked(value, "VALUE");
    }
    teskutil::RequirePackedTime(packed);

    if (wide) {
        std::u16string out;
        TimeFormatW(out, packed, type);
        teskutil::PrintWideLine(out);
    } else {
        std::string out;
        TimeFormatA(out, packed, type);
        teskutil::PrintAnsiLine(out);
    }
    if (parse) {
        std::int32_t tick = 0;
        TimeToSecTick(packed, tick);
        std::printf("packed 0x%06X, second tick %d\n", static_cast<unsigned>(packed), tick);
    }
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(time, "time PACKED|--parse TEXT [--digits-only] [--hm] [--sep C|none] [--wide]",
                 "display a packed time (0x091E0F), or parse \"093015\" into one", RunTime);
