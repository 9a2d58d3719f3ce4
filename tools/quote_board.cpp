#include "quote_board.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <langinfo.h>

#include "output.h"
#include "tesk/format.h"

namespace teskutil {

using namespace TeskUtility;

const std::vector<SampleQuote>& SampleQuotes() {
    // Names: 台積電, 鴻海, 聯發科, 國泰金, 富邦金, 台指期, 新股 (no deal yet).
    static const std::vector<SampleQuote> quotes = {
        {"\xA5\x78\xBF\x6E\xB9\x71", false, 58500, 57600, 2, PriceState_Rises, 32145, 1880482500, 0x0D1E00, 0x07EA0C05, 0x244424},
        {"\xC2\x45\xAE\xFC", false, 10450, 10450, 2, PriceState_Flat, 81234, 848895300, 0x0D1D3B, 0x07EA0C05, 0x222222},
        {"\xC1\x70\xB5\x6F\xAC\xEC", false, 110000, 100000, 2, PriceState_Ceiling, 5120, 563200000, 0x090512, 0x07EA0C05, 0x444444},
        {"\xB0\xEA\xAE\xF5\xAA\xF7", false, 4520, 4610, 2, PriceState_Fall, 45012, 203454240, 0x0C2F08, 0x07EA0C05, 0x121121},
        {"\xB4\x49\xA8\xB9\xAA\xF7", false, 6390, 7100, 2, PriceState_Floor, 99871, 638175690, 0x0A0000, 0x07EA0C05, 0x111111},
        {"\xA5\x78\xAB\xFC\xB4\xC1", true, 2315600000LL, 2298000000LL, 5, PriceState_Rises, 6543210987LL,
         15151234567890123LL, 0x050000, 0x07EA0C06, 0x421024},
        {"\xB7\x73\xAA\xD1", false, 0, 2500, 2, PriceState_NonDeal, 0, 0, 0, 0x07EA0C05, 0},
    };
    return quotes;
}

namespace {

std::string Price(const SampleQuote& q) {
    std::string out;
    if (q.is64)
        PriceFormatA(out, q.price, q.state, q.dot, std::int64_t{0}, 0);
    else
        PriceFormatA(out, static_cast<std::int32_t>(q.price), q.state, q.dot, 0, 0);
    return out;
}

std::string Diff(const SampleQuote& q) {
    std::string out;
    if (q.state == PriceState_NonDeal) return out;
    const std::int64_t diff = q.price - q.reference;
    // The difference family takes 32-bit values; the futures row scales down.
    const std::int32_t dot = q.is64 ? 2 : q.dot;
    const std::int64_t scaled = q.is64 ? diff / 1000 : diff;
    DiffPriceFormatA(out, static_cast<std::int32_t>(scaled), q.state, dot, 0, 1);
    return out;
}

std::string Percent(const SampleQuote& q) {
    std::string out;
    if (q.state == PriceState_NonDeal) return out;
    const std::int32_t ratio = GetPercentValueWithRound(q.price - q.reference, q.reference);
    PercentFormatWithSignA(out, ratio, q.state, 2, 0, 1);
    return out;
}

std::string Volume(const SampleQuote& q) {
    std::string out;
    if (q.is64)
        VolumeFormatA(out, q.volume, 1);
    else
        VolumeFormatA(out, static_cast<std::int32_t>(q.volume), 1);
    return out;
}

std::string TradeValue(const SampleQuote& q) {
    std::string out;
    if (q.is64)
        CommaFormatWithDotA(out, q.tradeValue, 2, std::int64_t{0}, 1);
    else
        CommaFormatWithDotA(out, static_cast<std::int32_t>(q.tradeValue), 2, 0, 1);
    return out;
}

std::string ScaledVolume(const SampleQuote& q) {
    std::string out;
    if (q.volume == 0) return out;
    if (q.is64)
        NumberConvertA(q.volume, out, Auto, ENumberConvertFormatType::Volume, 1);
    else
        NumberConvertA(static_cast<std::int32_t>(q.volume), out, Auto, ENumberConvertFormatType::Volume, 1);
    return out;
}

std::string Time(const SampleQuote& q) {
    std::string out;
    if (q.time != 0) TimeFormatA(out, q.time, HourMinuteSecond);
    return out;
}

std::string Date(const SampleQuote& q) {
    std::string out;
    DateFormatA(out, q.date, YearMonthDay);
    return out;
}

std::string Ticks(const SampleQuote& q) {
    std::string out;
    ChangeSignFormatA(out, q.changeSign);
    return out;
}

// Columns on the terminal: wcwidth in the user's locale, or in C.UTF-8 when
// that locale is not UTF-8 (the board is written as UTF-8 either way). Raw
// output is Big5, where a double-byte character takes two columns.
int DisplayWidth(const std::string& text) {
    if (RawOutput()) return static_cast<int>(text.size());
    static const bool ready = [] {
        std::setlocale(LC_CTYPE, "");
        if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
        return true;
    }();
    (void)ready;
    std::mbstate_t state{};
    int width = 0;
    for (std::size_t at = 0; at < text.size();) {
        wchar_t wc;
        const std::size_t n = std::mbrtowc(&wc, text.data() + at, text.size() - at, &state);
        if (n == 0 || n > text.size() - at) {  // not decodable: count the byte
            state = {};
            ++width;
            ++at;
            continue;
        }
        width += std::max(0, wcwidth(wc));
        at += n;
    }
    return width;
}

// `text` is terminal text.
std::string Pad(const std::string& text, int width, bool left) {
    const int fill = width - DisplayWidth(text);
    if (fill <= 0) return text;
    return left ? text + std::string(fill, ' ') : std::string(fill, ' ') + text;
}

}  // namespace

const std::vector<BoardColumn>& BoardColumns() {
    // Headers: 商品, 成交, 漲跌, 幅度, 量, 單位量, 金額, 時間, 日期, 走勢.
    static const std::vector<BoardColumn> columns = {
        {"\xB0\xD3\xAB\x7E", 8, true, [](const SampleQuote& q) { return std::string(q.name); }},
        {"\xA6\xA8\xA5\xE6", 14, false, Price},
        {"\xBA\xA6\xB6\x5E", 12, false, Diff},
        {"\xB4\x54\xAB\xD7", 10, false, Percent},
        {"\xB6\x71", 16, false, Volume},
        {"\xB3\xE6\xA6\xEC\xB6\x71", 8, false, ScaledVolume},
        {"\xAA\xF7\xC3\x42", 26, false, TradeValue},
        {"\xAE\xC9\xB6\xA1", 8, false, Time},
        {"\xA4\xE9\xB4\xC1", 10, false, Date},
        {"\xA8\xAB\xB6\xD5", 6, true, Ticks},
    };
    return columns;
}

void PrintQuoteBoard(const std::string& titleBig5) {
    PrintAnsiLine(titleBig5);
    auto print = [](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    };
    std::string header;
    for (const auto& c : BoardColumns()) header += Pad(ForTerminal(c.header), c.width, c.leftAlign) + ' ';
    print(header);
    for (const auto& q : SampleQuotes()) {
        std::string line;
        for (const auto& c : BoardColumns()) line += Pad(ForTerminal(c.cell(q)), c.width, c.leftAlign) + ' ';
        print(line);
    }
}

}  // namespace teskutil
