// CMemFile: a seekable byte file whose contents live in one heap block that
// grows in steps. Derived classes may replace how the block is allocated,
// resized, copied into and freed.
//
//   CMemFile mem(4096);            // grows 4 KiB at a time
//   mem.Write("abc", 3);
//   mem.SeekToBegin();
//   char b[3]; mem.Read(b, 3);
//   std::size_t n = mem.GetLength();
//   unsigned char* block = mem.Detach();   // caller frees with free()
#pragma once

#include <cstddef>
#include <cstdint>

#include "tesk/settings_file.h"

class CMemFile : public CFile {
public:
    explicit CMemFile(unsigned growBytes = 1024);
    // Works over the caller's buffer, which the file never frees. growBytes 0:
    // the buffer is the whole content and cannot grow (CMemoryException);
    // otherwise the file starts empty and moves to a heap block when it outgrows it.
    CMemFile(unsigned char* buffer, unsigned bufferSize, unsigned growBytes = 0);
    ~CMemFile() override;

    void Attach(unsigned char* buffer, unsigned bufferSize, unsigned growBytes = 0);
    // Hands the block to the caller (to free with Free's counterpart) and empties the file.
    unsigned char* Detach();
    std::size_t GetBufferSize() const { return m_nBufferSize; }

    // A memory file has no path to open; always 0.
    int Open(const char*, unsigned, CFileException* error = nullptr) override;
    using CFile::Open;
    unsigned Read(void* buffer, unsigned count) override;
    // Grows the block as needed; CMemoryException when it cannot.
    void Write(const void* buffer, unsigned count) override;
    // Positions past the end are allowed; a later write fills the gap with zeros.
    std::uint64_t Seek(std::int64_t offset, unsigned from) override;
    std::uint64_t GetPosition() const override { return m_nPosition; }
    std::uint64_t GetLength() const override { return m_nFileSize; }
    void SetLength(std::uint64_t newLength) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

protected:
    // The replaceable storage steps. Alloc and Realloc answer null when out of memory.
    virtual unsigned char* Alloc(std::size_t size);
    virtual unsigned char* Realloc(unsigned char* block, std::size_t size);
    virtual unsigned char* Memcpy(unsigned char* dest, const unsigned char* src, std::size_t count);
    virtual void Free(unsigned char* block);
    virtual void GrowFile(std::size_t newLength);

    std::size_t m_nGrowBytes;
    std::size_t m_nPosition = 0;
    std::size_t m_nBufferSize = 0;
    std::size_t m_nFileSize = 0;
    unsigned char* m_lpBuffer = nullptr;
    bool m_bAutoDelete = true;

private:
    // Zeroes bytes between the old end and `upTo`, which gaps would otherwise expose.
    void ZeroGap(std::size_t upTo);
};

// A memory file whose blocks are 16-byte aligned and whose copies go through
// CCPUEnhancement::FastMemoryCopy (the tuned routine above 2048 bytes).
class CTeskMemFile : public CMemFile {
public:
    explicit CTeskMemFile(unsigned growBytes = 1024) : CMemFile(growBytes) {}
    CTeskMemFile(unsigned char* buffer, unsigned bufferSize, unsigned growBytes = 0)
        : CMemFile(buffer, bufferSize, growBytes) {}
    // Releases the block through this class's Free.
    ~CTeskMemFile() override;

protected:
    unsigned char* Alloc(std::size_t size) override;
    unsigned char* Realloc(unsigned char* block, std::size_t size) override;
    unsigned char* Memcpy(unsigned char* dest, const unsigned char* src, std::size_t count) override;
    void Free(unsigned char* block) override;
};
