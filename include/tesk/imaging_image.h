// A device-independent image with the members host code uses, and its files.
//
//   CImage image;
//   image.Create(640, 480, 32);                 // bottom-up: GetPitch() < 0
//   image.SetPixel(10, 20, RGB(255, 0, 0));
//   if (image.Save("shot.png") != S_OK) ...     // format by extension: .bmp .png .jpg/.jpeg
//   CImage copy;
//   if (FAILED(copy.Load("shot.png"))) ...      // malformed files give E_FAIL, never a crash
//
// Pixels are rows of B, G, R (24 bits) or B, G, R, A (32 bits). A positive
// height in Create makes a bottom-up image (the last row first in memory,
// negative pitch); GetBits() always points at the top row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "tesk/types.h"


class CDC;

class CImage {
public:
    // Create flag: the fourth byte of a 32-bit pixel is alpha (PNG files keep it);
    // without it that byte is padding and files are written without alpha.
    static constexpr std::uint32_t createAlphaChannel = 0x01;

    CImage();
    CImage(const CImage& other);  // deep copy
    CImage& operator=(const CImage& other);
    CImage(CImage&& other) noexcept;
    CImage& operator=(CImage&& other) noexcept;
    virtual ~CImage();

    // bpp 24 or 32; width > 0 and height != 0 (negative: top-down). Pixels start
    // at zero. Fails on an image that already holds pixels, as ATL's does.
    BOOL Create(int width, int height, int bpp, std::uint32_t flags = 0);
    void Destroy();
    bool IsNull() const { return m_buffer == nullptr; }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBPP() const { return m_bpp; }
    int GetPitch() const { return m_pitch; }  // bytes from one row to the next, top to bottom
    bool HasAlphaChannel() const { return m_hasAlpha; }
    bool IsTopDown() const { return m_pitch > 0; }

    void* GetBits() { return m_top; }
    const void* GetBits() const { return m_top; }
    void* GetPixelAddress(int x, int y) { return m_top + static_cast<std::ptrdiff_t>(y) * m_pitch + x * (m_bpp / 8); }
    const void* GetPixelAddress(int x, int y) const {
        return m_top + static_cast<std::ptrdiff_t>(y) * m_pitch + x * (m_bpp / 8);
    }

    // COLORREF 0x00BBGGRR; outside the image GetPixel answers 0 and SetPixel does nothing.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // Format by the path's extension (case-insensitive): .bmp/.dib, .png,
    // .jpg/.jpeg/.jpe. Load replaces the image only when the file decodes; every
    // loaded image is bottom-up. Save writes nothing but the named file and
    // removes it again when encoding fails.
    HRESULT Load(const char* path);
    HRESULT Load(const CStringA& path) { return Load(path.c_str()); }
    HRESULT Save(const char* path) const;
    HRESULT Save(const CStringA& path) const { return Save(path.c_str()); }

    // Draws the image with its top-left corner at logical (x, y) of the context's
    // selected bitmap, or stretched smoothly over (x, y, width, height). rop:
    // SRCCOPY, or SRCINVERT (0x00660046) to XOR it onto what is there.
    BOOL BitBlt(CDC* dc, int x, int y, std::uint32_t rop = 0x00CC0020) const;
    BOOL StretchBlt(CDC* dc, int x, int y, int width, int height, std::uint32_t rop = 0x00CC0020) const;

    // Bytes of one row as ATL pads them (a multiple of four).
    static int RowBytes(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

private:
    // calloc'd: a large block comes zeroed from the kernel, without a pass over it.
    struct FreeBlock {
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], FreeBlock> m_buffer;  // the rows, lowest address first
    std::uint8_t* m_top = nullptr;             // the top row
    int m_width = 0;
    int m_height = 0;                          // always positive
    int m_bpp = 0;
    int m_pitch = 0;
    bool m_hasAlpha = false;
};
