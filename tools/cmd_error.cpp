// teskutil error CODE: the message of a Win32 code, HRESULT or WinINet code.
#include <charconv>
#include <cstdio>

#include "command.h"
#include "output.h"
#include "tesk/util_errors.h"

// Decimal (may be negative) or 0x hexadecimal; anything from -2^31 to 2^32-1.
static std::int64_t ParseCode(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::int64_t v = 0;
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    auto [p, ec] = std::from_chars(first, last, v, hex ? 16 : 10);
    if (first == last || ec != std::errc() || p != last || v < -2147483648LL || v > 0xFFFFFFFFLL)
        throw teskutil::UsageError("not an error code: " + text);
    return v;
}

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    const std::int64_t code = ParseCode(pos[0]);
    // Negative or above 0x7FFFFFFF reads as an HRESULT; other codes as Win32 errors.
    const CStringA text = code < 0 || code > 0x7FFFFFFF
                              ? TeskUtility::FormatErrorMessage(static_cast<std::int32_t>(static_cast<std::uint32_t>(code)))
                              : TeskUtility::FormatErrorMessage(static_cast<std::uint32_t>(code));
    if (text.empty()) {
        std::fprintf(stderr, "teskutil error: no message for %s\n", pos[0].c_str());
        return 1;
    }
    teskutil::PrintAnsiLine(text);
    return 0;
}

TESKUTIL_COMMAND(error, "error CODE", "message of a Win32, HRESULT or WinINet code (decimal or 0x...)", Run);
