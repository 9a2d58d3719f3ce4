// A getopt-style command-line parser that keeps what it found as a list.
//
//   CParseOption opts;
//   opts.ParseOptions(argc, argv, "ab:");        // -a, and -b with an argument
//   for (const auto& [letter, value] : opts.GetOptions())
//       ...  // letter: the option, '?' for an illegal one, 0 for an operand
#pragma once

#include <deque>
#include <string>
#include <utility>

#include "tesk/types.h"

class CParseOption {
public:
    using Entry = std::pair<char, CStringA>;
    using Entries = std::deque<Entry>;

    CParseOption() = default;
    CParseOption(const CParseOption&) = default;
    CParseOption& operator=(const CParseOption&) = default;
    ~CParseOption() = default;

    // Appends the options, then the operands, of argv[1..argc-1] to the list
    // (a second parse adds to the first). Options end at the first operand or
    // at "--". Returns 1 when every option was valid, 0 on an illegal one or a
    // null argv / option string. A null argument counts as an empty operand.
    int ParseOptions(int argc, char** argv, const char* optionString);

    const Entries& GetOptions() const { return m_options; }
    int IsIllegalOption() const { return m_illegal; }

private:
    // One step: the next option letter, '?' (63) for an illegal one, -1 at the end.
    int GetOpt(int argc, char** argv, const char* optionString);

    int m_illegal = 0;
    Entries m_options;
    const char* m_nextChar = nullptr;
    const char* m_optionArgument = nullptr;
    int m_nextIndex = 0;
};
