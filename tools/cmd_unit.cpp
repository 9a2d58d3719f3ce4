// teskutil unit: a number scaled to a unit with its suffix ("1M", "1234.56K").
#include <climits>

#include "command.h"
#include "output.h"
#include "tesk/format.h"

#pragma push_macro("None")
#undef None

namespace {

using namespace TeskUtility;

ENumberConvert UnitOption(teskutil::Args& args) {
    const auto unit = args.Option("--unit");
    if (!unit || *unit == "auto") return Auto;
    if (*unit == "none") return None;
    if (*unit == "K") return Kilo;
    if (*unit == "M") return Mega;
    if (*unit == "100M") return HundredMega;
    if (*unit == "B" || *unit == "G") return Giga;
    if (*unit == "T") return Tera;
    throw teskutil::UsageError("--unit: auto, none, K, M, 100M, B or T");
}

ENumberConvertFormatType StyleOption(teskutil::Args& args) {
    const auto style = args.Option("--style");
    if (!style || *style == "plain") return Plain;
    if (*style == "comma") return Comma;
    if (*style == "number") return Number;
    if (*style == "volume") return Volume;
    throw teskutil::UsageError("--style: plain, comma, number or volume");
}

// Without --dot the character-sign conversion runs; with it, the text-sign one,
// which also knows the 100M unit's sign and reads the quotient with decimals.
int RunUnit(teskutil::Args& args) {
    const ENumberConvert unit = UnitOption(args);
    const ENumberConvertFormatType style = StyleOption(args);
    const auto dot = args.Option("--dot");
    const int lessThanOne = args.Flag("--less-than-one") ? 1 : 0;
    const bool is64 = args.Flag("--64");
    const std::int64_t value = teskutil::ParseInt(args.Positionals(1, 1)[0], "VALUE");
    if (!is64 && (value < INT32_MIN || value > INT32_MAX)) throw teskutil::UsageError("VALUE needs --64");

    std::string out;
    if (dot) {
        const std::int64_t d = teskutil::ParseInt(*dot, "--dot");
        if (d < INT32_MIN || d > INT32_MAX) throw teskutil::UsageError("--dot: out of range");
        if (is64)
            NumberConvertT(value, static_cast<std::int32_t>(d), 0, out, unit, style, lessThanOne);
        else
            NumberConvertT(static_cast<std::int32_t>(value), static_cast<std::int32_t>(d), 0, out, unit, style,
                           lessThanOne);
    } else if (is64) {
        NumberConvertA(value, out, unit, style, lessThanOne);
    } else {
        NumberConvertA(static_cast<std::int32_t>(value), out, unit, style, lessThanOne);
    }
    teskutil::PrintAnsiLine(out);
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(unit, "unit VALUE [--unit auto|none|K|M|100M|B|T] [--style plain|comma|number|volume] [--dot N] "
                       "[--less-than-one] [--64]",
                 "scale a number to a unit: 1234567 -> 1M", RunUnit);

#pragma pop_macro("None")
