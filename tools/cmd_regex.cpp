// teskutil regex PATTERN TEXT [-i]: the pattern language of RegexMatchA/W.
#include <cstdio>

#include "command.h"
#include "output.h"
#include "tesk/platform.h"
#include "tesk/util_regex.h"

static int Run(teskutil::Args& args) {
    const bool ignoreCase = args.ShortFlag('i');
    const auto pos = args.Positionals(2, 2);
    const int caseSensitive = ignoreCase ? 0 : 1;
    // --raw: the arguments are already code-page bytes; otherwise they are UTF-8.
    const TeskUtility::ERegexResult result =
        teskutil::RawOutput()
            ? TeskUtility::RegexSearchA(pos[0].c_str(), pos[1].c_str(), caseSensitive)
            : TeskUtility::RegexSearchW(TeskUtility::Utf8ToWide(pos[0]).c_str(),
                                        TeskUtility::Utf8ToWide(pos[1]).c_str(), caseSensitive);
    if (result == TeskUtility::RegexBadPattern) throw teskutil::UsageError("malformed pattern: " + pos[0]);
    if (result == TeskUtility::RegexOverLimit)
        throw teskutil::UsageError("pattern needs more backtracking than allowed on this text: " + pos[0]);
    const bool matched = result == TeskUtility::RegexMatched;
    std::puts(matched ? "match" : "no match");
    return matched ? 0 : 1;
}

TESKUTIL_COMMAND(regex, "regex PATTERN TEXT [-i]", "search TEXT for PATTERN (host regex language)", Run);
