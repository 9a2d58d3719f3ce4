// Regular expressions in the host's own pattern language, answered as a flag.
//
//   TeskUtility::RegexMatchA("^\\d*\\.\\d+$", "12.5", 1);     // 1
//   TeskUtility::RegexMatchA("ABC", "xabcx", 0);              // 1: searched, case ignored
//   TeskUtility::RegexMatchW(u"{\\z}-\\z", u"\u4E00 10-20", 1); // 1
//
// The language: . [ ] [^ ] a-z ? * + ?? *? +? ( ) { } | ! ^ $ and the
// abbreviations \a \b \c \d \h \n \q \w \z; any other \x is x itself. The
// narrow form works on the calling thread's ANSI code page: a double-byte
// character is one character for ., classes and literals. The wide form works
// on Unicode characters (a surrogate pair is one character). Letters fold by
// ASCII case only. Compiled patterns are cached per thread.
#pragma once

namespace TeskUtility {

// 1 when `regex` matches somewhere in `text` (or where ^ / $ pin it); 0 on no
// match, a null pointer, a malformed expression, or a match that would need
// more backtracking than the engine allows.
int RegexMatchA(const char* regex, const char* text, int caseSensitive = 1);
int RegexMatchW(const char16_t* regex, const char16_t* text, int caseSensitive = 1);

// The same search, telling the causes of "no" apart (for callers that report them).
enum ERegexResult { RegexNoMatch = 0, RegexMatched = 1, RegexBadPattern = -1, RegexOverLimit = -2 };
ERegexResult RegexSearchA(const char* regex, const char* text, int caseSensitive = 1);
ERegexResult RegexSearchW(const char16_t* regex, const char16_t* text, int caseSensitive = 1);

}  // namespace TeskUtility
