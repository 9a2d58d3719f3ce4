#include "board_painter.h"

#include <cstdio>
#include <string>

#include "quote_board.h"
#include "tesk/format.h"

namespace teskutil {

namespace {

using namespace TeskUtility;

// The text columns of BoardColumns(), in its order.
enum TextColumn { kName, kPrice, kDiff, kPercent, kVolume, kScaled, kValue, kTime, kDate, kTicks };

constexpr int kTitleHeight = 42;
constexpr int kHeaderHeight = 30;
constexpr int kRowHeight = 46;
constexpr int kPad = 8;

constexpr COLORREF kBoard = RGB(8, 10, 16);
constexpr COLORREF kBand = RGB(18, 22, 32);
constexpr COLORREF kGrid = RGB(52, 58, 72);
constexpr COLORREF kRise = RGB(255, 72, 72);
constexpr COLORREF kFall = RGB(48, 220, 88);
constexpr COLORREF kFlat = RGB(255, 226, 64);
constexpr COLORREF kNoDeal = RGB(140, 140, 150);
constexpr COLORREF kLabel = RGB(236, 238, 244);
constexpr COLORREF kDim = RGB(150, 156, 172);
constexpr COLORREF kVolumeColor = RGB(255, 236, 120);
constexpr COLORREF kValueColor = RGB(110, 210, 255);

enum class Cell { NameAndTime, Price, DiffAndPercent, Volume, Scaled, Value, Date, Ticks };

struct BoardCell {
    const char* header;  // Big5
    int width;
    Cell kind;
};

// Headers: 商品, 成交, 漲跌 / 幅度, 總量, 單位量, 金額, 日期, 走勢.
constexpr BoardCell kCells[] = {
    {"\xB0\xD3\xAB\x7E", 118, Cell::NameAndTime},
    {"\xA6\xA8\xA5\xE6", 160, Cell::Price},
    {"\xBA\xA6\xB6\x5E / \xB4\x54\xAB\xD7", 128, Cell::DiffAndPercent},
    {"\xC1\x60\xB6\x71", 150, Cell::Volume},
    {"\xB3\xE6\xA6\xEC\xB6\x71", 84, Cell::Scaled},
    {"\xAA\xF7\xC3\x42", 246, Cell::Value},
    {"\xA4\xE9\xB4\xC1", 118, Cell::Date},
    {"\xA8\xAB\xB6\xD5", 96, Cell::Ticks},
};

int BoardWidth() {
    int width = 0;
    for (const auto& c : kCells) width += c.width;
    return width;
}

COLORREF StateColor(std::uint32_t state) {
    switch (state) {
        case PriceState_Ceiling:
        case PriceState_Rises: return kRise;
        case PriceState_Flat: return kFlat;
        case PriceState_Fall:
        case PriceState_Floor: return kFall;
        default: return kNoDeal;
    }
}

CFont MakeFont(const char* face, int pixels, bool bold) {
    CFont font;
    LOGFONTA lf{};
    lf.lfHeight = -pixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
    font.CreateFontIndirect(&lf);
    return font;
}

struct Fonts {
    CFont title = MakeFont("WenQuanYi Micro Hei", 21, true);
    CFont header = MakeFont("WenQuanYi Micro Hei", 15, false);
    CFont name = MakeFont("WenQuanYi Micro Hei", 18, false);
    CFont small = MakeFont("DejaVu Sans", 12, false);
    CFont price = MakeFont("DejaVu Sans", 18, true);
    CFont number = MakeFont("DejaVu Sans", 15, false);
};

void Text(CDC& dc, CFont& font, COLORREF color, const std::string& text, CRect box, unsigned format) {
    dc.SelectObject(&font);
    dc.SetTextColor(color);
    dc.DrawText(text, &box, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TwoLines(CTeskMemDC& dc, CFont& font, COLORREF color, const std::string& first, const std::string& second,
              const CRect& box, unsigned format) {
    dc.SelectObject(&font);
    dc.SetTextColor(color);
    DrawMultiLineString(dc, first + "\n" + second, box, format, 2);
}

// The last six ticks as bars: up in red, down in green, unchanged as a short dash.
void Ticks(CDC& dc, const std::string& signs, const CRect& box) {
    const int mid = (box.top + box.bottom) / 2;
    int x = box.left + kPad;
    for (const char sign : signs) {
        if (sign == '+') dc.FillSolidRect(x, mid - 12, 9, 12, kRise);
        else if (sign == 'x') dc.FillSolidRect(x, mid, 9, 12, kFall);
        else if (sign == '=') dc.FillSolidRect(x, mid - 1, 9, 3, kFlat);
        x += 12;
    }
}

void PaintPrice(CTeskMemDC& dc, Fonts& fonts, const SampleQuote& q, const std::string& price, const CRect& box) {
    COLORREF color = StateColor(q.state);
    const bool limit = q.state == PriceState_Ceiling || q.state == PriceState_Floor;
    if (limit) {
        // A limit price sits on a block of its colour, framed, so it is seen across the room.
        CRect block(box.left + 6, box.top + 7, box.right - 6, box.bottom - 7);
        dc.FillSolidRect(&block, q.state == PriceState_Ceiling ? RGB(190, 24, 24) : RGB(12, 140, 48));
        DrawColorEdge(dc, block, color, 1, DrawEdge_All);
        color = RGB(255, 255, 255);
    }
    dc.SelectObject(&fonts.price);
    dc.SetTextColor(color);
    CRect text(box.left + kPad, box.top, box.right - kPad - (limit ? 4 : 0), box.bottom);
    CTeskMemDC::DrawText_Bigger(dc, price, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, 2);
}

void PaintRow(CTeskMemDC& dc, Fonts& fonts, const SampleQuote& q, int top) {
    const auto& columns = BoardColumns();
    auto text = [&](TextColumn c) { return columns[c].cell(q); };
    const COLORREF stateColor = StateColor(q.state);
    int left = 0;
    for (const auto& cell : kCells) {
        const CRect box(left, top, left + cell.width, top + kRowHeight);
        const CRect inner(box.left + kPad, box.top + 3, box.right - kPad, box.bottom - 3);
        switch (cell.kind) {
            case Cell::NameAndTime:
                Text(dc, fonts.name, kLabel, text(kName), CRect(inner.left, inner.top, inner.right, inner.top + 24),
                     DT_LEFT);
                Text(dc, fonts.small, kDim, text(kTime), CRect(inner.left, inner.top + 24, inner.right, inner.bottom),
                     DT_LEFT);
                break;
            case Cell::Price: PaintPrice(dc, fonts, q, text(kPrice), box); break;
            case Cell::DiffAndPercent:
                TwoLines(dc, fonts.number, stateColor, text(kDiff), text(kPercent), inner, DT_RIGHT);
                break;
            case Cell::Volume: Text(dc, fonts.number, kVolumeColor, text(kVolume), inner, DT_RIGHT); break;
            case Cell::Scaled: Text(dc, fonts.number, kVolumeColor, text(kScaled), inner, DT_RIGHT); break;
            case Cell::Value: Text(dc, fonts.number, kValueColor, text(kValue), inner, DT_RIGHT); break;
            case Cell::Date: Text(dc, fonts.number, kDim, text(kDate), inner, DT_CENTER); break;
            case Cell::Ticks: Ticks(dc, text(kTicks), box); break;
        }
        DrawColorEdge(dc, box, kGrid, 1, left == 0 ? DrawEdge_Bottom : DrawEdge_LeftBottom);
        left += cell.width;
    }
}

}  // namespace

CSize QuoteBoardSize() {
    return CSize(BoardWidth(), kTitleHeight + kHeaderHeight + kRowHeight * static_cast<int>(SampleQuotes().size()) + 1);
}

void PaintQuoteBoard(CDC& target) {
    const CSize size = QuoteBoardSize();
    const CRect area(0, 0, size.cx, size.cy);
    target.SetBkColor(kBoard);
    CTeskMemDC dc(target, &area);
    dc.SetBkMode(TRANSPARENT);
    Fonts fonts;
    CFont* stockFont = dc.SelectObject(&fonts.title);

    // Title bar: a horizontal gradient, the board's name and trading date.
    const CRect title(0, 0, size.cx, kTitleHeight);
    GradientColor(dc, title, RGB(20, 24, 40), RGB(36, 74, 150), CRect(), GRADIENT_FILL_RECT_H);
    Text(dc, fonts.title, RGB(255, 255, 255), "\xB3\xF8\xBB\xF9\xAC\xDD\xAA\x4F",  // 報價看板
         CRect(14, 0, size.cx / 2, kTitleHeight), DT_LEFT);
    std::string date;
    DateFormatA(date, SampleQuotes().front().date, YearMonthDay);
    Text(dc, fonts.number, RGB(200, 214, 240), date + "  13:30:00", CRect(size.cx / 2, 0, size.cx - 14, kTitleHeight),
         DT_RIGHT);
    DrawColorEdge(dc, CRect(0, 0, size.cx, kTitleHeight - 1), RGB(90, 130, 210), 1, DrawEdge_Bottom);

    // Column header: a vertical gradient with the column names centred.
    int left = 0;
    const int headerTop = kTitleHeight;
    GradientColor(dc, CRect(0, headerTop, size.cx, headerTop + kHeaderHeight), RGB(22, 26, 38), RGB(62, 70, 92),
                  CRect(), GRADIENT_FILL_RECT_V);
    for (const auto& cell : kCells) {
        const CRect box(left, headerTop, left + cell.width, headerTop + kHeaderHeight);
        Text(dc, fonts.header, RGB(214, 220, 236), cell.header, box, DT_CENTER);
        if (left != 0) DrawColorEdge(dc, box, RGB(84, 92, 116), 1, DrawEdge_Left);
        left += cell.width;
    }

    int top = headerTop + kHeaderHeight;
    bool band = false;
    for (const auto& q : SampleQuotes()) {
        // Every other row a shade lighter, so the eye keeps to its line across the board.
        if (band) dc.FillSolidRect(0, top, size.cx, kRowHeight, kBand);
        band = !band;
        PaintRow(dc, fonts, q, top);
        top += kRowHeight;
    }
    dc.SelectObject(stockFont);
}

}  // namespace teskutil
