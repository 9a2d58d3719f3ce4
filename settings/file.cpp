#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "platform/posix_file.h"
#include "tesk/settings_file.h"

namespace {

std::string AbsolutePath(const char* fileName) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(fileName, ec);
    return ec ? std::string(fileName) : p.lexically_normal().string();
}

unsigned AccessBits(unsigned flags) {
    using namespace TeskUtility::posix;
    switch (flags & 3) {
        case CFile::modeWrite: return kShareWrite;
        case CFile::modeReadWrite: return kShareRead | kShareWrite;
        default: return kShareRead;
    }
}

unsigned DenyBits(unsigned flags) {
    using namespace TeskUtility::posix;
    switch (flags & 0x70) {
        case CFile::shareExclusive: return kShareRead | kShareWrite;
        case CFile::shareDenyWrite: return kShareWrite;
        case CFile::shareDenyRead: return kShareRead;
        default: return 0;
    }
}

int OpenRetrying(const char* path, int oflags) {
    int fd;
    do fd = ::open(path, oflags, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

CFile::CFile(const char* fileName, unsigned openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() {
    if (m_hFile != hFileNull) ::close(m_hFile);
}

// Opens without O_TRUNC and truncates only after the sharing check, so that a
// refused open never destroys another holder's data.
int CFile::Open(const char* fileName, unsigned openFlags, CFileException* error) {
    auto fail = [&](int err, int cause = -1) {
        if (error) *error = CFileException(cause < 0 ? CFileException::ErrnoToCause(err) : cause, err, m_strFileName);
        return 0;
    };
    if (m_hFile != hFileNull) Abort();
    m_strFileName.clear();
    if (!fileName || !*fileName) return fail(ENOENT, CFileException::badPath);
    m_strFileName = AbsolutePath(fileName);

    int oflags = O_CLOEXEC;
    const unsigned access = openFlags & 3;
    // Write-only opens ask for read access too when they may, so that they can hold their sharing lock.
    int fd = -1;
    if (openFlags & modeCreate) oflags |= O_CREAT;
    if (access == modeWrite) {
        fd = OpenRetrying(fileName, oflags | O_RDWR);
        if (fd < 0 && errno != EACCES && errno != EROFS && errno != EPERM) return fail(errno);
    }
    if (fd < 0) fd = OpenRetrying(fileName, oflags | (access == modeReadWrite ? O_RDWR : access == modeWrite ? O_WRONLY : O_RDONLY));
    if (fd < 0) return fail(errno);

    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(EISDIR);
    }
    if (const int err = TeskUtility::posix::AcquireShareLock(fd, AccessBits(openFlags), DenyBits(openFlags)).error) {
        ::close(fd);
        return fail(err, err == EBUSY ? CFileException::sharingViolation : -1);
    }
    if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && access != modeRead && S_ISREG(st.st_mode)) {
        int rc;
        do rc = ::ftruncate(fd, 0);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            const int err = errno;
            ::close(fd);
            return fail(err);
        }
    }
    m_hFile = fd;
    return 1;
}

unsigned CFile::Read(void* buffer, unsigned count) {
    if (count == 0) return 0;
    if (!buffer) throw CInvalidArgException();
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    auto* p = static_cast<char*>(buffer);
    unsigned done = 0;
    // A pipe or terminal may return short reads before the end; keep going.
    while (done < count) {
        const ssize_t n = ::read(m_hFile, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno(errno);
        }
        if (n == 0) break;
        done += static_cast<unsigned>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, unsigned count) {
    if (count == 0) return;
    if (!buffer) throw CInvalidArgException();
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    auto* p = static_cast<const char*>(buffer);
    unsigned done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_hFile, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno(errno);
        }
        if (n == 0) ThrowCause(CFileException::diskFull, ENOSPC);
        done += static_cast<unsigned>(n);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, unsigned from) {
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    const off_t pos = ::lseek(m_hFile, offset, whence);
    if (pos < 0) ThrowCause(CFileException::badSeek, errno);
    return static_cast<std::uint64_t>(pos);
}

std::uint64_t CFile::GetPosition() const {
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0) ThrowCause(CFileException::badSeek, errno);
    return static_cast<std::uint64_t>(pos);
}

std::uint64_t CFile::GetLength() const {
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    struct stat st {};
    if (::fstat(m_hFile, &st) != 0) ThrowErrno(errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::SetLength(std::uint64_t newLength) {
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
    if (newLength > static_cast<std::uint64_t>(INT64_MAX)) ThrowCause(CFileException::badSeek, EINVAL);
    int rc;
    do rc = ::ftruncate(m_hFile, static_cast<off_t>(newLength));
    while (rc != 0 && errno == EINTR);
    if (rc != 0) ThrowErrno(errno);
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    int rc;
    do rc = ::fdatasync(m_hFile);
    while (rc != 0 && errno == EINTR);
    // Pipes, terminals and some special files cannot be synced; that is not a failure of the data.
    if (rc != 0 && errno != EINVAL && errno != EROFS) ThrowErrno(errno);
}

void CFile::Close() {
    if (m_hFile == hFileNull) return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    // close() is not retried on EINTR: on Linux the descriptor is gone either way.
    if (::close(fd) != 0 && errno != EINTR) ThrowErrno(errno);
}

void CFile::Abort() {
    if (m_hFile != hFileNull) ::close(m_hFile);
    m_hFile = hFileNull;
}

std::string CFile::GetFileName() const {
    const std::size_t slash = m_strFileName.find_last_of('/');
    return slash == std::string::npos ? m_strFileName : m_strFileName.substr(slash + 1);
}

void CFile::ThrowErrno(int err) const { throw CFileException(CFileException::ErrnoToCause(err), err, m_strFileName); }

void CFile::ThrowCause(int cause, int err) const { throw CFileException(cause, err, m_strFileName); }
