#include "tesk/util_regex.h"

#define PCRE2_CODE_UNIT_WIDTH 0
#include <pcre2.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "regex_translate.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

using regex_detail::CharMode;
using regex_detail::Dialect;
using regex_detail::PatternChars;

// Bounds on one match, so that patterns such as (a*)*b on a long text give up
// instead of hanging: backtracking steps, and the interpreter's heap in KiB.
constexpr std::uint32_t kMatchLimit = 2'000'000;
constexpr std::uint32_t kHeapLimitKiB = 64 * 1024;
constexpr std::size_t kCacheSlots = 16;

// The 8-bit and 16-bit PCRE2 libraries behind one set of names.
template <class Unit>
struct Pcre;

template <>
struct Pcre<char> {
    using Code = pcre2_code_8;
    using MatchData = pcre2_match_data_8;
    using MatchContext = pcre2_match_context_8;
    using CompileContext = pcre2_compile_context_8;
    using Sptr = PCRE2_SPTR8;
    static Code* Compile(const std::string& p, std::uint32_t opts, CompileContext* cc) {
        int err;
        PCRE2_SIZE off;
        return pcre2_compile_8(reinterpret_cast<Sptr>(p.data()), p.size(), opts, &err, &off, cc);
    }
    static void Jit(Code* c) { pcre2_jit_compile_8(c, PCRE2_JIT_COMPLETE); }
    static void Free(Code* c) { pcre2_code_free_8(c); }
    static MatchData* NewMatchData() { return pcre2_match_data_create_8(1, nullptr); }
    static void FreeMatchData(MatchData* m) { pcre2_match_data_free_8(m); }
    static int Match(const Code* c, const char* s, std::size_t n, std::size_t start, std::uint32_t opts, MatchData* m,
                     MatchContext* mc) {
        return pcre2_match_8(c, reinterpret_cast<Sptr>(s), n, start, opts, m, mc);
    }
    static std::size_t MatchStart(MatchData* m) { return pcre2_get_ovector_pointer_8(m)[0]; }
    static MatchContext* NewMatchContext() {
        MatchContext* mc = pcre2_match_context_create_8(nullptr);
        pcre2_set_match_limit_8(mc, kMatchLimit);
        pcre2_set_heap_limit_8(mc, kHeapLimitKiB);
        return mc;
    }
    static CompileContext* NewCompileContext() {
        CompileContext* cc = pcre2_compile_context_create_8(nullptr);
        pcre2_set_parens_nest_limit_8(cc, 2000);
        return cc;
    }
};

template <>
struct Pcre<char16_t> {
    using Code = pcre2_code_16;
    using MatchData = pcre2_match_data_16;
    using MatchContext = pcre2_match_context_16;
    using CompileContext = pcre2_compile_context_16;
    using Sptr = PCRE2_SPTR16;
    static Code* Compile(const std::string& p, std::uint32_t opts, CompileContext* cc) {
        const std::u16string wide(p.begin(), p.end());  // the translation is ASCII
        int err;
        PCRE2_SIZE off;
        return pcre2_compile_16(reinterpret_cast<Sptr>(wide.data()), wide.size(), opts, &err, &off, cc);
    }
    static void Jit(Code* c) { pcre2_jit_compile_16(c, PCRE2_JIT_COMPLETE); }
    static void Free(Code* c) { pcre2_code_free_16(c); }
    static MatchData* NewMatchData() { return pcre2_match_data_create_16(1, nullptr); }
    static void FreeMatchData(MatchData* m) { pcre2_match_data_free_16(m); }
    static int Match(const Code* c, const char16_t* s, std::size_t n, std::size_t start, std::uint32_t opts,
                     MatchData* m, MatchContext* mc) {
        return pcre2_match_16(c, reinterpret_cast<Sptr>(s), n, start, opts, m, mc);
    }
    static std::size_t MatchStart(MatchData* m) { return pcre2_get_ovector_pointer_16(m)[0]; }
    static MatchContext* NewMatchContext() {
        MatchContext* mc = pcre2_match_context_create_16(nullptr);
        pcre2_set_match_limit_16(mc, kMatchLimit);
        pcre2_set_heap_limit_16(mc, kHeapLimitKiB);
        return mc;
    }
    static CompileContext* NewCompileContext() {
        CompileContext* cc = pcre2_compile_context_create_16(nullptr);
        pcre2_set_parens_nest_limit_16(cc, 2000);
        return cc;
    }
};

