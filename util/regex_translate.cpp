#include "regex_translate.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace TeskUtility::regex_detail {
namespace {

// Deeper nesting is refused rather than risking the stack of the recursive parser.
constexpr int kMaxDepth = 100;

struct Range {
    char32_t lo, hi;
};

std::string Hex(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\x{%x}", static_cast<unsigned>(c));
    return buf;
}

// Joins pieces; also keeps GCC 12 from a false -Wrestrict on "literal" + std::string.
std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out += p;
    return out;
}

std::string HexRange(char32_t lo, char32_t hi) { return lo == hi ? Hex(lo) : Cat({Hex(lo), "-", Hex(hi)}); }

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Adds the other ASCII case of every letter the ranges cover.
void FoldAsciiCase(std::vector<Range>& ranges) {
    const std::size_t n = ranges.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Range r = ranges[i];
        const char32_t upLo = std::max<char32_t>(r.lo, 'A'), upHi = std::min<char32_t>(r.hi, 'Z');
        if (upLo <= upHi) ranges.push_back({upLo + 32, upHi + 32});
        const char32_t lowLo = std::max<char32_t>(r.lo, 'a'), lowHi = std::min<char32_t>(r.hi, 'z');
        if (lowLo <= lowHi) ranges.push_back({lowLo - 32, lowHi - 32});
    }
}

std::string ByteClassBody(const std::bitset<256>& set) {
    std::string out;
    for (unsigned c = 0; c < 256;) {
        if (!set[c]) { ++c; continue; }
        unsigned e = c;
        while (e + 1 < 256 && set[e + 1]) ++e;
        out += HexRange(c, e);
        c = e + 1;
    }
    return out;
}

// The abbreviations, written in the language itself. \n is CR, CR LF or LF.
const char* AbbreviationText(char32_t c) {
    switch (c) {
        case 'a': return "([a-zA-Z0-9])";
        case 'b': return "([ \t])";
        case 'c': return "([a-zA-Z])";
        case 'd': return "([0-9])";
        case 'h': return "([0-9a-fA-F])";
        case 'n': return "(\r|(\r?\n))";
        case 'q': return "(\"[^\"]*\")|('[^']*')";
        case 'w': return "([a-zA-Z]+)";
        case 'z': return "([0-9]+)";
        default: return nullptr;
    }
}

class Translator {
public:
    Translator(const PatternChars& p, bool caseSensitive, const Dialect& d, bool topLevel)
        : p_(p), caseSensitive_(caseSensitive), d_(d), topLevel_(topLevel) {}

    std::optional<std::string> Run() {
        bool anchorStart = false;
        if (topLevel_ && !p_.empty() && p_[0] == '^') {
            anchorStart = true;
            pos_ = 1;
        }
        std::string body = Alternation(0);
        if (failed_ || pos_ != p_.size()) return std::nullopt;
        return Cat({anchorStart ? "\\A(?:" : "(?:", body, anchorEnd_ ? ")\\z" : ")"});
    }

private:
    bool AtEnd() const { return pos_ >= p_.size(); }
    char32_t Peek() const { return p_[pos_]; }
    std::string Fail() {
        failed_ = true;
        return {};
    }

    std::string Alternation(int depth) {
        std::string out = Sequence(depth);
        while (!failed_ && !AtEnd() && Peek() == '|') {
            ++pos_;
            out += '|';
            out += Sequence(depth);
        }
        return out;
    }

    std::string Sequence(int depth) {
        std::string out;
        while (!failed_ && !AtEnd() && Peek() != '|' && Peek() != ')' && Peek() != '}') out += Factor(depth);
        return out;
    }

    // A factor is an optionally negated atom with at most one quantifier.
    std::string Factor(int depth) {
        if (depth > kMaxDepth) return Fail();
        if (Peek() == '!') {
            ++pos_;
            if (AtEnd() || Peek() == '|' || Peek() == ')' || Peek() == '}') return Fail();
            std::string inner = Factor(depth + 1);
            return failed_ ? std::string() : Cat({"(?!", inner, ")"});
        }
        std::string atom = Atom(depth);
        if (failed_ || AtEnd()) return atom;
        const char32_t q = Peek();
        if (q != '?' && q != '*' && q != '+') return atom;
        if (atom.empty()) return Fail();  // a quantified end anchor
        ++pos_;
        atom += static_cast<char>(q);
        if (!AtEnd() && Peek() == '?') {
            ++pos_;
            atom += '?';
        }
        // PCRE2 would read a second quantifier as possessive or nested; the language has neither.
        if (!AtEnd() && (Peek() == '?' || Peek() == '*' || Peek() == '+')) return Fail();
        return atom;
    }

    std::string Atom(int depth) {
        const char32_t c = p_[pos_++];
        switch (c) {
            case '(':
            case '{': {
                const char32_t close = c == '(' ? ')' : '}';
                std::string inner = Alternation(depth + 1);
                if (failed_ || AtEnd() || Peek() != close) return Fail();
                ++pos_;
                return Cat({c == '(' ? "(?:" : "(", inner, ")"});
            }
            case '*':
            case '+':
            case '?': return Fail();  // nothing to repeat
            case '.': return AnyChar();
            case '[': return Class();
            case '\\': {
                if (AtEnd()) return Fail();
                const char32_t e = p_[pos_++];
                if (const char* text = AbbreviationText(e)) return Abbreviation(text);
                return Literal(e);
            }
            case '$':
                if (topLevel_ && depth == 0 && pos_ == p_.size()) {
                    anchorEnd_ = true;
                    return {};
                }
                return Literal(c);
            default: return Literal(c);
        }
    }

