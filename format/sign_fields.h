// The two kinds of sign field every format state is made of, and the shared
// pieces of output that use them. Default values are constexpr so that every
// format state is a constant-initialised global, complete before any caller
// (or any other library global's constructor) can format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace TeskUtility::detail {

// One printable ASCII byte, or none. A space or any non-printable byte stores none.
class SignChar {
public:
    constexpr SignChar() = default;
    constexpr explicit SignChar(char c) { Set(c); }

    constexpr void Set(char c) {
        const auto u = static_cast<unsigned char>(c);
        c_ = (u >= 0x21 && u <= 0x7E) ? c : '\0';
    }
    // The stored byte, or ' ' when none.
    constexpr char Get() const { return c_ ? c_ : ' '; }
    constexpr bool IsSet() const { return c_ != '\0'; }
    constexpr char Raw() const { return c_; }

    // The sign alone as output text: one character or empty.
    template <class Char>
    void AssignTo(std::basic_string<Char>& out) const {
        out.assign(c_ ? 1u : 0u, static_cast<Char>(static_cast<unsigned char>(c_)));
    }

private:
    char c_ = '\0';
};

// A short sign text: up to 2 bytes narrow (one Big5 character or two single
// bytes) and one UTF-16 unit wide. The empty string is a real, visible value.
class SignString {
public:
    constexpr SignString() = default;
    // For compile-time defaults, whose wide form is known.
    constexpr SignString(std::string_view narrow, char16_t wide) {
        for (std::size_t i = 0; i < narrow.size() && i < 2; ++i) narrow_[narrowLen_++] = narrow[i];
        if (wide) wide_[wideLen_++] = wide;
    }

    // Applies a setter argument: a null pointer or a text of 4 or more bytes is
    // ignored (returns false); otherwise the first 2 bytes are kept narrow and
    // the first UTF-16 unit of the whole text (converted from the thread's code
    // page) wide.
    bool Assign(const char* text);

    constexpr const char* Narrow() const { return narrow_; }
    constexpr int NarrowLength() const { return narrowLen_; }
    constexpr const char16_t* Wide() const { return wide_; }
    constexpr int WideLength() const { return wideLen_; }

    template <class Char>
    constexpr const Char* Text() const {
        if constexpr (sizeof(Char) == 1) return narrow_; else return wide_;
    }
    template <class Char>
    constexpr int Length() const {
        if constexpr (sizeof(Char) == 1) return narrowLen_; else return wideLen_;
    }

    // A single space or the ideographic space (Big5 A1 40) means "not shown".
    constexpr bool IsBlank() const {
        return (narrowLen_ == 1 && narrow_[0] == ' ') ||
               (narrowLen_ == 2 && narrow_[0] == '\xA1' && narrow_[1] == '\x40');
    }

private:
    char narrow_[3] = {};
    char16_t wide_[2] = {};
    std::uint8_t narrowLen_ = 0;
    std::uint8_t wideLen_ = 0;
};

// A ready-made sign prefix of a template: sign group and plus or minus sign,
// padded and trimmed once per state change.
template <class Char>
struct Prefix {
    static constexpr int kCapacity = 8;  // two signs padded to at most 3 each
    Char text[kCapacity] = {};
    std::uint8_t len = 0;

    constexpr void Clear() { len = 0; }
    constexpr void Put(Char c) {
        if (len < kCapacity) text[len++] = c;
    }
    constexpr void Append(const Char* s, int n) {
        for (int i = 0; i < n; ++i) Put(s[i]);
    }
    // s right-aligned in a field of `width` characters; a longer s is not cut.
    constexpr void AppendPadded(const Char* s, int n, int width) {
        for (int i = n; i < width; ++i) Put(Char(' '));
        Append(s, n);
    }
    constexpr void AppendPadded(const SignString& sign, int width) {
        AppendPadded(sign.Text<Char>(), sign.Length<Char>(), width);
    }
    // Drops the leading run of spaces and ideographic spaces.
    constexpr void TrimLeadingSpaces() {
        int skip = 0;
        for (;;) {
            if (skip < len && text[skip] == Char(' ')) {
                ++skip;
            } else if constexpr (sizeof(Char) == 1) {
                if (skip + 1 < len && text[skip] == '\xA1' && text[skip + 1] == '\x40')
                    skip += 2;
                else
                    break;
            } else {
                if (skip < len && text[skip] == u'\u3000')
                    ++skip;
                else
                    break;
            }
        }
        for (int i = skip; i < len; ++i) text[i - skip] = text[i];
        len = static_cast<std::uint8_t>(len - skip);
    }
};

// Both string kinds of one prefix.
struct PrefixPair {
    Prefix<char> narrow;
    Prefix<char16_t> wide;

    template <class Char>
    constexpr const Prefix<Char>& Get() const {
        if constexpr (sizeof(Char) == 1) return narrow; else return wide;
    }
};

// Width fields accept 1..3 only.
constexpr bool IsValidSignWidth(int width) { return width >= 1 && width <= 3; }

}  // namespace TeskUtility::detail
