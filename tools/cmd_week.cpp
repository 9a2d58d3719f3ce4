// teskutil week Y M D [Y2 M2 D2]: week index and weekday name; with a second
// date, whether both fall in the same Sunday-to-Saturday week.
#include <cstdio>
#include <limits>

#include "command.h"
#include "output.h"
#include "value_args.h"
#include "tesk/exceptions.h"
#include "tesk/util_calendar.h"

static int Int(const std::string& text, const char* what) {
    const std::int64_t v = teskutil::ParseInt(text, what);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw teskutil::UsageError(std::string(what) + ": out of range: " + text);
    return static_cast<int>(v);
}

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(3, 6);
    if (pos.size() != 3 && pos.size() != 6) throw teskutil::UsageError("give one date or two");
    const int y = Int(pos[0], "year"), m = Int(pos[1], "month"), d = Int(pos[2], "day");
    teskutil::RequireCalendarDate(y, m, d);
    if (pos.size() == 6) teskutil::RequireCalendarDate(Int(pos[3], "year"), Int(pos[4], "month"), Int(pos[5], "day"));
    CStringA name;
    int same = 1;
    try {
        name = TeskUtility::GetWeekDay(y, m, d);
        if (pos.size() == 6)
            same = TeskUtility::CheckTwoDayIsSameWeek(y, m, d, Int(pos[3], "year"), Int(pos[4], "month"),
                                                      Int(pos[5], "day"));
    } catch (const COleException& e) {
        throw teskutil::UsageError("not a date the calendar can build (" + e.GetErrorMessage() + ")");
    }
    std::printf("week %d\n", TeskUtility::GetWeekNo(y, m, d));
    teskutil::PrintAnsiLine(name.empty() ? "(no weekday before 1970)" : name);
    if (pos.size() == 3) return 0;
    std::puts(same ? "same week" : "different weeks");
    return same ? 0 : 1;
}

TESKUTIL_COMMAND(week, "week Y M D [Y2 M2 D2]", "week index and weekday; same-week test with a second date", Run);
