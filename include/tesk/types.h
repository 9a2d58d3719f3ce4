// Shared value types of the library's interface.
//
//   TeskUtility::CStringA text;              // narrow, ANSI code page bytes
//   CRect r(0, 0, 100, 20); r.Width();      // 100
//   COLORREF red = RGB(255, 0, 0);          // 0x000000FF
#pragma once

#include <cstdint>
#include <string>

#pragma push_macro("None")
#undef None

using CStringA = std::string;      // bytes in the calling thread's ANSI code page
using CStringW = std::u16string;   // UTF-16 code units
using BOOL = int;
using COLORREF = std::uint32_t;    // 0x00BBGGRR
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
using LCID = std::uint32_t;

// Window and monitor handles are distinct pointer types, as strict Windows headers declare them.
struct HWND__;
using HWND = HWND__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFF; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

struct POINT {
    std::int32_t x;
    std::int32_t y;
};
struct SIZE {
    std::int32_t cx;
    std::int32_t cy;
};
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(std::int32_t px, std::int32_t py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {}
    constexpr bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(std::int32_t w, std::int32_t h) : SIZE{w, h} {}
    constexpr CSize(const SIZE& s) : SIZE(s) {}
    constexpr bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr void SetRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        left = l; top = t; right = r; bottom = b;
    }
    constexpr void OffsetRect(std::int32_t dx, std::int32_t dy) {
        left += dx; right += dx; top += dy; bottom += dy;
    }
    constexpr void DeflateRect(std::int32_t dx, std::int32_t dy) {
        left += dx; right -= dx; top += dy; bottom -= dy;
    }
    constexpr void InflateRect(std::int32_t dx, std::int32_t dy) { DeflateRect(-dx, -dy); }
    constexpr bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

#pragma pop_macro("None")
