// Writes an unsigned value left-padded with '0' to a minimum width, never cut.
#pragma once

namespace TeskUtility::detail {

// Returns the end of what was written; the caller's buffer holds width or 10 characters.
template <class Char>
Char* WriteZeroPadded(Char* at, unsigned value, unsigned width) {
    Char digits[10];
    unsigned n = 0;
    do {
        digits[n++] = static_cast<Char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (; width > n; --width) *at++ = Char('0');
    while (n > 0) *at++ = digits[--n];
    return at;
}

}  // namespace TeskUtility::detail
