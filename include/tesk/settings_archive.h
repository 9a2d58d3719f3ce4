// CArchive: a buffered one-direction byte stream over a CFile, loading or
// storing, with little-endian integers and the 16/32-bit count encoding.
//
//   CFile f("map.bin", CFile::modeCreate | CFile::modeWrite);
//   CArchive out(f, CArchive::store);
//   out << std::uint32_t{7};
//   out.WriteCount(n);           // one word below 0xFFFF, else 0xFFFF and a dword
//   out.Close();                 // flushes; the file stays open
//
//   CArchive in(f2, CArchive::load);
//   std::uint32_t v; in >> v;    // CArchiveException(endOfFile) past the end
//
// The archive does not own the file. Not thread-safe.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "tesk/exceptions.h"
#include "tesk/settings_file.h"

class CArchive {
public:
    enum Mode : unsigned { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // bufSize below 128 is raised to 128.
    CArchive(CFile& file, unsigned mode, int bufSize = 4096);
    // For ported code that passes &file; a null file throws CInvalidArgException.
    CArchive(CFile* file, unsigned mode, int bufSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // A storing archive flushes unless bNoFlushOnDelete was given; errors are swallowed.
    ~CArchive();

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }
    CFile* GetFile() const { return m_file; }

    // Reads up to `count` bytes; fewer only at the end of the data.
    unsigned Read(void* buffer, unsigned count);
    void Write(const void* buffer, unsigned count);
    // Writes buffered bytes to the file (storing); a loading archive hands
    // unread buffered bytes back to the file by seeking.
    void Flush();
    // Flushes and detaches from the file; the file stays open.
    void Close();
    // Detaches without writing.
    void Abort();

    std::uint32_t ReadCount();
    void WriteCount(std::uint32_t count);

    // Fixed-size values, little-endian. Reading past the end throws
    // CArchiveException(endOfFile).
    template <typename T>
        requires std::is_arithmetic_v<T>
    CArchive& operator<<(T value) {
        if constexpr (std::is_same_v<T, bool>) {
            const std::uint8_t b = value ? 1 : 0;
            Write(&b, 1);
        } else {
            Write(&value, sizeof value);
        }
        return *this;
    }
    template <typename T>
        requires std::is_arithmetic_v<T>
    CArchive& operator>>(T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            std::uint8_t b = 0;
            ReadExact(&b, 1);
            value = b != 0;
        } else {
            ReadExact(&value, sizeof value);
        }
        return *this;
    }

private:
    static_assert(std::endian::native == std::endian::little, "values are stored as in memory");
    void ReadExact(void* buffer, unsigned count);
    void FillBuffer();
    void RequireOpen() const;

    CFile* m_file;
    bool m_loading;
    bool m_flushOnDelete;
    std::unique_ptr<unsigned char[]> m_buffer;
    unsigned m_capacity;
    unsigned m_cur = 0;   // next byte to hand out (load) or free slot (store)
    unsigned m_fill = 0;  // bytes in the buffer (load)
};
