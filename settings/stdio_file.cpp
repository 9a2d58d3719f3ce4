#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/posix_file.h"
#include "tesk/settings_file.h"

namespace {

constexpr int kCR = 0x0D;
constexpr int kLF = 0x0A;
// Chunk size of the whole-line readers: 128 characters plus the terminator.
constexpr unsigned kLineChunk = 128;

const char* StreamMode(unsigned flags) {
    const unsigned access = flags & 3;
    const bool append = (flags & CFile::modeCreate) && (flags & CFile::modeNoTruncate);
    if (access == CFile::modeRead) return "r";
    if (access == CFile::modeWrite) return append ? "a" : "w";
    return append ? "a+" : "r+";
}

// Holds the stream's lock for a run of unlocked character calls.
struct StreamLock {
    explicit StreamLock(FILE* f) : f_(f) { flockfile(f_); }
    ~StreamLock() { funlockfile(f_); }
    FILE* f_;
};

template <typename Char>
std::size_t Length(const Char* text) {
    return std::char_traits<Char>::length(text);
}

}  // namespace

CStdioFile::CStdioFile(FILE* openStream) : m_pStream(openStream) {
    if (m_pStream) m_hFile = fileno(m_pStream);
}

CStdioFile::CStdioFile(const char* fileName, unsigned openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) throw error;
}

CStdioFile::~CStdioFile() {
    if (m_pStream) std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
}

int CStdioFile::Open(const char* fileName, unsigned openFlags, CFileException* error) {
    if (m_pStream) Abort();
    if (!CFile::Open(fileName, openFlags, error)) return 0;
    const TeskUtility::posix::Result<FILE*> stream = TeskUtility::posix::OpenStream(m_hFile, StreamMode(openFlags));
    if (!stream.ok()) {
        const int err = stream.status.error;
        CFile::Abort();
        if (error) *error = CFileException(CFileException::ErrnoToCause(err), err, m_strFileName);
        return 0;
    }
    m_pStream = stream.value;
    m_text = !(openFlags & typeBinary);
    DropCarry();
    return 1;
}

int CStdioFile::ReadByte() {
    int c = getc_unlocked(m_pStream);
    if (c == kCR && m_text) {
        const int next = getc_unlocked(m_pStream);
        if (next == kLF) return kLF;
        if (next != EOF) ungetc(next, m_pStream);
    }
    return c;
}

int CStdioFile::ReadUnit() {
    auto raw = [this]() -> int {
        const int lo = getc_unlocked(m_pStream);
        if (lo == EOF) return EOF;
        const int hi = getc_unlocked(m_pStream);
        // A lone last byte still counts as a unit rather than vanishing.
        return hi == EOF ? lo : lo | (hi << 8);
    };
    if (m_carryUnit >= 0) {
        const int unit = m_carryUnit;
        DropCarry();
        return unit;
    }
    const int unit = raw();
    if (unit == kCR && m_text) {
        const int next = raw();
        if (next == kLF) return kLF;
        if (next != EOF) m_carryUnit = next;
    }
    return unit;
}

template <typename Char>
Char* CStdioFile::GetLineOf(Char* buffer, int max, int* stored) {
    if (!buffer || max <= 0 || !m_pStream) {
        errno = EINVAL;
        return nullptr;
    }
    StreamLock lock(m_pStream);
    int n = 0;
    while (n < max - 1) {
        const int c = sizeof(Char) == 1 ? ReadByte() : ReadUnit();
        if (c == EOF) break;
        buffer[n++] = static_cast<Char>(c);
        if (c == kLF) break;
    }
    if ((n == 0 && max > 1) || ferror_unlocked(m_pStream)) return nullptr;
    buffer[n] = Char(0);
    if (stored) *stored = n;
    return buffer;
}

char* CStdioFile::GetLine(char* buffer, int max) { return GetLineOf(buffer, max); }
char16_t* CStdioFile::GetLine(char16_t* buffer, int max) { return GetLineOf(buffer, max); }

bool CStdioFile::PutString(const char* text, std::size_t length) {
    if (!m_pStream) return false;
    if (!m_text) return std::fwrite(text, 1, length, m_pStream) == length;
    StreamLock lock(m_pStream);
    const char* end = text + length;
    while (text < end) {
        const char* lf = static_cast<const char*>(std::memchr(text, '\n', static_cast<std::size_t>(end - text)));
        const std::size_t run = static_cast<std::size_t>((lf ? lf : end) - text);
        if (fwrite_unlocked(text, 1, run, m_pStream) != run) return false;
        if (lf && fwrite_unlocked("\r\n", 1, 2, m_pStream) != 2) return false;
        text += run + (lf ? 1 : 0);
    }
    return !ferror_unlocked(m_pStream);
}

