// teskutil wildcard PATTERN TEXT: whole-text match with * and ?.
#include <cstdio>

#include "command.h"
#include "output.h"
#include "tesk/platform.h"
#include "tesk/util_strings.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(2, 2);
    // Wide, so that ? stands for one character of UTF-8 input rather than one byte.
    const int matched = teskutil::RawOutput()
                            ? TeskUtility::WildcardMatchA(pos[0].c_str(), pos[1].c_str())
                            : TeskUtility::WildcardMatchW(TeskUtility::Utf8ToWide(pos[0]).c_str(),
                                                          TeskUtility::Utf8ToWide(pos[1]).c_str());
    std::puts(matched ? "match" : "no match");
    return matched ? 0 : 1;
}

TESKUTIL_COMMAND(wildcard, "wildcard PATTERN TEXT", "match all of TEXT against a * ? pattern", Run);
