// Seekable byte files (CFile) and text files (CStdioFile) with the members and
// flags that ported host code uses.
//
//   CFile out("quote.bin", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);  // throws
//   out.Write(data, size);
//   CFile in;
//   CFileException why;
//   if (!in.Open("quote.bin", CFile::modeRead | CFile::shareDenyWrite, &why)) { ... why.m_cause ... }
//
//   CStdioFile text("a.ini", CFile::modeRead | CFile::typeText);
//   std::string line;
//   while (text.ReadString(line)) { ... }   // "a\r\n" on disk reads as "a"
//
// Paths are handed to the OS as given (bytes, no code-page conversion).
// Sharing flags are honoured between processes that open files through this
// library (advisory open-file-description locks); other programs ignore them.
// A file object is not thread-safe; callers use one from one thread at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "tesk/exceptions.h"

class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : unsigned { begin = 0, current = 1, end = 2 };
    static constexpr int hFileNull = -1;

    CFile() = default;
    // Adopts an open descriptor; the object closes it.
    explicit CFile(int fd) : m_hFile(fd) {}
    // Opens or throws CFileException (cause, errno, path).
    CFile(const char* fileName, unsigned openFlags);
    CFile(const std::string& fileName, unsigned openFlags) : CFile(fileName.c_str(), openFlags) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes an open file, ignoring errors.
    virtual ~CFile();

    // 1 on success; on failure 0, and `error` (when given) receives cause, errno and path. Never throws.
    virtual int Open(const char* fileName, unsigned openFlags, CFileException* error = nullptr);
    int Open(const std::string& fileName, unsigned openFlags, CFileException* error = nullptr) {
        return Open(fileName.c_str(), openFlags, error);
    }

    // Reads up to `count` bytes; fewer only at the end of the file, 0 there.
    virtual unsigned Read(void* buffer, unsigned count);
    // Writes all `count` bytes or throws (diskFull, ...).
    virtual void Write(const void* buffer, unsigned count);
    virtual std::uint64_t Seek(std::int64_t offset, unsigned from);
    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }
    virtual std::uint64_t GetPosition() const;
    virtual std::uint64_t GetLength() const;
    virtual void SetLength(std::uint64_t newLength);
    // Commits written data to the device.
    virtual void Flush();
    // Closes the file; throws when the OS reports a failed close.
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    // The path given to Open, made absolute; empty for an adopted descriptor.
    const std::string& GetFilePath() const { return m_strFileName; }
    // The last component of the path ("a.ini").
    std::string GetFileName() const;
    bool IsOpen() const { return m_hFile != hFileNull; }

    int m_hFile = hFileNull;

protected:
    // Throws CFileException (invalidFile, EBADF) when no file is open.
    void CheckOpen() const;
    // Throws CFileException for `err` naming this file.
    [[noreturn]] void ThrowErrno(int err) const;
    [[noreturn]] void ThrowCause(int cause, int err) const;

    std::string m_strFileName;
};

// A text file over a C stream. In text mode (the default; typeBinary turns it
// off) a CR LF pair reads as LF and a written LF becomes CR LF. Narrow text is
// bytes; wide text is UTF-16LE code units with the same line-end translation
// applied to whole units.
class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    // Adopts an open stream (text mode); Close() closes it.
    explicit CStdioFile(FILE* openStream);
    CStdioFile(const char* fileName, unsigned openFlags);
    CStdioFile(const std::string& fileName, unsigned openFlags) : CStdioFile(fileName.c_str(), openFlags) {}
    ~CStdioFile() override;

    int Open(const char* fileName, unsigned openFlags, CFileException* error = nullptr) override;
    using CFile::Open;

    // Reads at most max - 1 characters up to and including a newline and
    // terminates them. Null buffer: CInvalidArgException. Null at the end of the
    // file; a failed read throws CFileException (genericException, errno, path).
    char* ReadString(char* buffer, unsigned max);
    char16_t* ReadString(char16_t* buffer, unsigned max);
    // Reads a whole line of any length without its newline. 1 when anything was
    // read (a lone newline included), 0 at the end of the file.
    int ReadString(std::string& line);
    int ReadString(std::u16string& line);
    // Writes the text, no newline added. Null text: CInvalidArgException; a
    // failed write: CFileException (diskFull, errno, path).
    void WriteString(const char* text);
    void WriteString(const char16_t* text);

    // The stream's own line reader: like fgets, with line-end translation.
    // Null when nothing was read (end of file, error, or max < 2 with no room).
    char* GetLine(char* buffer, int max);
    char16_t* GetLine(char16_t* buffer, int max);
    // The stream's string writer; false when the stream reports a failure.
    bool PutString(const char* text, std::size_t length);
    bool PutString(const char16_t* text, std::size_t length);

    unsigned Read(void* buffer, unsigned count) override;
    void Write(const void* buffer, unsigned count) override;
    std::uint64_t Seek(std::int64_t offset, unsigned from) override;
    std::uint64_t GetPosition() const override;
    std::uint64_t GetLength() const override;
    void SetLength(std::uint64_t newLength) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    bool IsTextMode() const { return m_text; }

    FILE* m_pStream = nullptr;

private:
    int ReadByte();
    int ReadUnit();
    // `stored` receives the number of characters read, NULs included.
    template <typename Char> Char* GetLineOf(Char* buffer, int max, int* stored = nullptr);
    template <typename Char> Char* ReadStringOf(Char* buffer, unsigned max, int* stored = nullptr);
    template <typename Char, typename String> int ReadWholeLine(String& line);
    template <typename Char> void WriteStringOf(const Char* text);
    void DropCarry() { m_carryUnit = -1; }

    bool m_text = true;
    // A wide unit read ahead after a CR that was not followed by LF.
    int m_carryUnit = -1;
};