bool CStdioFile::PutString(const char16_t* text, std::size_t length) {
    if (!m_pStream) return false;
    StreamLock lock(m_pStream);
    unsigned char bytes[512];
    std::size_t used = 0;
    auto put = [&](char16_t unit) {
        if (used + 2 > sizeof bytes) {
            if (fwrite_unlocked(bytes, 1, used, m_pStream) != used) return false;
            used = 0;
        }
        bytes[used++] = static_cast<unsigned char>(unit & 0xFF);
        bytes[used++] = static_cast<unsigned char>(unit >> 8);
        return true;
    };
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == kLF && m_text && !put(static_cast<char16_t>(kCR))) return false;
        if (!put(text[i])) return false;
    }
    return fwrite_unlocked(bytes, 1, used, m_pStream) == used && !ferror_unlocked(m_pStream);
}

template <typename Char>
Char* CStdioFile::ReadStringOf(Char* buffer, unsigned max, int* stored) {
    if (!buffer) throw CInvalidArgException();
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    Char* line = GetLineOf(buffer, max > INT_MAX ? INT_MAX : static_cast<int>(max), stored);
    if (!line && !std::feof(m_pStream)) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowCause(CFileException::genericException, err);
    }
    return line;
}

char* CStdioFile::ReadString(char* buffer, unsigned max) { return ReadStringOf(buffer, max); }
char16_t* CStdioFile::ReadString(char16_t* buffer, unsigned max) { return ReadStringOf(buffer, max); }

// Appends 128-character chunks until a short chunk, a newline or the end.
// Chunks are measured by what was read, so NUL bytes in the file stay in the line.
template <typename Char, typename String>
int CStdioFile::ReadWholeLine(String& line) {
    line.clear();
    Char chunk[kLineChunk + 1];
    const Char* got = nullptr;
    int n = 0;
    while ((got = ReadStringOf(chunk, kLineChunk + 1, &n)) != nullptr) {
        line.append(chunk, static_cast<std::size_t>(n));
        if (n < static_cast<int>(kLineChunk) || chunk[n - 1] == Char('\n')) break;
    }
    const bool readSomething = got != nullptr || !line.empty();
    if (!line.empty() && line.back() == Char('\n')) line.pop_back();
    return readSomething ? 1 : 0;
}

int CStdioFile::ReadString(std::string& line) { return ReadWholeLine<char>(line); }
int CStdioFile::ReadString(std::u16string& line) { return ReadWholeLine<char16_t>(line); }

template <typename Char>
void CStdioFile::WriteStringOf(const Char* text) {
    if (!text) throw CInvalidArgException();
    if (!PutString(text, Length(text))) ThrowCause(CFileException::diskFull, m_pStream ? errno : EBADF);
}

void CStdioFile::WriteString(const char* text) { WriteStringOf(text); }
void CStdioFile::WriteString(const char16_t* text) { WriteStringOf(text); }

unsigned CStdioFile::Read(void* buffer, unsigned count) {
    if (count == 0) return 0;
    if (!buffer) throw CInvalidArgException();
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    std::size_t n = 0;
    if (!m_text) {
        n = std::fread(buffer, 1, count, m_pStream);
    } else {
        StreamLock lock(m_pStream);
        auto* out = static_cast<unsigned char*>(buffer);
        for (int c; n < count && (c = ReadByte()) != EOF;) out[n++] = static_cast<unsigned char>(c);
    }
    if (std::ferror(m_pStream)) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err);
    }
    return static_cast<unsigned>(n);
}

void CStdioFile::Write(const void* buffer, unsigned count) {
    if (count == 0) return;
    if (!buffer) throw CInvalidArgException();
    if (!PutString(static_cast<const char*>(buffer), count)) {
        const int err = m_pStream ? errno : EBADF;
        if (m_pStream) std::clearerr(m_pStream);
        ThrowErrno(err);
    }
}

std::uint64_t CStdioFile::Seek(std::int64_t offset, unsigned from) {
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    DropCarry();
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    if (fseeko(m_pStream, offset, whence) != 0) ThrowCause(CFileException::badSeek, errno);
    return GetPosition();
}

std::uint64_t CStdioFile::GetPosition() const {
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    const off_t pos = ftello(m_pStream);
    if (pos < 0) ThrowCause(CFileException::badSeek, errno);
    return static_cast<std::uint64_t>(pos) - (m_carryUnit >= 0 ? 2 : 0);
}

std::uint64_t CStdioFile::GetLength() const {
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    std::fflush(m_pStream);
    const auto st = TeskUtility::posix::Stat(fileno(m_pStream));
    if (!st.ok()) ThrowErrno(st.status.error);
    return static_cast<std::uint64_t>(st.value.st_size);
}

void CStdioFile::SetLength(std::uint64_t newLength) {
    if (!m_pStream) ThrowCause(CFileException::invalidFile, EBADF);
    if (std::fflush(m_pStream) != 0) ThrowErrno(errno);
    CFile::SetLength(newLength);
}

void CStdioFile::Flush() {
    if (m_pStream && std::fflush(m_pStream) != 0) ThrowErrno(errno);
}

void CStdioFile::Close() {
    if (!m_pStream) return CFile::Close();
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    DropCarry();
    if (std::fclose(stream) != 0) ThrowErrno(errno);
}

void CStdioFile::Abort() {
    if (m_pStream) std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    DropCarry();
}
