#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "tesk/settings_memfile.h"

CMemFile::CMemFile(unsigned growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(unsigned char* buffer, unsigned bufferSize, unsigned growBytes) : m_nGrowBytes(growBytes) {
    Attach(buffer, bufferSize, growBytes);
}

// Base-class virtual calls only reach CMemFile's own steps here; derived
// classes with other steps close in their own destructor.
CMemFile::~CMemFile() {
    if (m_lpBuffer) Close();
}

void CMemFile::Attach(unsigned char* buffer, unsigned bufferSize, unsigned growBytes) {
    Close();
    m_lpBuffer = buffer;
    m_nBufferSize = buffer ? bufferSize : 0;
    m_nGrowBytes = growBytes;
    m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = false;
}

unsigned char* CMemFile::Detach() {
    unsigned char* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    return block;
}

int CMemFile::Open(const char*, unsigned, CFileException* error) {
    if (error) *error = CFileException(CFileException::genericException, EINVAL);
    return 0;
}

unsigned CMemFile::Read(void* buffer, unsigned count) {
    if (count == 0 || m_nPosition >= m_nFileSize) return 0;
    if (!buffer) throw CInvalidArgException();
    const std::size_t n = std::min<std::size_t>(count, m_nFileSize - m_nPosition);
    Memcpy(static_cast<unsigned char*>(buffer), m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<unsigned>(n);
}

void CMemFile::Write(const void* buffer, unsigned count) {
    if (count == 0) return;
    if (!buffer) throw CInvalidArgException();
    if (m_nPosition > std::numeric_limits<std::size_t>::max() - count) throw CMemoryException();
    const std::size_t end = m_nPosition + count;
    if (end > m_nBufferSize) GrowFile(end);
    ZeroGap(m_nPosition);
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const unsigned char*>(buffer), count);
    m_nPosition = end;
    if (end > m_nFileSize) m_nFileSize = end;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, unsigned from) {
    const std::int64_t base = from == current ? static_cast<std::int64_t>(m_nPosition)
                              : from == end   ? static_cast<std::int64_t>(m_nFileSize)
                                              : 0;
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
        throw CFileException(CFileException::badSeek, EINVAL);
    m_nPosition = static_cast<std::size_t>(base + offset);
    return m_nPosition;
}

void CMemFile::SetLength(std::uint64_t newLength) {
    if (newLength > std::numeric_limits<std::size_t>::max()) throw CMemoryException();
    const auto length = static_cast<std::size_t>(newLength);
    if (length > m_nBufferSize) GrowFile(length);
    ZeroGap(length);
    if (length < m_nPosition) m_nPosition = length;
    m_nFileSize = length;
}

void CMemFile::Close() {
    if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
}

void CMemFile::GrowFile(std::size_t newLength) {
    if (newLength <= m_nBufferSize) return;
    if (m_nGrowBytes == 0) throw CMemoryException();
    const std::size_t steps = (newLength - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    if (steps > (std::numeric_limits<std::size_t>::max() - m_nBufferSize) / m_nGrowBytes) throw CMemoryException();
    const std::size_t newSize = m_nBufferSize + steps * m_nGrowBytes;
    unsigned char* block = nullptr;
    if (m_lpBuffer && m_bAutoDelete) {
        block = Realloc(m_lpBuffer, newSize);
    } else {
        // A caller's buffer is never resized in place: move the content to our own block.
        block = Alloc(newSize);
        if (block && m_lpBuffer && m_nFileSize) Memcpy(block, m_lpBuffer, m_nFileSize);
    }
    if (!block) throw CMemoryException();
    m_lpBuffer = block;
    m_nBufferSize = newSize;
    m_bAutoDelete = true;
}

void CMemFile::ZeroGap(std::size_t upTo) {
    if (upTo > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, upTo - m_nFileSize);
}

unsigned char* CMemFile::Alloc(std::size_t size) { return static_cast<unsigned char*>(std::malloc(size)); }

unsigned char* CMemFile::Realloc(unsigned char* block, std::size_t size) {
    return static_cast<unsigned char*>(std::realloc(block, size));
}

unsigned char* CMemFile::Memcpy(unsigned char* dest, const unsigned char* src, std::size_t count) {
    return static_cast<unsigned char*>(std::memcpy(dest, src, count));
}

void CMemFile::Free(unsigned char* block) { std::free(block); }
