// The TimeFormat and DateFormat states and the time and date formatters.
//
// Each state compiles its separator into field templates when it changes; the
// formatters only walk a template, writing zero-padded fields into a stack buffer.
#include <initializer_list>
#include <string>

#include "format/packed_fields.h"
#include "format/sign_fields.h"
#include "format/text_buffer.h"
#include "tesk/format_time.h"

namespace TeskUtility {
namespace {

using detail::HighField;
using detail::LowField;
using detail::MidField;
using detail::YearField;

// Up to three unsigned fields, each zero-padded to a minimum width and never cut,
// with an optional separator between them (0: none).
template <class Char>
struct FieldTemplate {
    unsigned char count = 0;
    unsigned char widths[3] = {};
    Char separator = 0;
};

template <class Char>
constexpr FieldTemplate<Char> MakeTemplate(char separator, std::initializer_list<unsigned char> widths) {
    FieldTemplate<Char> t;
    for (unsigned char w : widths) t.widths[t.count++] = w;
    t.separator = static_cast<Char>(static_cast<unsigned char>(separator));
    return t;
}

template <class Char>
struct TimeTemplates {
    FieldTemplate<Char> hourMinuteSecond;
    FieldTemplate<Char> hourMinute;
};

template <class Char>
struct DateTemplates {
    FieldTemplate<Char> yearMonthDay;
    FieldTemplate<Char> yearMonth;
    FieldTemplate<Char> monthDay;
};

struct TimeFormatState {
    char splitSign;
    TimeTemplates<char> narrow;
    TimeTemplates<char16_t> wide;
};

struct DateFormatState {
    char splitSign;
    DateTemplates<char> narrow;
    DateTemplates<char16_t> wide;
};

// A space or anything outside the visible ASCII range means "no separator".
constexpr char SeparatorOf(char c) { return detail::SignChar(c).Raw(); }

template <class Char>
constexpr TimeTemplates<Char> BuildTimeTemplates(char separator) {
    return {MakeTemplate<Char>(separator, {2, 2, 2}), MakeTemplate<Char>(separator, {2, 2})};
}

template <class Char>
constexpr DateTemplates<Char> BuildDateTemplates(char separator) {
    return {MakeTemplate<Char>(separator, {4, 2, 2}), MakeTemplate<Char>(separator, {4, 2}),
            MakeTemplate<Char>(separator, {2, 2})};
}

constexpr TimeFormatState BuildTimeState(char sign) {
    const char separator = SeparatorOf(sign);
    return {separator, BuildTimeTemplates<char>(separator), BuildTimeTemplates<char16_t>(separator)};
}

constexpr DateFormatState BuildDateState(char sign) {
    const char separator = SeparatorOf(sign);
    return {separator, BuildDateTemplates<char>(separator), BuildDateTemplates<char16_t>(separator)};
}

// Built at compile time, so the formatters work before any LoadDefault.
constexpr TimeFormatState kDefaultTime = BuildTimeState(':');
constexpr DateFormatState kDefaultDate = BuildDateState('/');
constinit TimeFormatState g_time = kDefaultTime;
constinit DateFormatState g_date = kDefaultDate;

template <class Char>
void Expand(std::basic_string<Char>& out, const FieldTemplate<Char>& t, unsigned a, unsigned b, unsigned c = 0) {
    const unsigned values[3] = {a, b, c};
    detail::TextBuffer<Char> buf;
    for (unsigned i = 0; i < t.count; ++i) {
        if (i != 0 && t.separator != 0) buf.Put(t.separator);
        buf.AppendZeroPadded(values[i], t.widths[i]);
    }
    buf.AssignTo(out);
}

template <class Char>
void FormatPackedTime(std::basic_string<Char>& out, const TimeTemplates<Char>& t, std::int32_t packed,
                      ETimeFormatType type) {
    if (type == HourMinute)
        Expand(out, t.hourMinute, HighField(packed), MidField(packed));
    else
        Expand(out, t.hourMinuteSecond, HighField(packed), MidField(packed), LowField(packed));
}

template <class Char>
void FormatPackedDate(std::basic_string<Char>& out, const DateTemplates<Char>& t, std::int32_t packed,
                      EDateFormatType type) {
    if (type == YearMonth)
        Expand(out, t.yearMonth, YearField(packed), MidField(packed));
    else if (type == MonthDay)
        Expand(out, t.monthDay, MidField(packed), LowField(packed));
    else
        Expand(out, t.yearMonthDay, YearField(packed), MidField(packed), LowField(packed));
}

}  // namespace

void TimeFormat_LoadDefault() { g_time = kDefaultTime; }
char TimeFormat_GetSplitSign() { return g_time.splitSign != 0 ? g_time.splitSign : ' '; }
void TimeFormat_SetSplitSign(char sign) { g_time = BuildTimeState(sign); }

void DateFormat_LoadDefault() { g_date = kDefaultDate; }
char DateFormat_GetSplitSign() { return g_date.splitSign != 0 ? g_date.splitSign : ' '; }
void DateFormat_SetSplitSign(char sign) { g_date = BuildDateState(sign); }

void TimeFormatA(CStringA& out, unsigned char hour, unsigned char minute, unsigned char second) {
    Expand(out, g_time.narrow.hourMinuteSecond, hour, minute, second);
}
void TimeFormatA(CStringA& out, unsigned char hour, unsigned char minute) {
    Expand(out, g_time.narrow.hourMinute, hour, minute);
}
void TimeFormatA(CStringA& out, std::int32_t packedTime, ETimeFormatType type) {
    FormatPackedTime(out, g_time.narrow, packedTime, type);
}
void TimeFormatW(CStringW& out, unsigned char hour, unsigned char minute, unsigned char second) {
    Expand(out, g_time.wide.hourMinuteSecond, hour, minute, second);
}
void TimeFormatW(CStringW& out, unsigned char hour, unsigned char minute) {
    Expand(out, g_time.wide.hourMinute, hour, minute);
}
void TimeFormatW(CStringW& out, std::int32_t packedTime, ETimeFormatType type) {
    FormatPackedTime(out, g_time.wide, packedTime, type);
}

void DateFormatA(CStringA& out, std::uint16_t year, unsigned char month, unsigned char day) {
    Expand(out, g_date.narrow.yearMonthDay, year, month, day);
}
void DateFormatA(CStringA& out, std::uint16_t year, unsigned char month) {
    Expand(out, g_date.narrow.yearMonth, year, month);
}
void DateFormatA(CStringA& out, unsigned char month, unsigned char day) {
    Expand(out, g_date.narrow.monthDay, month, day);
}
void DateFormatA(CStringA& out, std::int32_t packedDate, EDateFormatType type) {
    FormatPackedDate(out, g_date.narrow, packedDate, type);
}
void DateFormatW(CStringW& out, std::uint16_t year, unsigned char month, unsigned char day) {
    Expand(out, g_date.wide.yearMonthDay, year, month, day);
}
void DateFormatW(CStringW& out, std::uint16_t year, unsigned char month) {
    Expand(out, g_date.wide.yearMonth, year, month);
}
void DateFormatW(CStringW& out, unsigned char month, unsigned char day) {
    Expand(out, g_date.wide.monthDay, month, day);
}
void DateFormatW(CStringW& out, std::int32_t packedDate, EDateFormatType type) {
    FormatPackedDate(out, g_date.wide, packedDate, type);
}

}  // namespace TeskUtility