// ---- pattern decoding -----------------------------------------------------

Dialect NarrowDialect(unsigned codePage) {
    Dialect d;
    if (codePage == CP_UTF8) {
        d.mode = CharMode::Unicode;
        return d;
    }
    for (unsigned b = 0x80; b < 256; ++b) d.leadByte[b] = IsDBCSLeadByte(static_cast<unsigned char>(b));
    d.mode = std::find(d.leadByte.begin(), d.leadByte.end(), true) != d.leadByte.end() ? CharMode::Dbcs
                                                                                        : CharMode::Bytes;
    return d;
}

// False when the text is not valid UTF-8 (such a pattern cannot be written for PCRE2).
bool DecodeUtf8(const std::string& s, PatternChars& out) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = s[i];
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || s.size() - i <= static_cast<std::size_t>(extra)) return false;
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = s[i + k];
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        out.push_back(c);
        i += extra + 1;
    }
    return true;
}

bool DecodeNarrow(const std::string& s, const Dialect& d, PatternChars& out) {
    if (d.mode == CharMode::Unicode) return DecodeUtf8(s, out);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char b = s[i];
        if (d.mode == CharMode::Dbcs && d.leadByte[b] && i + 1 < s.size()) {
            out.push_back(static_cast<char32_t>(b) << 8 | static_cast<unsigned char>(s[++i]));
        } else {
            out.push_back(b);
        }
    }
    return true;
}

// False on an unpaired surrogate.
bool DecodeUtf16(const std::u16string& s, PatternChars& out) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((u - 0xD800) << 10) + (s[++i] - 0xDC00));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            return false;
        } else {
            out.push_back(u);
        }
    }
    return true;
}

// ---- per-thread cache of compiled patterns --------------------------------

template <class Unit>
struct CompiledPattern {
    std::basic_string<Unit> source;
    bool caseSensitive = true;
    unsigned codePage = 0;
    bool dbcs = false;
    typename Pcre<Unit>::Code* code = nullptr;  // null: the expression does not parse

    CompiledPattern() = default;
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;
    ~CompiledPattern() {
        if (code) Pcre<Unit>::Free(code);
    }
};

template <class Unit>
class PatternCache {
public:
    PatternCache() : matchData_(Pcre<Unit>::NewMatchData()) {}
    ~PatternCache() { Pcre<Unit>::FreeMatchData(matchData_); }
    PatternCache(const PatternCache&) = delete;
    PatternCache& operator=(const PatternCache&) = delete;

    typename Pcre<Unit>::MatchData* MatchData() { return matchData_; }

    // Most recently used first; a hit moves to the front.
    const CompiledPattern<Unit>& Get(const Unit* pattern, std::size_t length, bool caseSensitive, unsigned codePage) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            const auto& e = *slots_[i];
            if (e.caseSensitive == caseSensitive && e.codePage == codePage && e.source.size() == length &&
                std::equal(e.source.begin(), e.source.end(), pattern)) {
                if (i != 0) std::rotate(slots_.begin(), slots_.begin() + i, slots_.begin() + i + 1);
                return *slots_.front();
            }
        }
        auto entry = std::make_unique<CompiledPattern<Unit>>();
        entry->source.assign(pattern, length);
        entry->caseSensitive = caseSensitive;
        entry->codePage = codePage;
        Compile(*entry);
        if (slots_.size() == kCacheSlots) slots_.pop_back();
        slots_.insert(slots_.begin(), std::move(entry));
        return *slots_.front();
    }