    std::string Abbreviation(const char* text) {
        PatternChars chars;
        for (const char* s = text; *s; ++s) chars.push_back(static_cast<unsigned char>(*s));
        Translator inner(chars, caseSensitive_, d_, false);
        auto out = inner.Run();
        if (!out) return Fail();
        return *out;
    }

    std::string Literal(char32_t c) {
        if (!caseSensitive_ && IsAsciiLetter(c)) {
            const char32_t other = c ^ 0x20;
            return Cat({"[", Hex(std::min(c, other)), Hex(std::max(c, other)), "]"});
        }
        if (d_.mode == CharMode::Dbcs && c > 0xFF) return Cat({"(?:", Hex(c >> 8), Hex(c & 0xFF), ")"});
        return Hex(c);
    }

    std::string LeadClass() const {
        std::bitset<256> leads;
        for (unsigned b = 0; b < 256; ++b) leads[b] = d_.leadByte[b];
        return Cat({"[", ByteClassBody(leads), "]"});
    }

    // One whole character: in Dbcs mode a lead byte takes its trail byte with
    // it, atomically, so that backtracking never splits a character.
    std::string DbcsWholeChar(const std::string& singleByteClass) const {
        return Cat({"(?>", LeadClass(), "[\\x{1}-\\x{ff}]|", singleByteClass, ")"});
    }

    std::string AnyChar() const {
        if (d_.mode != CharMode::Dbcs) return ".";
        return DbcsWholeChar("[\\x{0}-\\x{ff}]");
    }

    std::string Class() {
        bool negated = false;
        if (!AtEnd() && Peek() == '^') {
            negated = true;
            ++pos_;
        }
        std::vector<Range> ranges;
        while (true) {
            if (AtEnd()) return Fail();
            char32_t lo = p_[pos_++];
            if (lo == ']') break;
            if (lo == '\\') {
                if (AtEnd()) return Fail();
                lo = p_[pos_++];
            }
            char32_t hi = lo;
            if (pos_ + 1 < p_.size() && Peek() == '-' && p_[pos_ + 1] != ']') {
                ++pos_;
                hi = p_[pos_++];
                if (hi == '\\') {
                    if (AtEnd()) return Fail();
                    hi = p_[pos_++];
                }
                if (hi < lo) return Fail();
            }
            ranges.push_back({lo, hi});
        }
        if (ranges.empty()) return Fail();
        if (!caseSensitive_) FoldAsciiCase(ranges);
        return d_.mode == CharMode::Dbcs ? DbcsClass(ranges, negated) : NativeClass(ranges, negated);
    }

    static std::string NativeClass(const std::vector<Range>& ranges, bool negated) {
        std::string out = negated ? "[^" : "[";
        for (const Range& r : ranges) out += HexRange(r.lo, r.hi);
        return out + "]";
    }

    // Double-byte members become alternatives of lead byte + trail range; the
    // single-byte members stay one byte class that never holds a lead byte.
    std::string DbcsClass(const std::vector<Range>& ranges, bool negated) const {
        std::bitset<256> singles;
        std::vector<std::string> pairs;
        for (const Range& r : ranges) {
            for (char32_t c = r.lo; c <= std::min<char32_t>(r.hi, 0xFF); ++c)
                if (!d_.leadByte[c]) singles.set(c);
            if (r.hi <= 0xFF) continue;
            const char32_t lo = std::max<char32_t>(r.lo, 0x100);
            const unsigned loLead = lo >> 8, hiLead = r.hi >> 8;
            if (loLead == hiLead) {
                pairs.push_back(Cat({Hex(loLead), "[", HexRange(lo & 0xFF, r.hi & 0xFF), "]"}));
                continue;
            }
            pairs.push_back(Cat({Hex(loLead), "[", HexRange(std::max<char32_t>(lo & 0xFF, 1), 0xFF), "]"}));
            std::bitset<256> middle;
            for (unsigned b = loLead + 1; b < hiLead; ++b) middle[b] = d_.leadByte[b];
            if (middle.any()) pairs.push_back(Cat({"[", ByteClassBody(middle), "][\\x{1}-\\x{ff}]"}));
            pairs.push_back(Cat({Hex(hiLead), "[", HexRange(1, std::max<char32_t>(r.hi & 0xFF, 1)), "]"}));
        }
        std::string pairAlternatives;
        for (const std::string& p : pairs) pairAlternatives += (pairAlternatives.empty() ? "" : "|") + p;
        if (negated) {
            const std::string rest = singles.any() ? Cat({"[^", ByteClassBody(singles), "]"}) : "[\\x{0}-\\x{ff}]";
            const std::string guard = pairs.empty() ? "" : Cat({"(?!", pairAlternatives, ")"});
            return Cat({"(?:", guard, DbcsWholeChar(rest), ")"});
        }
        if (!singles.any()) return Cat({"(?:", pairAlternatives, ")"});
        const std::string single = Cat({"[", ByteClassBody(singles), "]"});
        return pairs.empty() ? single : Cat({"(?:", single, "|", pairAlternatives, ")"});
    }

    const PatternChars& p_;
    const bool caseSensitive_;
    const Dialect& d_;
    const bool topLevel_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    bool anchorEnd_ = false;
};

}  // namespace

std::optional<std::string> TranslateRegex(const PatternChars& pattern, bool caseSensitive, const Dialect& dialect) {
    return Translator(pattern, caseSensitive, dialect, true).Run();
}

}  // namespace TeskUtility::regex_detail
