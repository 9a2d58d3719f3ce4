#include "tesk/settings_archive.h"

#include <algorithm>

namespace {
constexpr unsigned kMinBuffer = 128;
constexpr std::uint16_t kCountEscape = 0xFFFF;
}  // namespace

CArchive::CArchive(CFile& file, unsigned mode, int bufSize)
    : m_file(&file),
      m_loading((mode & load) != 0),
      m_flushOnDelete((mode & bNoFlushOnDelete) == 0),
      m_capacity(bufSize < static_cast<int>(kMinBuffer) ? kMinBuffer : static_cast<unsigned>(bufSize)) {
    m_buffer = std::make_unique<unsigned char[]>(m_capacity);
}

CArchive::CArchive(CFile* file, unsigned mode, int bufSize)
    : CArchive(file ? *file : throw CInvalidArgException(), mode, bufSize) {}

CArchive::~CArchive() {
    if (m_file && !m_loading && m_flushOnDelete) {
        try {
            Flush();
        } catch (...) {
            // A destructor cannot report; callers who care call Close().
        }
    }
}

void CArchive::RequireOpen() const {
    if (!m_file) throw CArchiveException(CArchiveException::genericException);
}

void CArchive::FillBuffer() {
    m_cur = 0;
    m_fill = m_file->Read(m_buffer.get(), m_capacity);
}

unsigned CArchive::Read(void* buffer, unsigned count) {
    RequireOpen();
    if (!m_loading) throw CArchiveException(CArchiveException::writeOnly, m_file->GetFilePath());
    if (count == 0) return 0;
    if (!buffer) throw CInvalidArgException();
    auto* out = static_cast<unsigned char*>(buffer);
    unsigned done = 0;
    while (done < count) {
        if (m_cur == m_fill) {
            // Large reads bypass the buffer.
            if (count - done >= m_capacity) {
                const unsigned n = m_file->Read(out + done, count - done);
                done += n;
                break;
            }
            FillBuffer();
            if (m_fill == 0) break;
        }
        const unsigned n = std::min(count - done, m_fill - m_cur);
        std::memcpy(out + done, m_buffer.get() + m_cur, n);
        m_cur += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* buffer, unsigned count) {
    if (m_file && m_loading && m_fill - m_cur >= count) {
        std::memcpy(buffer, m_buffer.get() + m_cur, count);
        m_cur += count;
        return;
    }
    if (Read(buffer, count) != count) throw CArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
}

void CArchive::Write(const void* buffer, unsigned count) {
    RequireOpen();
    if (m_loading) throw CArchiveException(CArchiveException::readOnly, m_file->GetFilePath());
    if (count == 0) return;
    if (!buffer) throw CInvalidArgException();
    auto* in = static_cast<const unsigned char*>(buffer);
    if (count <= m_capacity - m_cur) {
        std::memcpy(m_buffer.get() + m_cur, in, count);
        m_cur += count;
        return;
    }
    Flush();
    if (count >= m_capacity) {
        m_file->Write(in, count);
        return;
    }
    std::memcpy(m_buffer.get(), in, count);
    m_cur = count;
}

void CArchive::Flush() {
    RequireOpen();
    if (m_loading) {
        // Give unread bytes back so the file's position matches what was consumed.
        if (m_fill > m_cur) m_file->Seek(-static_cast<std::int64_t>(m_fill - m_cur), CFile::current);
        m_cur = m_fill = 0;
        return;
    }
    const unsigned pending = m_cur;
    m_cur = 0;
    if (pending) m_file->Write(m_buffer.get(), pending);
}

void CArchive::Close() {
    if (!m_file) return;
    if (!m_loading) Flush();
    m_file = nullptr;
}

void CArchive::Abort() { m_file = nullptr; }

std::uint32_t CArchive::ReadCount() {
    std::uint16_t word = 0;
    *this >> word;
    if (word != kCountEscape) return word;
    std::uint32_t count = 0;
    *this >> count;
    return count;
}

void CArchive::WriteCount(std::uint32_t count) {
    if (count < kCountEscape) {
        *this << static_cast<std::uint16_t>(count);
    } else {
        *this << kCountEscape << count;
    }
}
