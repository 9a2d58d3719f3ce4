// Fixed stack buffer that the formatters write into before one assignment to
// the caller's string. Holds at most 31 characters, like the 32-character
// buffers the display texts have always been built in; anything longer is cut.
//
// Digits are written two at a time from the end of a scratch area, the
// technique of fmt's format_decimal (digits2 table).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace TeskUtility::detail {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the two digits of v (0..99) ending just before `end`; returns the first.
template <class Char>
inline Char* WriteTwoDigits(Char* end, unsigned v) {
    *--end = static_cast<Char>(kDigitPairs[v * 2 + 1]);
    *--end = static_cast<Char>(kDigitPairs[v * 2]);
    return end;
}

// Writes v's decimal digits ending just before `end`; returns the first digit.
template <class Char, class UInt>
inline Char* WriteDigitsBackward(Char* end, UInt v) {
    while (v >= 100) {
        end = WriteTwoDigits(end, static_cast<unsigned>(v % 100));
        v /= 100;
    }
    if (v >= 10) return WriteTwoDigits(end, static_cast<unsigned>(v));
    *--end = static_cast<Char>('0' + v);
    return end;
}

template <class Char>
class TextBuffer {
public:
    static constexpr int kCapacity = 31;

    void Put(Char c) {
        if (len_ < kCapacity) data_[len_++] = c;
    }
    void Append(const Char* s, int n) {
        if (n > kCapacity - len_) n = kCapacity - len_;
        std::memcpy(data_ + len_, s, static_cast<std::size_t>(n) * sizeof(Char));
        len_ += n;
    }
    void PutRepeated(Char c, std::int64_t count) {
        while (count-- > 0 && len_ < kCapacity) data_[len_++] = c;
    }

    // Unsigned decimal, as "%u".
    template <class UInt>
    void AppendUnsigned(UInt v) {
        char scratch[24];
        char* end = scratch + sizeof scratch;
        const char* first = WriteDigitsBackward(end, v);
        AppendNarrow(first, static_cast<int>(end - first));
    }
    // Unsigned decimal left-padded with '0' to `width` digits, as "%0*u".
    template <class UInt>
    void AppendZeroPadded(UInt v, std::int64_t width) {
        char scratch[24];
        char* end = scratch + sizeof scratch;
        const char* first = WriteDigitsBackward(end, v);
        const int digits = static_cast<int>(end - first);
        PutRepeated(Char('0'), width - digits);
        AppendNarrow(first, digits);
    }
    // Signed decimal, as "%d".
    void AppendSigned(std::int64_t v) {
        if (v < 0) {
            Put(Char('-'));
            AppendUnsigned(0 - static_cast<std::uint64_t>(v));
        } else {
            AppendUnsigned(static_cast<std::uint64_t>(v));
        }
    }
    // As printf's "%0*d" with a signed value: the sign counts toward the width;
    // a negative width means "%-*d" (left-justified, space filled).
    void AppendSignedPadded(std::int64_t v, std::int64_t width) {
        if (width < 0) {
            const int start = len_;
            AppendSigned(v);
            PutRepeated(Char(' '), -width - (len_ - start));
            return;
        }
        if (v < 0) {
            Put(Char('-'));
            AppendZeroPadded(0 - static_cast<std::uint64_t>(v), width - 1);
        } else {
            AppendZeroPadded(static_cast<std::uint64_t>(v), width);
        }
    }
    // Groups of three digits from the right, separated by `sep`; 0 gives "0".
    // Written backwards a group (one division by 1000) at a time.
    template <class UInt>
    void AppendGrouped(UInt v, Char sep) {
        Char scratch[32];
        Char* const end = scratch + 32;
        Char* p = end;
        while (v >= 1000) {
            const auto group = static_cast<unsigned>(v % 1000);
            v /= 1000;
            p = WriteTwoDigits(p, group % 100);
            *--p = static_cast<Char>('0' + group / 100);
            *--p = sep;
        }
        p = WriteDigitsBackward(p, static_cast<unsigned>(v));
        Append(p, static_cast<int>(end - p));
    }

    int size() const { return len_; }
    const Char* data() const { return data_; }
    void AssignTo(std::basic_string<Char>& out) const { out.assign(data_, static_cast<std::size_t>(len_)); }

private:
    void AppendNarrow(const char* s, int n) {
        if (n > kCapacity - len_) n = kCapacity - len_;
        if constexpr (sizeof(Char) == 1) {
            std::memcpy(data_ + len_, s, static_cast<std::size_t>(n));
        } else {
            for (int i = 0; i < n; ++i) data_[len_ + i] = static_cast<Char>(s[i]);
        }
        len_ += n;
    }

    Char data_[kCapacity + 1];
    int len_ = 0;
};

}  // namespace TeskUtility::detail
