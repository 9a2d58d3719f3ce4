// teskutil price|volume|comma|amount|number|diff|percent: format one value
// with the default format states.
#include <climits>
#include <string>

#include "command.h"
#include "format/formatter_cores.h"
#include "output.h"
#include "value_args.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

// VALUE may be an integer (the fixed-point integer, with --dot) or a decimal
// text such as "12.34", which gives the integer 1234 and dot 2.
struct FormatRequest {
    std::int64_t value = 0;
    std::int32_t dot = 0;
    std::int64_t divisor = 0;
    std::uint32_t state = PriceState_Flat;
    bool hasState = false;
    int showZeroSign = 0;
    bool is64 = false;
    bool wide = false;
};

FormatRequest ReadRequest(teskutil::Args& args, bool takesDot) {
    FormatRequest r;
    r.is64 = args.Flag("--64");
    r.wide = args.Flag("--wide");
    r.showZeroSign = args.Flag("--show-zero") ? 1 : 0;
    if (auto s = args.Option("--state")) {
        r.state = teskutil::ParsePriceState(*s);
        r.hasState = true;
    }
    std::optional<std::string> dot, divisor;
    if (takesDot) {
        dot = args.Option("--dot");
        divisor = args.Option("--divisor");
    }
    const std::string text = args.Positionals(1, 1)[0];

    if (takesDot) {
        const teskutil::FixedPoint fixed = teskutil::ParseFixedPoint(text, dot, r.is64 ? 18 : 9);
        r.value = fixed.value;
        r.dot = fixed.dot;
    } else {
        r.value = teskutil::ParseInt(text, "VALUE");
    }
    if (divisor) r.divisor = teskutil::ParseInt(*divisor, "--divisor");
    if (r.divisor < 0) throw teskutil::UsageError("--divisor: 0 (10 to the power of the dot count) or more");
    if (!r.is64 && (r.value < INT32_MIN || r.value > INT32_MAX || r.divisor < INT32_MIN || r.divisor > INT32_MAX))
        throw teskutil::UsageError("value or divisor needs --64");
    return r;
}

std::int32_t V32(const FormatRequest& r) { return static_cast<std::int32_t>(r.value); }
std::int32_t D32(const FormatRequest& r) { return static_cast<std::int32_t>(r.divisor); }

// Calls `format(out, value, divisor)` once, with the narrow or wide string and
// the 32- or 64-bit value and divisor that the request asks for, and prints
// the text. The formatter cores take every combination under one name.
template <class Fn>
int Print(const FormatRequest& r, Fn&& format) {
    auto run = [&](auto& out) {
        if (r.is64)
            format(out, r.value, r.divisor);
        else
            format(out, V32(r), D32(r));
    };
    if (r.wide) {
        std::u16string out;
        run(out);
        teskutil::PrintWideLine(out);
    } else {
        std::string out;
        run(out);
        teskutil::PrintAnsiLine(out);
    }
    return 0;
}

int RunPrice(teskutil::Args& args) {
    const FormatRequest r = ReadRequest(args, true);
    return Print(r, [&](auto& out, auto v, auto d) { detail::FormatPrice(out, v, r.state, r.dot, d, r.showZeroSign); });
}

int RunVolume(teskutil::Args& args) {
    const FormatRequest r = ReadRequest(args, false);
    return Print(r, [&](auto& out, auto v, auto) { detail::FormatVolume(out, v, r.showZeroSign); });
}

int RunComma(teskutil::Args& args) {
    const FormatRequest r = ReadRequest(args, false);
    return Print(r, [&](auto& out, auto v, auto) { detail::FormatComma(out, v, r.showZeroSign); });
}

int RunAmount(teskutil::Args& args) {
    const FormatRequest r = ReadRequest(args, true);
    return Print(r, [&](auto& out, auto v, auto d) { detail::FormatCommaWithDot(out, v, r.dot, d, r.showZeroSign); });
}

int RunNumber(teskutil::Args& args) {
    const FormatRequest r = ReadRequest(args, true);
    return Print(r, [&](auto& out, auto v, auto d) { detail::FormatNumber(out, v, r.dot, d, r.showZeroSign); });
}

// The difference and percent families have 32-bit forms only.
FormatRequest Read32(teskutil::Args& args) {
    FormatRequest r = ReadRequest(args, true);
    if (r.is64) throw teskutil::UsageError("this family has no 64-bit form");
    return r;
}

int RunDiff(teskutil::Args& args) {
    const FormatRequest r = Read32(args);
    return Print(r, [&](auto& out, auto, auto) {
        detail::FormatDiffPrice(out, V32(r), r.state, r.dot, D32(r), r.showZeroSign);
    });
}

// With --state, the signed percentage of a move; without, a plain percentage.
int RunPercent(teskutil::Args& args) {
    const FormatRequest r = Read32(args);
    return Print(r, [&](auto& out, auto, auto) {
        if (r.hasState)
            detail::FormatPercentWithSign(out, V32(r), r.state, r.dot, D32(r), r.showZeroSign);
        else
            detail::FormatPercent(out, V32(r), r.dot, D32(r), r.showZeroSign);
    });
}

}  // namespace

#define FMT_OPTS "[--show-zero] [--64] [--wide]"
#define DOT_OPTS "[--dot N] [--divisor N] "
TESKUTIL_COMMAND(price, "price VALUE [--state 0-5] " DOT_OPTS FMT_OPTS, "format a price by price state", RunPrice);
TESKUTIL_COMMAND(volume, "volume VALUE " FMT_OPTS, "format a traded volume", RunVolume);
TESKUTIL_COMMAND(comma, "comma VALUE " FMT_OPTS, "format a grouped integer with its sign", RunComma);
TESKUTIL_COMMAND(amount, "amount VALUE " DOT_OPTS FMT_OPTS, "format a grouped amount with decimals", RunAmount);
TESKUTIL_COMMAND(number, "number VALUE " DOT_OPTS FMT_OPTS, "format a plain number", RunNumber);
TESKUTIL_COMMAND(diff, "diff VALUE [--state 0-5] " DOT_OPTS "[--show-zero] [--wide]", "format a price difference",
                 RunDiff);
TESKUTIL_COMMAND(percent, "percent VALUE [--state 0-5] " DOT_OPTS "[--show-zero] [--wide]",
                 "format a percentage (signed by state with --state)", RunPercent);
