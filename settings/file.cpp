#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/posix_file.h"
#include "tesk/settings_file.h"

namespace {

namespace posix = TeskUtility::posix;

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

}  // namespace

CFile::CFile(const char* fileName, unsigned openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() {
    if (m_hFile != hFileNull) posix::Close(m_hFile);
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

    const unsigned access = openFlags & 3;
    const int create = (openFlags & modeCreate) ? O_CREAT : 0;
    const int wanted = access == modeReadWrite ? O_RDWR : access == modeWrite ? O_WRONLY : O_RDONLY;
    // Write-only opens ask for read access too when they may, so that they can hold their sharing lock.
    posix::Result<posix::Fd> file = posix::Open(fileName, create | (access == modeWrite ? O_RDWR : wanted));
    const int refused = file.status.error;
    if (access == modeWrite && (refused == EACCES || refused == EROFS || refused == EPERM))
        file = posix::Open(fileName, create | wanted);
    if (!file.ok()) return fail(file.status.error);
    const int fd = file.value.Get();

    const posix::Result<struct stat> st = posix::Stat(fd);
    if (st.ok() && S_ISDIR(st.value.st_mode)) return fail(EISDIR);
    if (const int err = posix::AcquireShareLock(fd, AccessBits(openFlags), DenyBits(openFlags)).error)
        return fail(err, err == EBUSY ? CFileException::sharingViolation : -1);
    if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && access != modeRead && st.ok() &&
        S_ISREG(st.value.st_mode)) {
        if (const int err = posix::Truncate(fd, 0).error) return fail(err);
    }
    m_hFile = file.value.Release();
    return 1;
}

void CFile::CheckOpen() const {
    if (m_hFile == hFileNull) ThrowCause(CFileException::invalidFile, EBADF);
}

unsigned CFile::Read(void* buffer, unsigned count) {
    if (count == 0) return 0;
    if (!buffer) throw CInvalidArgException();
    CheckOpen();
    const posix::Result<std::size_t> got = posix::ReadAll(m_hFile, buffer, count);
    if (!got.ok()) ThrowErrno(got.status.error);
    return static_cast<unsigned>(got.value);
}

void CFile::Write(const void* buffer, unsigned count) {
    if (count == 0) return;
    if (!buffer) throw CInvalidArgException();
    CheckOpen();
    if (const int err = posix::WriteAll(m_hFile, buffer, count).error) ThrowErrno(err);
}

std::uint64_t CFile::Seek(std::int64_t offset, unsigned from) {
    CheckOpen();
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    const posix::Result<std::uint64_t> pos = posix::Seek(m_hFile, offset, whence);
    if (!pos.ok()) ThrowCause(CFileException::badSeek, pos.status.error);
    return pos.value;
}

std::uint64_t CFile::GetPosition() const {
    CheckOpen();
    const posix::Result<std::uint64_t> pos = posix::Seek(m_hFile, 0, SEEK_CUR);
    if (!pos.ok()) ThrowCause(CFileException::badSeek, pos.status.error);
    return pos.value;
}

std::uint64_t CFile::GetLength() const {
    CheckOpen();
    const posix::Result<struct stat> st = posix::Stat(m_hFile);
    if (!st.ok()) ThrowErrno(st.status.error);
    return static_cast<std::uint64_t>(st.value.st_size);
}

void CFile::SetLength(std::uint64_t newLength) {
    CheckOpen();
    // A length past the largest offset fails with EINVAL, a bad seek.
    if (const int err = posix::Truncate(m_hFile, newLength).error) ThrowErrno(err);
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    const int err = posix::SyncData(m_hFile).error;
    // Pipes, terminals and some special files cannot be synced; that is not a failure of the data.
    if (err != 0 && err != EINVAL && err != EROFS) ThrowErrno(err);
}

void CFile::Close() {
    if (m_hFile == hFileNull) return;
    const int fd = std::exchange(m_hFile, hFileNull);
    if (const int err = posix::Close(fd).error) ThrowErrno(err);
}

void CFile::Abort() {
    if (m_hFile != hFileNull) posix::Close(m_hFile);
    m_hFile = hFileNull;
}

std::string CFile::GetFileName() const {
    const std::size_t slash = m_strFileName.find_last_of('/');
    return slash == std::string::npos ? m_strFileName : m_strFileName.substr(slash + 1);
}

void CFile::ThrowErrno(int err) const { throw CFileException(CFileException::ErrnoToCause(err), err, m_strFileName); }

void CFile::ThrowCause(int cause, int err) const { throw CFileException(cause, err, m_strFileName); }
