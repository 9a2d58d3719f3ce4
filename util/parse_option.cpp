#include "tesk/platform.h"
#include "tesk/util_options.h"

namespace {

constexpr int kIllegal = '?';

// The option string is walked by characters of the code page, so the trail
// byte of a double-byte character is never taken for a letter or a ':'.
const char* FindOptionLetter(const char* options, char letter) {
    for (const char* s = options; *s; ++s) {
        if (TeskUtility::IsDBCSLeadByte(static_cast<unsigned char>(*s)) && s[1]) {
            ++s;
            continue;
        }
        if (*s == letter) return s;
    }
    return nullptr;
}

const char* ArgumentAt(char** argv, int index) { return argv[index] ? argv[index] : ""; }

}  // namespace

int CParseOption::GetOpt(int argc, char** argv, const char* optionString) {
    m_nextChar = nullptr;
    m_optionArgument = nullptr;
    if (m_nextIndex == 0) m_nextIndex = 1;
    const char* arg = m_nextIndex < argc ? ArgumentAt(argv, m_nextIndex) : nullptr;
    if (!arg || arg[0] != '-' || arg[1] == '\0') {
        m_optionArgument = arg;
        return -1;
    }
    if (arg[1] == '-' && arg[2] == '\0') {
        ++m_nextIndex;
        if (m_nextIndex < argc) m_optionArgument = ArgumentAt(argv, m_nextIndex);
        return -1;
    }
    const char letter = arg[1];
    m_nextChar = arg + 2;
    ++m_nextIndex;
    const char* optionEntry = letter == ':' ? nullptr : FindOptionLetter(optionString, letter);
    if (!optionEntry) return kIllegal;
    if (optionEntry[1] != ':') return static_cast<unsigned char>(letter);
    if (*m_nextChar) {
        m_optionArgument = m_nextChar;
    } else if (m_nextIndex < argc) {
        m_optionArgument = ArgumentAt(argv, m_nextIndex++);
    } else {
        return kIllegal;
    }
    return static_cast<unsigned char>(letter);
}

int CParseOption::ParseOptions(int argc, char** argv, const char* optionString) {
    if (!argv || !optionString) return 0;
    m_illegal = 0;
    m_nextChar = nullptr;
    m_optionArgument = nullptr;
    m_nextIndex = 0;
    for (int c; (c = GetOpt(argc, argv, optionString)) != -1;) {
        if (c == kIllegal) m_illegal = 1;
        m_options.emplace_back(static_cast<char>(c), m_optionArgument ? m_optionArgument : "");
    }
    for (int i = m_nextIndex; i < argc; ++i) m_options.emplace_back('\0', ArgumentAt(argv, i));
    return m_illegal ? 0 : 1;
}