private:
    static void Compile(CompiledPattern<Unit>& e) {
        PatternChars chars;
        Dialect dialect;
        bool decoded;
        if constexpr (sizeof(Unit) == 1) {
            dialect = NarrowDialect(e.codePage);
            decoded = DecodeNarrow(e.source, dialect, chars);
        } else {
            dialect.mode = CharMode::Unicode;
            decoded = DecodeUtf16(e.source, chars);
        }
        if (!decoded) return;
        const auto translated = regex_detail::TranslateRegex(chars, e.caseSensitive, dialect);
        if (!translated) return;
        std::uint32_t options = PCRE2_DOTALL;
        if (dialect.mode == CharMode::Unicode) options |= PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
        static typename Pcre<Unit>::CompileContext* const context = Pcre<Unit>::NewCompileContext();
        e.code = Pcre<Unit>::Compile(*translated, options, context);
        if (e.code) Pcre<Unit>::Jit(e.code);
        e.dbcs = dialect.mode == CharMode::Dbcs;
    }

    std::vector<std::unique_ptr<CompiledPattern<Unit>>> slots_;
    typename Pcre<Unit>::MatchData* matchData_;
};

template <class Unit>
PatternCache<Unit>& ThreadCache() {
    thread_local PatternCache<Unit> cache;
    return cache;
}

template <class Unit>
int RunMatch(const typename Pcre<Unit>::Code* code, const Unit* text, std::size_t length, std::size_t start,
             typename Pcre<Unit>::MatchData* md) {
    static typename Pcre<Unit>::MatchContext* const context = Pcre<Unit>::NewMatchContext();
    int rc = Pcre<Unit>::Match(code, text, length, start, 0, md, context);
    // The JIT's own stack is small; the interpreter keeps to the heap limit instead.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) rc = Pcre<Unit>::Match(code, text, length, start, PCRE2_NO_JIT, md, context);
    return rc;
}

// PCRE2 sees the bytes of a double-byte text, so a match may start on a trail
// byte; such a match is discarded and the search goes on from the next
// character. The boundary cursor only moves forward, so this stays linear.
ERegexResult Outcome(int rc) {
    if (rc >= 0) return RegexMatched;
    return rc == PCRE2_ERROR_NOMATCH ? RegexNoMatch : RegexOverLimit;
}

ERegexResult SearchDbcs(const Pcre<char>::Code* code, const char* text, std::size_t length, Pcre<char>::MatchData* md) {
    std::size_t start = 0, boundary = 0;
    while (true) {
        const int rc = RunMatch<char>(code, text, length, start, md);
        if (rc < 0) return Outcome(rc);
        const std::size_t at = Pcre<char>::MatchStart(md);
        while (boundary < at)
            boundary += (IsDBCSLeadByte(static_cast<unsigned char>(text[boundary])) && boundary + 1 < length) ? 2 : 1;
        if (boundary == at) return RegexMatched;
        start = boundary;
    }
}

template <class Unit>
std::size_t Length(const Unit* s) {
    std::size_t n = 0;
    while (s[n]) ++n;
    return n;
}

}  // namespace

ERegexResult RegexSearchA(const char* regex, const char* text, int caseSensitive) {
    if (!regex || !text) return RegexNoMatch;
    auto& cache = ThreadCache<char>();
    const auto& compiled = cache.Get(regex, std::strlen(regex), caseSensitive != 0, GetThreadAnsiCodePage());
    if (!compiled.code) return RegexBadPattern;
    const std::size_t length = std::strlen(text);
    if (compiled.dbcs) return SearchDbcs(compiled.code, text, length, cache.MatchData());
    return Outcome(RunMatch<char>(compiled.code, text, length, 0, cache.MatchData()));
}

ERegexResult RegexSearchW(const char16_t* regex, const char16_t* text, int caseSensitive) {
    if (!regex || !text) return RegexNoMatch;
    auto& cache = ThreadCache<char16_t>();
    const auto& compiled = cache.Get(regex, Length(regex), caseSensitive != 0, 0);
    if (!compiled.code) return RegexBadPattern;
    return Outcome(RunMatch<char16_t>(compiled.code, text, Length(text), 0, cache.MatchData()));
}

int RegexMatchA(const char* regex, const char* text, int caseSensitive) {
    return RegexSearchA(regex, text, caseSensitive) == RegexMatched ? 1 : 0;
}

int RegexMatchW(const char16_t* regex, const char16_t* text, int caseSensitive) {
    return RegexSearchW(regex, text, caseSensitive) == RegexMatched ? 1 : 0;
}

}  // namespace TeskUtility
