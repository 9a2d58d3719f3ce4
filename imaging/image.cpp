// CImage: the pixel buffer and its file dispatch.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>  // std::bad_alloc
#include <vector>

#include "imaging/image_codecs.h"
#include "tesk/imaging_image.h"

using TeskUtility::imaging::EImageFormat;

void CImage::FreeBlock::operator()(std::uint8_t* p) const { std::free(p); }

CImage::CImage() = default;
CImage::~CImage() = default;

CImage::CImage(const CImage& other) { *this = other; }

CImage& CImage::operator=(const CImage& other) {
    if (this == &other) return *this;
    Destroy();
    if (other.IsNull()) return *this;
    if (!Create(other.m_width, other.IsTopDown() ? -other.m_height : other.m_height, other.m_bpp,
                other.m_hasAlpha ? createAlphaChannel : 0))
        throw std::bad_alloc();
    const std::size_t bytes = static_cast<std::size_t>(std::abs(m_pitch)) * static_cast<std::size_t>(m_height);
    std::memcpy(m_buffer.get(), other.m_buffer.get(), bytes);
    return *this;
}

CImage::CImage(CImage&& other) noexcept { *this = std::move(other); }

CImage& CImage::operator=(CImage&& other) noexcept {
    if (this == &other) return *this;
    m_buffer = std::move(other.m_buffer);
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bpp = other.m_bpp;
    m_pitch = other.m_pitch;
    m_hasAlpha = other.m_hasAlpha;
    other.m_top = nullptr;
    other.m_width = other.m_height = other.m_bpp = other.m_pitch = 0;
    other.m_hasAlpha = false;
    return *this;
}

BOOL CImage::Create(int width, int height, int bpp, std::uint32_t flags) {
    if (!IsNull() || width <= 0 || height == 0 || (bpp != 24 && bpp != 32)) return 0;
    const int rows = height < 0 ? -height : height;
    if (!TeskUtility::imaging::PixelSizeAcceptable(width, rows, bpp)) return 0;
    const int rowBytes = RowBytes(width, bpp);
    const std::size_t bytes = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rows);
    m_buffer.reset(static_cast<std::uint8_t*>(std::calloc(bytes, 1)));
    if (!m_buffer) return 0;
    m_width = width;
    m_height = rows;
    m_bpp = bpp;
    m_hasAlpha = bpp == 32 && (flags & createAlphaChannel) != 0;
    if (height > 0) {  // bottom-up: the top row is the last one in memory
        m_pitch = -rowBytes;
        m_top = m_buffer.get() + static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rows - 1);
    } else {
        m_pitch = rowBytes;
        m_top = m_buffer.get();
    }
    return 1;
}

void CImage::Destroy() { *this = CImage(); }

COLORREF CImage::GetPixel(int x, int y) const {
    if (IsNull() || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const auto* p = static_cast<const std::uint8_t*>(GetPixelAddress(x, y));
    return RGB(p[2], p[1], p[0]);
}

void CImage::SetPixel(int x, int y, COLORREF color) {
    if (IsNull() || x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    auto* p = static_cast<std::uint8_t*>(GetPixelAddress(x, y));
    p[0] = static_cast<std::uint8_t>(GetBValue(color));
    p[1] = static_cast<std::uint8_t>(GetGValue(color));
    p[2] = static_cast<std::uint8_t>(GetRValue(color));
}

namespace {

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    std::fclose(f);
    return ok;
}

}  // namespace

HRESULT CImage::Load(const char* path) {
    if (path == nullptr) return E_INVALIDARG;
    const EImageFormat format = TeskUtility::imaging::FormatOfPath(path);
    if (format == EImageFormat::Unknown) return E_FAIL;
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return E_FAIL;
    CImage decoded;
    bool ok = false;
    switch (format) {
        case EImageFormat::Bmp: ok = TeskUtility::imaging::DecodeBmp(bytes.data(), bytes.size(), decoded); break;
        case EImageFormat::Png: ok = TeskUtility::imaging::DecodePng(bytes.data(), bytes.size(), decoded); break;
        case EImageFormat::Jpeg: ok = TeskUtility::imaging::DecodeJpeg(bytes.data(), bytes.size(), decoded); break;
        case EImageFormat::Unknown: break;
    }
    if (!ok) return E_FAIL;
    *this = std::move(decoded);
    return S_OK;
}

HRESULT CImage::Save(const char* path) const {
    if (path == nullptr || IsNull()) return E_INVALIDARG;
    const EImageFormat format = TeskUtility::imaging::FormatOfPath(path);
    if (format == EImageFormat::Unknown) return E_FAIL;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return E_FAIL;
    bool ok = false;
    switch (format) {
        case EImageFormat::Bmp: ok = TeskUtility::imaging::EncodeBmp(*this, out); break;
        case EImageFormat::Png: ok = TeskUtility::imaging::EncodePng(*this, out); break;
        case EImageFormat::Jpeg: ok = TeskUtility::imaging::EncodeJpeg(*this, out); break;
        case EImageFormat::Unknown: break;
    }
    ok = std::fclose(out) == 0 && ok;
    if (!ok) std::remove(path);
    return ok ? S_OK : E_FAIL;
}
