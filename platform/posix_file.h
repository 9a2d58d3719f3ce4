// Internal: every POSIX file call of the library, behind one narrow interface.
//
//   posix::Result<posix::Fd> in = posix::Open(path, O_RDONLY);
//   if (!in.ok()) return Fail(in.status);              // errno and path of the failed open
//   posix::Result<std::size_t> got = posix::ReadAll(in.value.Get(), buffer, size, path);
//
// Calls that may be interrupted retry on EINTR; a failure comes back as a value
// carrying errno and the path it concerned, never as errno left behind. All
// system calls go through one replaceable table (SetSyscalls), the seam through
// which tests inject interrupted, short and failing calls. The functions keep
// no state; descriptors belong to the caller (or to an Fd).
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace TeskUtility::posix {

// The outcome of a call: errno (0 on success) and the path it was about.
struct Status {
    int error = 0;
    std::string path;
    bool ok() const { return error == 0; }
};

inline Status Failure(int error, std::string_view path) { return Status{error, std::string(path)}; }

// A value, or the Status that says why there is none.
template <typename T>
struct Result {
    Result(T v) : value(std::move(v)) {}
    Result(Status s) : status(std::move(s)) {}
    bool ok() const { return status.ok(); }
    T value{};
    Status status;
};

// An owned descriptor, closed when the object goes.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.Release()) {}
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

// The system calls below, replaceable as a whole.
struct Syscalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*openat)(int dir, const char* name, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* buffer, std::size_t size);
    off_t (*lseek)(int fd, off_t offset, int whence);
    int (*fstat)(int fd, struct stat* st);
    int (*ftruncate)(int fd, off_t length);
    int (*fdatasync)(int fd);
    int (*close)(int fd);
    int (*mkdirat)(int dir, const char* name, mode_t mode);
    int (*unlinkat)(int dir, const char* name, int flags);
    int (*lock)(int fd, int command, struct flock* lock);  // fcntl with a lock record
    FILE* (*fdopen)(int fd, const char* mode);
};

// The real calls of the C library.
const Syscalls& SystemCalls();
// Routes every later call through `table` (null: the real calls) and returns
// the table it replaces. For tests; swap only while no other thread does I/O.
const Syscalls* SetSyscalls(const Syscalls* table);

// open/openat with O_CLOEXEC added.
Result<Fd> Open(const char* path, int flags, mode_t mode = 0666);
Result<Fd> OpenAt(int dir, const char* name, int flags, mode_t mode = 0666);
// Reads until `size` bytes or the end of the file; short only at the end.
Result<std::size_t> ReadAll(int fd, void* buffer, std::size_t size, std::string_view path = {});
// Writes all `size` bytes; a write that makes no progress is a full disk (ENOSPC).
Status WriteAll(int fd, const void* buffer, std::size_t size, std::string_view path = {});
Result<std::uint64_t> Seek(int fd, std::int64_t offset, int whence, std::string_view path = {});
Result<struct stat> Stat(int fd, std::string_view path = {});
// stat of a path, following links or not.
Result<struct stat> StatPath(const char* path, bool followLinks);
Status Truncate(int fd, std::uint64_t length, std::string_view path = {});
Status SyncData(int fd, std::string_view path = {});
// Not retried on EINTR: on Linux the descriptor is gone either way, so that is success.
Status Close(int fd, std::string_view path = {});
Status MakeDirAt(int dir, const char* name, mode_t mode = 0777);
// unlinkat; `folder` removes an empty folder.
Status RemoveAt(int dir, const char* name, bool folder);
Status RemoveFolder(const char* path);
// Tells the kernel the file will be read from start to end.
void AdviseSequential(int fd);
// A C stream over `fd`; on success the stream owns the descriptor.
Result<FILE*> OpenStream(int fd, const char* mode, std::string_view path = {});

struct DirEntry {
    std::string name;
    bool folder = false;  // a folder itself, not a link to one
};
// The entries of the folder open at `dir` (which stays the caller's), "." and
// ".." left out, in the order the file system gives them.
Result<std::vector<DirEntry>> ListFolder(int dir, std::string_view path = {});

// Sharing between opens of one file, kept as open-file-description locks so
// that opens through this library see each other's denials across processes.
enum ShareBits : unsigned { kShareRead = 1, kShareWrite = 2 };
// Checks that no other open denies our `access` or holds an access that our
// `deny` refuses, then records both on `fd`. EBUSY for a sharing violation. A
// descriptor that cannot hold a read lock (write-only), or a file system
// without locks, is checked as far as it can be and opens unlocked.
Status AcquireShareLock(int fd, unsigned access, unsigned deny, std::string_view path = {});

}  // namespace TeskUtility::posix
